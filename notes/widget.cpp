#include "widget.h"
#include "ui_widget.h"

#include "common/logging.h"
#include "common/recordfile.h"
#include "common/safefile.h"
#include "common/systemmessage.h"
#include "notes/formnote.h"
#include "notes/notefile.h"
#include "notes/notelimits.h"
#include "notes/notegeometry.h"
#include "notes/notelist.h"
#include "platform/activewindow.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/screens.h"
#include "platform/windowsystem.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <cstdio>
#include <utility>
#include <unistd.h>

namespace {
const char DockWindowTitle[] = "Zorvane-Window";
const char CloseToDock[] = "Mirelka,MirelkaClose";
// Every change is saved, but a burst of them (typing, a drag) only once in
// this time: a change after a quiet spell is saved at once, those that come
// within it together at its end. A large file takes long to write, and saves
// queued one after another would keep the program from answering.
constexpr int SaveGapMs = 500;
} // namespace

Widget::Widget(QWidget *parent) : QWidget(parent), ui(new Ui::Widget)
{
    ui->setupUi(this);
    noteData = new NoteList(this);
    setWindowFlags(Qt::SplashScreen);
    setAttribute(Qt::WA_TranslucentBackground);
    resize(1, 1);
    move(0, 0);
    m_saveGap = new QTimer(this);
    m_saveGap->setSingleShot(true);
    m_saveGap->setInterval(SaveGapMs);
    connect(m_saveGap, &QTimer::timeout, this, [this] {
        if (m_saveDue && !m_filling)
            writeFile();
    });

    m_exit = [this](int code) {
        // What waited for the end of the save gap was saved by the caller,
        // so the end needs no more work: no window is closed and nothing is
        // written.
        if (m_receiver)
            m_receiver->close();
        std::fflush(nullptr);
        ::_exit(code);
    };

    // The dock finds us by our window title.
    m_receiver = new SystemMessageReceiver(windowTitle(),
                                           [this](quint32 dwData, const QString &text) {
                                               return systemMessage(dwData, text);
                                           },
                                           this);
    if (!m_receiver->listen())
        qCDebug(lcNotes) << "no system messages: another window is called" << windowTitle();

    // A save that fails keeps the notes in memory for the next one; the user
    // hears of it once, until the file can be written again.
    SafeFile::setFailureReporter([this](const QString &) { showSaveFailure(); });
    // A file kept aside (or left alone) is told once the notes are open.
    SafeFile::setKeptReporter([this] {
        if (m_opened)
            QTimer::singleShot(0, this, &Widget::tellKeptFiles);
    });

    initialize();
}

Widget::~Widget()
{
    SafeFile::setFailureReporter(nullptr);
    SafeFile::setKeptReporter(nullptr);
    SafeFile::takeKeptFiles(); // what was not told by now goes with us
    // Only tests get here: the program ends through endProcess. The notes have
    // no parent; they go first and must not report anything on the way.
    for (FormNote *note : qAsConst(m_notes)) {
        note->disconnect(this);
        delete note;
    }
    m_notes.clear();
    delete ui;
}

QString Widget::noteFilePath()
{
    return platform::appConfigFolder() + QLatin1Char('/') + NoteFile::fileName();
}

bool Widget::isListening() const
{
    return m_receiver && m_receiver->isListening();
}

void Widget::initialize()
{
    OpenFile();
    if (makeIdsUnique())
        SaveFile();
    createNote();
    DetectionCreation();
    if (!isOpeningNotes())
        notesOpened();
}

void Widget::notesOpened()
{
    if (m_opened)
        return;
    m_opened = true;
    // The user hears of a file kept aside or cut, on a note that shows.
    QTimer::singleShot(0, this, &Widget::tellKeptFiles);
}

bool Widget::isDirExist(const QString &fullPath)
{
    if (QDir(fullPath).exists())
        return true;
    return QDir().mkpath(fullPath);
}

void Widget::OpenFile()
{
    const QString path = noteFilePath();
    qCDebug(lcNotes) << platform::appConfigFolder();
    m_keptAside = false;
    m_textBytes.clear();
    QList<NoteRow> rows;
    switch (NoteFile::read(path, &rows)) {
    case NoteFile::ReadResult::TooLarge:
        // Larger than we write: the notes that lie whole within the limit
        // are read, the file itself is kept aside, as when it holds too many.
        keepFileAside(SafeFile::Why::Cut);
        break;
    case NoteFile::ReadResult::Unreadable:
    case NoteFile::ReadResult::WrongRoot:
    case NoteFile::ReadResult::IdsIgnored:
    case NoteFile::ReadResult::Salvaged:
        // The next save replaces it; what we could not read, or not read as
        // it was written, is kept aside. A file that cannot be kept is left
        // as it is: the notes read show, and nothing is saved over it.
        if (QFileInfo(path).size() > 0)
            keepFileAside(SafeFile::Why::Damaged);
        break;
    case NoteFile::ReadResult::NotAFile: // holds nothing of ours; the next save replaces it
    case NoteFile::ReadResult::Read:
    case NoteFile::ReadResult::Missing:
        break;
    }
    // More than we open, or than we write again (a file of another program's
    // just within what is read): the rest stays in the copy kept aside.
    qint64 bytes = NoteFile::FrameBytes;
    int keep = 0;
    while (keep < rows.size() && keep < NoteLimits::MaxNotes
           && (bytes += NoteFile::rowBytes(rows.at(keep))) <= NoteLimits::MaxFileBytes)
        ++keep;
    if (keep < rows.size()) {
        keepFileAside(SafeFile::Why::Cut);
        rows.erase(rows.begin() + keep, rows.end());
    }
    noteData->setRows(rows);
}

void Widget::keepFileAside(SafeFile::Why why)
{
    // Telling the file from the copy kept last reads both whole: once the
    // file is kept, it is not asked again until we write it.
    if (!m_keptAside)
        m_keptAside = !SafeFile::keepBad(noteFilePath(), why).isEmpty();
}

void Widget::SaveFile()
{
    // What a note reports while it is filled (its text as the editor puts
    // it, its first place) is saved once it is open, and while the stored
    // notes open, once they all are; the user's own changes at once, or at
    // the end of the gap after the last save.
    m_saveDue = true;
    if (m_filling || m_saveGap->isActive())
        return;
    writeFile();
}

bool Widget::isSavePending() const
{
    return m_saveDue;
}

void Widget::writeFile()
{
    m_saveDue = false;
    m_saveGap->start();
    const QByteArray data = NoteFile::build(noteData->rows());
    if (!isDirExist(platform::appConfigFolder()))
        return;
    ++m_writes;
    m_unsaved = !SafeFile::write(noteFilePath(), data);
    if (!m_unsaved)
        m_keptAside = false;
    else
        qCDebug(lcNotes) << "open for add error!";
}

FormNote *Widget::noticeTarget() const
{
    // The note in use, else the first one showing.
    FormNote *target = qobject_cast<FormNote *>(QApplication::activeWindow());
    if (target && m_notes.values().contains(target))
        return target;
    for (int r = 0; r < noteData->size(); ++r) {
        FormNote *note = m_notes.value(noteData->at(r).id);
        if (note && note->isVisible())
            return note;
    }
    return nullptr;
}

void Widget::tellKeptFiles()
{
    QString text = SafeFile::keptNotice(SafeFile::takeKeptFiles());
    // A save that failed while the notes opened (and fails still) is told
    // with the files kept aside: alone, it would be gone under them at once.
    const bool failing = std::exchange(m_failureUntold, false) && m_unsaved;
    if (text.isEmpty()) {
        if (failing)
            showSaveFailure();
        return;
    }
    if (failing)
        text += QLatin1Char(' ') + tr("便签保存失败！");
    // Longer than a note's other notices: it tells of the user's notes.
    if (FormNote *target = noticeTarget())
        target->showNotice(text, 10000);
}

void Widget::showSaveFailure()
{
    if (!m_opened) {
        m_failureUntold = true;
        return;
    }
    // Later, so that a save at start reaches a note that is showing by then.
    QTimer::singleShot(0, this, [this]() {
        if (FormNote *target = noticeTarget())
            target->showNotice(tr("便签保存失败！"));
    });
}

void Widget::clearIcoData()
{
    for (int r = noteData->size() - 1; r >= 0; --r)
        noteData->removeAt(r);
}

void Widget::createNote()
{
    // The first note opens at once, the others one per pass of the event
    // loop: each is laid out whole as it shows, and the program answers
    // between them.
    for (int r = 0; r < noteData->size(); ++r) {
        const QString id = noteData->at(r).id;
        if (!m_notes.contains(id) && !m_toOpen.contains(id))
            m_toOpen << id;
    }
    openNextNote();
}

void Widget::openNextNote()
{
    if (m_toOpen.isEmpty())
        return;
    createSingleNote(rowOf(m_toOpen.takeFirst()));
    if (!m_toOpen.isEmpty()) {
        QTimer::singleShot(0, this, &Widget::openNextNote);
        return;
    }
    if (m_saveDue)
        SaveFile();
    notesOpened();
}

bool Widget::isOpeningNotes() const
{
    return !m_toOpen.isEmpty();
}

void Widget::createSingleNote(int row)
{
    if (row < 0 || row >= noteData->size())
        return;
    const NoteRow n = noteData->at(row);
    if (m_notes.contains(n.id))
        return;

    FormNote *note = new FormNote();
    m_notes.insert(n.id, note);
    connect(note, &FormNote::onButtonS, this, &Widget::onButton);
    connect(note, &FormNote::WindowStatus, this, &Widget::WindowStatus);
    connect(note, &FormNote::setText, this, &Widget::setText);
    connect(note, &FormNote::Style, this, &Widget::Style);
    m_filling = true;
    note->setTextCheck([this, note](const QString &html) { return textFits(note->id(), html); });
    note->setNoteData(n.id, n.style, n.text, n.x, n.y, n.w, n.h);
    // A note never placed is the window manager's to place, except the first
    // one on the desktop: in the middle of the screen the user works on, but
    // not over the panel that switched the notes on; and one added from a
    // note: beside that one, which it would hide (window managers put both
    // in the middle of the screen).
    bool alone = true;
    QList<QPoint> taken;
    for (FormNote *other : qAsConst(m_notes)) {
        alone = alone && (other == note || !other->isVisible());
        if (other != note && other->isVisible())
            taken << other->pos();
    }
    FormNote *beside = m_notes.value(m_addingBeside);
    if (n.x.isEmpty() && beside && beside != note && beside->isVisible()) {
        const QRect from = beside->frameGeometry();
        note->move(NoteGeometry::besidePlace(note->size(), from,
                                             platform::ScreensService::get().availableGeometryAt(from.center()), taken));
    } else if (n.x.isEmpty() && alone) {
        const QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen)
            note->move(NoteGeometry::firstPlace(note->size(), screen->availableGeometry(),
                                                platform::ActiveWindowService::get().active().geometry));
    }
    note->show();
    m_filling = false;
    // A text cut to what a note holds is saved cut: the file as it was is kept
    // first, and where it cannot be, it is not saved over at all.
    if (note->textWasCut())
        keepFileAside(SafeFile::Why::Cut);
    if (m_saveDue && m_toOpen.isEmpty())
        SaveFile();
}

QString Widget::newNoteId() const
{
    // Minutes and milliseconds repeat every hour, and two notes can share a
    // millisecond: a taken ID gets a number after it. Deleted notes keep
    // their windows, so their IDs stay taken too.
    // "mm", the milliseconds with leading zeros, then again without them.
    const QDateTime now = platform::now();
    const QString base = QStringLiteral("Note") + now.toString(QStringLiteral("mmzzz"))
                         + QString::number(now.time().msec());
    QString id = base;
    for (int n = 1; rowOf(id) >= 0 || m_notes.contains(id); ++n)
        id = base + QLatin1Char('-') + QString::number(n);
    return id;
}

// Files written before IDs were made unique can hold one ID twice. Only the
// first such row would get a window and every change would reach it alone,
// so the others would stay hidden for good; each gets an ID of its own.
bool Widget::makeIdsUnique()
{
    QSet<QString> seen;
    bool changed = false;
    for (int r = 0; r < noteData->size(); ++r) {
        const QString id = noteData->at(r).id;
        if (!id.isEmpty() && !seen.contains(id)) {
            seen.insert(id);
            continue;
        }
        QString fresh = id.isEmpty() ? newNoteId() : id;
        for (int n = 1; seen.contains(fresh) || rowOf(fresh) >= 0; ++n)
            fresh = (id.isEmpty() ? newNoteId() : id) + QLatin1Char('-') + QString::number(n);
        noteData->setCell(r, NoteRow::ColId, fresh);
        seen.insert(fresh);
        changed = true;
    }
    return changed;
}

void Widget::CreateNew()
{
    NoteRow note;
    note.id = newNoteId();
    note.style = QStringLiteral("style1");
    note.w = QStringLiteral("350");
    note.h = QStringLiteral("260");
    const int row = noteData->size();
    noteData->append(note);
    SaveFile();
    createSingleNote(row);
}

void Widget::DetectionCreation()
{
    if (noteData->isEmpty())
        CreateNew();
}

int Widget::rowOf(const QString &id) const
{
    // Only the ID column: a note's text that happens to read like an ID must
    // not be taken for it.
    return noteData->indexOfId(id);
}

void Widget::onButton(QString id, QString b)
{
    if (b == QLatin1String("Add")) {
        if (noteData->size() < NoteLimits::MaxNotes
            && fileBytes() + NoteFile::NewNoteBytes > NoteLimits::MaxFileBytes) {
            if (FormNote *note = m_notes.value(id))
                note->showNotice(tr("便签内容已达上限！"));
        } else if (noteData->size() < NoteLimits::MaxNotes) {
            m_addingBeside = id;
            CreateNew();
            m_addingBeside.clear();
            // Asked for by a click (its bar, its menu): the user types into
            // it next, whatever the window manager does with new windows.
            QPointer<FormNote> added = m_notes.value(noteData->at(noteData->size() - 1).id);
            QTimer::singleShot(0, this, [added] {
                if (added)
                    platform::WindowSystemService::get().forceActivate(added);
            });
        } else if (FormNote *note = m_notes.value(id)) {
            note->showNotice(tr("便签数量已达上限！"));
        }
    }
    if (b == QLatin1String("Delete")) {
        const int row = rowOf(id);
        if (row >= 0) {
            noteData->removeAt(row);
            SaveFile();
            if (noteData->isEmpty())
                quitToDock();
        }
    }
    if (b == QLatin1String("Close"))
        quitToDock();
}

void Widget::WindowStatus(QString id, int x, int y, int w, int h)
{
    const int row = rowOf(id);
    if (row < 0)
        return;
    NoteRow note = noteData->at(row);
    note.x = QString::number(x);
    note.y = QString::number(y);
    note.w = QString::number(w);
    note.h = QString::number(h);
    noteData->replace(row, note);
    SaveFile();
}

void Widget::setText(QString id, QString text)
{
    const int row = rowOf(id);
    if (row < 0)
        return;
    // A note that is being filled reports its text as the editor puts it,
    // which may take more room than the text read (written by another
    // program): where the file has no room for that, the text read stays.
    if (m_filling && !textFits(id, text))
        return;
    noteData->setCell(row, NoteRow::ColText, text);
    m_textBytes.insert(id, RecordFile::storedBytes(text));
    SaveFile();
}

qint64 Widget::textBytes(const NoteRow &row) const
{
    auto it = m_textBytes.constFind(row.id);
    if (it == m_textBytes.constEnd())
        it = m_textBytes.insert(row.id, RecordFile::storedBytes(row.text));
    return *it;
}

qint64 Widget::fileBytes(const QString &id, qint64 idTextBytes) const
{
    qint64 bytes = NoteFile::FrameBytes;
    for (const NoteRow &row : noteData->rows())
        bytes += NoteFile::rowBytes(row, !id.isEmpty() && row.id == id ? idTextBytes : textBytes(row));
    return bytes;
}

bool Widget::textFits(const QString &id, const QString &html) const
{
    // Nothing the user does takes the file past what the next start reads;
    // what takes no more room is always taken.
    const int row = rowOf(id);
    if (row < 0)
        return true;
    const qint64 bytes = RecordFile::storedBytes(html);
    return bytes <= textBytes(noteData->at(row)) || fileBytes(id, bytes) <= NoteLimits::MaxFileBytes;
}

void Widget::Style(QString id, QString text)
{
    const int row = rowOf(id);
    if (row < 0)
        return;
    noteData->setCell(row, NoteRow::ColStyle, text);
    SaveFile();
}

void Widget::SendSystemMessage(QString object, QString content)
{
    // Waits for the receiver's answer, but never longer than the time-out.
    if (!SystemMessage::send(object, content))
        qCDebug(lcNotes) << "no answer from" << object;
}

void Widget::quitToDock()
{
    // What waits for the end of the save gap is saved first.
    if (m_saveDue || m_unsaved)
        writeFile();
    SendSystemMessage(QString::fromLatin1(DockWindowTitle), QString::fromLatin1(CloseToDock));
    endProcess(0);
}

void Widget::endProcess(int code)
{
    if (m_exit)
        m_exit(code);
}

void Widget::saveAndQuit()
{
    // What still waits (the changes of the last save gap, a save put off
    // while the notes open, or one that failed) is saved, once, however many
    // changes wait.
    if (m_saveDue || m_unsaved) {
        m_filling = false;
        writeFile();
    }
    endProcess(0);
}

bool Widget::systemMessage(quint32 dwData, const QString &text)
{
    if (dwData != SystemMessage::Tag)
        return false;
    if (text == QLatin1String("CloseMirelka"))
        saveAndQuit();
    return true;
}
