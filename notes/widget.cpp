#include "widget.h"
#include "ui_widget.h"

#include "common/safefile.h"
#include "common/systemmessage.h"
#include "notes/formnote.h"
#include "notes/notefile.h"
#include "platform/clock.h"
#include "platform/paths.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {
const char DockWindowTitle[] = "Zorvane-Window";
const char CloseToDock[] = "Mirelka,MirelkaClose";
} // namespace

Widget::Widget(QWidget *parent) : QWidget(parent), ui(new Ui::Widget)
{
    ui->setupUi(this);
    setWindowFlags(Qt::SplashScreen);
    setAttribute(Qt::WA_TranslucentBackground);
    resize(1, 1);
    move(0, 0);

    m_exit = [this](int code) {
        // Everything is saved when it changes, so the end needs no more work:
        // no window is closed and nothing is written.
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
        qDebug() << "no system messages: another window is called" << windowTitle();

    // A save that fails keeps the notes in memory for the next one; the user
    // hears of it once, until the file can be written again.
    SafeFile::setFailureReporter([this](const QString &) { showSaveFailure(); });

    initialize();
}

Widget::~Widget()
{
    SafeFile::setFailureReporter(nullptr);
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

QTableWidget *Widget::table() const
{
    return ui->noteData;
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
    qDebug() << platform::appConfigFolder();
    switch (NoteFile::read(path, *ui->noteData)) {
    case NoteFile::ReadResult::Unreadable:
    case NoteFile::ReadResult::WrongRoot:
        // The next save replaces it; what we could not read is kept aside.
        if (QFileInfo(path).size() > 0)
            SafeFile::keepBad(path);
        break;
    case NoteFile::ReadResult::NotAFile: // holds nothing of ours; the next save replaces it
    case NoteFile::ReadResult::Read:
    case NoteFile::ReadResult::Missing:
        break;
    }
}

void Widget::SaveFile()
{
    const QByteArray data = NoteFile::build(*ui->noteData);
    if (!isDirExist(platform::appConfigFolder()))
        return;
    if (!SafeFile::write(noteFilePath(), data))
        qDebug() << "open for add error!";
}

void Widget::showSaveFailure()
{
    // Later, so that a save at start reaches a note that is showing by then.
    QTimer::singleShot(0, this, [this]() {
        // On the note in use, else on the first one showing.
        FormNote *target = qobject_cast<FormNote *>(QApplication::activeWindow());
        if (!target || !m_notes.values().contains(target)) {
            target = nullptr;
            for (int r = 0; r < ui->noteData->rowCount() && !target; ++r) {
                FormNote *note = m_notes.value(NoteFile::cell(*ui->noteData, r, NoteFile::ColId));
                if (note && note->isVisible())
                    target = note;
            }
        }
        if (target)
            target->showNotice(tr("便签保存失败！"));
    });
}

void Widget::clearIcoData()
{
    for (int r = ui->noteData->rowCount() - 1; r >= 0; --r)
        ui->noteData->removeRow(r);
}

void Widget::createNote()
{
    for (int r = 0; r < ui->noteData->rowCount(); ++r)
        createSingleNote(r);
}

void Widget::createSingleNote(int row)
{
    using namespace NoteFile;
    const QTableWidget &t = *ui->noteData;
    if (row < 0 || row >= t.rowCount())
        return;
    const QString id = cell(t, row, ColId);
    if (m_notes.contains(id))
        return;
    const QString style = cell(t, row, ColStyle), text = cell(t, row, ColText);
    const QString x = cell(t, row, ColX), y = cell(t, row, ColY);
    const QString w = cell(t, row, ColW), h = cell(t, row, ColH);

    FormNote *note = new FormNote();
    m_notes.insert(id, note);
    connect(note, &FormNote::onButtonS, this, &Widget::onButton);
    connect(note, &FormNote::WindowStatus, this, &Widget::WindowStatus);
    connect(note, &FormNote::setText, this, &Widget::setText);
    connect(note, &FormNote::Style, this, &Widget::Style);
    note->setNoteData(id, style, text, x, y, w, h);
    note->show();
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
    using namespace NoteFile;
    QSet<QString> seen;
    bool changed = false;
    for (int r = 0; r < ui->noteData->rowCount(); ++r) {
        const QString id = cell(*ui->noteData, r, ColId);
        if (!id.isEmpty() && !seen.contains(id)) {
            seen.insert(id);
            continue;
        }
        QString fresh = id.isEmpty() ? newNoteId() : id;
        for (int n = 1; seen.contains(fresh) || rowOf(fresh) >= 0; ++n)
            fresh = (id.isEmpty() ? newNoteId() : id) + QLatin1Char('-') + QString::number(n);
        setCell(*ui->noteData, r, ColId, fresh);
        seen.insert(fresh);
        changed = true;
    }
    return changed;
}

void Widget::CreateNew()
{
    using namespace NoteFile;
    const QString id = newNoteId();
    const int row = ui->noteData->rowCount();
    insertEmptyRow(*ui->noteData, row);
    setCell(*ui->noteData, row, ColId, id);
    setCell(*ui->noteData, row, ColStyle, QStringLiteral("style1"));
    setCell(*ui->noteData, row, ColW, QStringLiteral("350"));
    setCell(*ui->noteData, row, ColH, QStringLiteral("260"));
    SaveFile();
    createSingleNote(row);
}

void Widget::DetectionCreation()
{
    if (ui->noteData->rowCount() == 0)
        CreateNew();
}

int Widget::rowOf(const QString &id) const
{
    // Only the ID column: a note's text that happens to read like an ID must
    // not be taken for it.
    for (int r = 0; r < ui->noteData->rowCount(); ++r) {
        if (NoteFile::cell(*ui->noteData, r, NoteFile::ColId) == id)
            return r;
    }
    return -1;
}

void Widget::onButton(QString id, QString b)
{
    if (b == QLatin1String("Add"))
        CreateNew();
    if (b == QLatin1String("Delete")) {
        const int row = rowOf(id);
        if (row >= 0) {
            ui->noteData->removeRow(row);
            SaveFile();
            if (ui->noteData->rowCount() == 0)
                quitToDock();
        }
    }
    if (b == QLatin1String("Close"))
        quitToDock();
}

void Widget::WindowStatus(QString id, int x, int y, int w, int h)
{
    using namespace NoteFile;
    const int row = rowOf(id);
    if (row < 0)
        return;
    setCell(*ui->noteData, row, ColX, QString::number(x));
    setCell(*ui->noteData, row, ColY, QString::number(y));
    setCell(*ui->noteData, row, ColW, QString::number(w));
    setCell(*ui->noteData, row, ColH, QString::number(h));
    SaveFile();
}

void Widget::setText(QString id, QString text)
{
    const int row = rowOf(id);
    if (row < 0)
        return;
    NoteFile::setCell(*ui->noteData, row, NoteFile::ColText, text);
    SaveFile();
}

void Widget::Style(QString id, QString text)
{
    const int row = rowOf(id);
    if (row < 0)
        return;
    NoteFile::setCell(*ui->noteData, row, NoteFile::ColStyle, text);
    SaveFile();
}

void Widget::SendSystemMessage(QString object, QString content)
{
    // Waits for the receiver's answer, but never longer than the time-out.
    if (!SystemMessage::send(object, content))
        qDebug() << "no answer from" << object;
}

void Widget::quitToDock()
{
    SendSystemMessage(QString::fromLatin1(DockWindowTitle), QString::fromLatin1(CloseToDock));
    endProcess(0);
}

void Widget::endProcess(int code)
{
    if (m_exit)
        m_exit(code);
}

bool Widget::systemMessage(quint32 dwData, const QString &text)
{
    if (dwData != SystemMessage::Tag)
        return false;
    if (text == QLatin1String("CloseMirelka"))
        endProcess(0);
    return true;
}
