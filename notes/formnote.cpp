#include "formnote.h"
#include "ui_formnote.h"

#include "common/fonts.h"
#include "common/plaintext.h"
#include "notes/formbar.h"
#include "notes/framelesshelper.h"
#include "notes/notegeometry.h"
#include "notes/notelimits.h"

#include <QColorDialog>
#include <QCursor>
#include <QEasingCurve>
#include <QFontDialog>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPropertyAnimation>
#include <QResizeEvent>
#include <QScreen>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTimer>

namespace {

struct NoteStyle
{
    const char *name;
    const char *colour;
};

const NoteStyle Styles[] = {
    { "style1", "rgba(253, 253, 192,255)" }, { "style2", "rgb(192,227,247)" },
    { "style3", "rgb(250,210,222)" },       { "style4", "rgb(215,235,156)" },
    { "style5", "rgb(245,237,216)" },       { "style6", "rgb(235,135,100)" },
    { "style7", "rgb(72,72,72)" },
};

const char MenuSheet[] =
    "QMenu{background:#FFFFFF;border: 0px;border-radius: 2px;border-style: solid;padding:3px 0px 3px 0px;}"
    "QMenu::item{background-color: transparent;padding:0px 20px 0px 20px;height:25px;color:#000000;}"
    "QMenu::item:selected:enabled{background:#2168DB;color:#ffffff;}";

const char ScrollBarSheet[] =
    "QScrollBar:vertical{width:10px;padding-top:1px;padding-bottom:1px;margin-right:1px;"
    "background:transparent;border:none;}"
    "QScrollBar::handle:vertical{background:rgba(0,0,0,40%);border-radius:4px;min-height:20px;}"
    "QScrollBar::handle:vertical:hover{background:rgba(0,0,0,50%);}"
    "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}"
    "QScrollBar::up-arrow:vertical,QScrollBar::down-arrow:vertical{background:transparent;height:13px;}"
    "QScrollBar::sub-line:vertical{height:10px;width:10px;subcontrol-position:top;"
    "border-image:url(:/images/up-arrow.png);}"
    "QScrollBar::add-line:vertical{height:10px;width:10px;subcontrol-position:bottom;"
    "border-image:url(:/images/down-arrow.png);}";

const char ConfirmButtonSheet[] =
    "QPushButton{border:none;border-radius:2px;color:#FFFFFF;font:bold 9pt \"微软雅黑\";"
    "background-color:#5F616E;}"
    "QPushButton:hover,QPushButton:pressed{background-color:#5294E2;}";

QMenu *makeMenu(const QString &title)
{
    QMenu *menu = new QMenu(title);
    menu->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    menu->setAttribute(Qt::WA_TranslucentBackground);
    menu->setStyleSheet(QString::fromUtf8(MenuSheet));
    return menu;
}

} // namespace

FormNote::FormNote(QWidget *parent) : QWidget(parent), ui(new Ui::FormNote)
{
    ui->setupUi(this);
    // A note's rich text keeps its look, but a picture or style sheet it
    // names is never loaded: a named pipe there would stop the program.
    auto *sealed = new SealedDocument(ui->textEdit);
    sealed->setHtml(ui->textEdit->toHtml());
    ui->textEdit->setDocument(sealed);
    connect(sealed, &QTextDocument::contentsChange, this, [this](int at, int removed, int added) {
        m_changedAt = at;
        m_changedChars = added;
        m_changedRemoved = removed;
    });
    connect(ui->textEdit, &QTextEdit::textChanged, this, &FormNote::on_textEdit_textChanged);
    connect(ui->pushButtonStyle1, &QPushButton::clicked, this, &FormNote::on_pushButtonStyle1_clicked);
    connect(ui->pushButtonStyle2, &QPushButton::clicked, this, &FormNote::on_pushButtonStyle2_clicked);
    connect(ui->pushButtonStyle3, &QPushButton::clicked, this, &FormNote::on_pushButtonStyle3_clicked);
    connect(ui->pushButtonStyle4, &QPushButton::clicked, this, &FormNote::on_pushButtonStyle4_clicked);
    connect(ui->pushButtonStyle5, &QPushButton::clicked, this, &FormNote::on_pushButtonStyle5_clicked);
    connect(ui->pushButtonStyle6, &QPushButton::clicked, this, &FormNote::on_pushButtonStyle6_clicked);
    connect(ui->pushButtonStyle7, &QPushButton::clicked, this, &FormNote::on_pushButtonStyle7_clicked);
    connect(ui->pushButtonYes, &QPushButton::clicked, this, &FormNote::on_pushButtonYes_clicked);
    connect(ui->pushButtonNo, &QPushButton::clicked, this, &FormNote::on_pushButtonNo_clicked);
    connect(ui->closeMenuButton, &QPushButton::clicked, this, &FormNote::on_closeMenuButton_clicked);
    connect(ui->textEdit, &QTextEdit::customContextMenuRequested,
            this, &FormNote::on_textEdit_customContextMenuRequested);

    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    ui->frame->setMouseTracking(true);
    ui->frame_2->setMouseTracking(true);
    ui->frameBar->setMouseTracking(true);

    ui->frameStyle->hide();
    ui->frameDD->hide();
    ui->closeMenuButton->hide();

    m_bar = new FormBar(ui->frameBar);
    m_bar->move(0, 0);
    m_bar->resize(width(), 20);
    connect(m_bar, &FormBar::onButton, this, &FormNote::onButton);

    m_helper = new FramelessHelper(this);
    m_helper->attachWidget(this);
    FramelessHelper::setTitleHeight(20);
    m_helper->setMovable(true);
    m_helper->setResizable(true);
    m_helper->setMoveRubberBand(false);
    m_helper->setResizeRubberBand(false);

    // A note starts in the face and size its document names, and the font
    // dialog opens on them; the question takes the windows' own font.
    ui->textEdit->setFont(QFont(QStringLiteral("SimSun"), 9));
    ui->label->setFont(Fonts::yaHei(12));
    ui->pushButtonYes->setStyleSheet(QString::fromUtf8(ConfirmButtonSheet));
    ui->pushButtonNo->setStyleSheet(QString::fromUtf8(ConfirmButtonSheet));
    QPushButton *const styleButtons[] = { ui->pushButtonStyle1, ui->pushButtonStyle2, ui->pushButtonStyle3,
                                          ui->pushButtonStyle4, ui->pushButtonStyle5, ui->pushButtonStyle6,
                                          ui->pushButtonStyle7 };
    for (int i = 0; i < 7; ++i) {
        styleButtons[i]->setStyleSheet(
            QStringLiteral("QPushButton{background-color:%1;border-radius:2px;border:1px solid rgba(0, 0, 0, 30);}"
                           "QPushButton:hover,QPushButton:pressed{border:1px solid rgba(82, 148, 226, 255);}")
                .arg(QString::fromLatin1(Styles[i].colour)));
    }
    setStyleSheet(QString::fromLatin1(ScrollBarSheet));
    // The keyboard goes to the text whenever the note gets it.
    ui->textEdit->setFocus();
    m_accepted = ui->textEdit->toHtml();
}

FormNote::~FormNote()
{
    delete ui;
}

void FormNote::showNotice(const QString &text, int ms)
{
    // The notes program has no toast window: a short line on the note itself,
    // in the look of the note's own delete panel, gone after three seconds.
    if (!m_notice) {
        m_notice = new QLabel(ui->frame_2);
        m_notice->setObjectName(QStringLiteral("notice"));
        m_notice->setAlignment(Qt::AlignCenter);
        m_notice->setTextFormat(Qt::PlainText);
        m_notice->setStyleSheet(QStringLiteral(
            "QLabel{border-radius:2px;border:1px solid rgba(0, 0, 0, 30);background-color:rgba(255, 255, 255, 240);"
            "color:#5F616E;font:9pt \"微软雅黑\";padding:4px 10px;}"));
        m_noticeTimer = new QTimer(this);
        m_noticeTimer->setSingleShot(true);
        connect(m_noticeTimer, &QTimer::timeout, m_notice, &QWidget::hide);
    }
    m_notice->setText(text);
    m_notice->setWordWrap(false);
    m_notice->adjustSize();
    // A line longer than the note (a file's name in it) goes on below.
    const int room = qMax(40, ui->frame_2->width() - 16);
    if (m_notice->width() > room) {
        m_notice->setWordWrap(true);
        m_notice->resize(room, m_notice->heightForWidth(room));
    }
    m_notice->move(qMax(0, (ui->frame_2->width() - m_notice->width()) / 2), 10);
    m_notice->show();
    m_notice->raise();
    m_noticeTimer->start(ms);
}

QString FormNote::noticeText() const
{
    return m_notice && m_notice->isVisibleTo(const_cast<FormNote *>(this)) ? m_notice->text() : QString();
}

QString FormNote::styleColour(const QString &style)
{
    for (const NoteStyle &s : Styles) {
        if (style == QLatin1String(s.name))
            return QString::fromLatin1(s.colour);
    }
    return QString();
}

void FormNote::setNoteData(QString id, QString style, QString text, QString x, QString y, QString w,
                           QString h)
{
    m_id = id;
    onStyle(style);
    // Measured and cut before the editor has it: it lays a text out as soon
    // as it gets it.
    const PlainText::Bounded b = PlainText::bounded(text, NoteLimits::MaxCharacters, NoteLimits::MaxRichText);
    // Nothing to undo at the start: undoing it all would bring nothing back.
    QTextDocument *doc = ui->textEdit->document();
    doc->setUndoRedoEnabled(false);
    m_filling = true;
    if (b.rich)
        ui->textEdit->setHtml(b.content);
    else
        ui->textEdit->setPlainText(b.content);
    m_filling = false;
    doc->setUndoRedoEnabled(true);
    m_textCut = b.cut;
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect desktop = screen ? screen->virtualGeometry() : QRect();
    const bool hasPosition = !x.isEmpty();
    const QRect r = NoteGeometry::clamp(hasPosition, QPoint(x.toInt(), y.toInt()), QSize(w.toInt(), h.toInt()),
                                        minimumSize(), desktop);
    if (hasPosition)
        move(r.topLeft());
    resize(r.size());
}

void FormNote::onStyle(QString s)
{
    const QString colour = styleColour(s);
    if (colour.isEmpty())
        return;
    ui->frame->setStyleSheet(
        QStringLiteral("QFrame{border-radius:0px;border-top: 1px;border-bottom:1px;border-left: 1px;"
                       "border-right: 1px;border-style: solid;border-color: rgba(0, 0, 0, 30);"
                       "background-color: ")
        + colour + QStringLiteral(";}"));
}

void FormNote::slideIn(QWidget *panel, int endY)
{
    QPropertyAnimation *a = new QPropertyAnimation(panel, "pos", panel);
    a->setDuration(100);
    a->setEasingCurve(QEasingCurve::OutQuad);
    a->setStartValue(QPoint(panel->x(), -panel->height()));
    a->setEndValue(QPoint(panel->x(), endY));
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormNote::onButton(QString b)
{
    if (b == QLatin1String("Delete")) {
        if (!ui->frameDD->isVisibleTo(this)) {
            ui->frameStyle->hide();
            ui->closeMenuButton->hide();
            ui->frameDD->show();
            ui->closeMenuButton->show();
            slideIn(ui->frameDD, -10);
        }
    }
    if (b == QLatin1String("Style")) {
        emit onButtonS(m_id, QStringLiteral("Style"));
        if (ui->frameStyle->isVisibleTo(this)) {
            ui->frameStyle->hide();
            ui->closeMenuButton->hide();
        } else {
            ui->frameDD->hide();
            ui->frameStyle->show();
            ui->closeMenuButton->show();
            slideIn(ui->frameStyle, -25);
        }
    }
    if (b == QLatin1String("Add"))
        emit onButtonS(m_id, QStringLiteral("Add"));
    if (b == QLatin1String("Close"))
        emit onButtonS(m_id, QStringLiteral("Close"));
}

bool FormNote::cutToLimit()
{
    QTextDocument *doc = ui->textEdit->document();
    const int excess = doc->characterCount() - 1 - NoteLimits::MaxCharacters;
    if (excess <= 0)
        return false;
    // What the last edit brought beyond the limit is not taken; a text that
    // was over it from the start loses its end.
    const int end = m_changedChars >= excess ? m_changedAt + m_changedChars : doc->characterCount() - 1;
    // Never half a character beyond the first 65536 (an emoji): its other
    // half, alone, shows as nothing and cannot be saved.
    const int from = doc->characterAt(end - excess).isLowSurrogate() ? end - excess - 1 : end - excess;
    PlainText::removeText(doc, from, end);
    return true;
}

bool FormNote::textFits(const QString &html) const
{
    // What reads back as the rich text it is, and has room in the file.
    return PlainText::richTextFits(html, NoteLimits::MaxRichText) && (!m_textCheck || m_textCheck(html));
}

void FormNote::takeBackLastEdit()
{
    // Text put in (typed, pasted, dropped) goes as it came: an undo would
    // take back the whole run typed before it. A change of formatting, or
    // text put in place of a selection, is undone.
    QTextDocument *doc = ui->textEdit->document();
    if (m_changedRemoved == 0 && m_changedChars > 0)
        PlainText::removeText(doc, m_changedAt, m_changedAt + m_changedChars);
    else if (doc->isUndoAvailable())
        doc->undo();
    else
        restoreAccepted();
}

void FormNote::restoreAccepted()
{
    m_restoring = true;
    ui->textEdit->setHtml(m_accepted);
    m_restoring = false;
}

void FormNote::on_textEdit_textChanged()
{
    // Cutting edits the text again, and that edit reports it.
    if (cutToLimit()) {
        showNotice(tr("便签内容已达上限！"));
        return;
    }
    const QString html = ui->textEdit->toHtml();
    // The file's own text was bounded as it was read; what the user does
    // is bounded here, so that all that is saved reads back whole.
    if (!m_filling && !m_restoring && !textFits(html)) {
        if (m_takingBack) {
            // Taking the edit back was not enough: the text as last reported.
            restoreAccepted();
            return;
        }
        m_takingBack = true;
        takeBackLastEdit(); // which reports the text as it is again
        m_takingBack = false;
        showNotice(tr("便签内容已达上限！"));
        return;
    }
    m_accepted = html;
    emit setText(m_id, html);
}

void FormNote::chooseStyle(int n)
{
    const QString name = QStringLiteral("style%1").arg(n);
    onStyle(name);
    emit Style(m_id, name);
}

void FormNote::on_pushButtonStyle1_clicked() { chooseStyle(1); }
void FormNote::on_pushButtonStyle2_clicked() { chooseStyle(2); }
void FormNote::on_pushButtonStyle3_clicked() { chooseStyle(3); }
void FormNote::on_pushButtonStyle4_clicked() { chooseStyle(4); }
void FormNote::on_pushButtonStyle5_clicked() { chooseStyle(5); }
void FormNote::on_pushButtonStyle6_clicked() { chooseStyle(6); }
void FormNote::on_pushButtonStyle7_clicked() { chooseStyle(7); }

void FormNote::on_pushButtonYes_clicked()
{
    close();
    emit onButtonS(m_id, QStringLiteral("Delete"));
}

void FormNote::on_pushButtonNo_clicked()
{
    ui->frameDD->hide();
}

void FormNote::on_closeMenuButton_clicked()
{
    ui->frameStyle->hide();
    ui->frameDD->hide();
    ui->closeMenuButton->hide();
}

QMenu *FormNote::createContextMenu()
{
    QMenu *menu = makeMenu(QString());
    menu->addAction(QStringLiteral("剪切  Ctrl+X"), this, &FormNote::mCut);
    menu->addAction(QStringLiteral("复制  Ctrl+C"), this, &FormNote::mCopy);
    menu->addAction(QStringLiteral("粘贴  Ctrl+V"), this, &FormNote::mPaste);
    menu->addSeparator();
    menu->addAction(QStringLiteral("设置字体格式"), this, &FormNote::setUpdateFont);
    menu->addAction(QStringLiteral("设置字体颜色"), this, &FormNote::setColor);

    QMenu *sizes = makeMenu(QStringLiteral("设置字体大小"));
    sizes->setParent(menu, sizes->windowFlags());
    struct Size
    {
        int points;
        void (FormNote::*slot)();
    };
    const Size entries[] = { { 9, &FormNote::setFontSize9 },   { 12, &FormNote::setFontSize12 },
                             { 14, &FormNote::setFontSize14 }, { 16, &FormNote::setFontSize16 },
                             { 18, &FormNote::setFontSize18 }, { 22, &FormNote::setFontSize22 },
                             { 26, &FormNote::setFontSize26 }, { 30, &FormNote::setFontSize30 },
                             { 36, &FormNote::setFontSize36 }, { 42, &FormNote::setFontSize42 } };
    for (const Size &s : entries) {
        const QString text = (QStringLiteral("    ") + QString::number(s.points)).leftJustified(10, QLatin1Char(' '));
        sizes->addAction(text, this, s.slot);
    }
    menu->addMenu(sizes);
    menu->addSeparator();
    menu->addAction(QStringLiteral("添加便签      "), this, &FormNote::mAdd);
    menu->addAction(QStringLiteral("更换背景      "), this, &FormNote::mStyle);
    menu->addAction(QStringLiteral("删除便签      "), this, &FormNote::mDelete);
    menu->addAction(QStringLiteral("退出便签    "), this, &FormNote::systemClose);
    return menu;
}

void FormNote::on_textEdit_customContextMenuRequested(const QPoint &)
{
    QMenu *menu = createContextMenu();
    menu->exec(QCursor::pos());
    delete menu;
}

void FormNote::mCut() { ui->textEdit->cut(); }
void FormNote::mCopy() { ui->textEdit->copy(); }
void FormNote::mPaste() { ui->textEdit->paste(); }
void FormNote::mAdd() { onButton(QStringLiteral("Add")); }
void FormNote::mStyle() { onButton(QStringLiteral("Style")); }
void FormNote::mDelete() { onButton(QStringLiteral("Delete")); }
void FormNote::systemClose() { onButton(QStringLiteral("Close")); }

QFont FormNote::dialogStartFont(const QFont &font)
{
    // The dialog lists installed faces only: a name that stands for another
    // face ("SimSun") would open it on the first face of the list instead.
    QFont start(font);
    start.setFamily(QFontInfo(font).family());
    return start;
}

void FormNote::setUpdateFont()
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, dialogStartFont(ui->textEdit->font()), this, QString());
    if (ok)
        setInsertTextFont(font);
}

void FormNote::setInsertTextFont(QFont font)
{
    QTextCharFormat fmt;
    fmt.setFont(font);
    // Merged into the selection and into what is typed next.
    ui->textEdit->mergeCurrentCharFormat(fmt);
}

void FormNote::setColor()
{
    const QColor c = QColorDialog::getColor(ui->textEdit->textColor(), this, QString());
    if (c.isValid())
        ui->textEdit->setTextColor(c);
}

void FormNote::setFontSize(int points)
{
    ui->textEdit->setFontPointSize(points);
}

void FormNote::setFontSize9() { setFontSize(9); }
void FormNote::setFontSize12() { setFontSize(12); }
void FormNote::setFontSize14() { setFontSize(14); }
void FormNote::setFontSize16() { setFontSize(16); }
void FormNote::setFontSize18() { setFontSize(18); }
void FormNote::setFontSize22() { setFontSize(22); }
void FormNote::setFontSize26() { setFontSize(26); }
void FormNote::setFontSize30() { setFontSize(30); }
void FormNote::setFontSize36() { setFontSize(36); }
void FormNote::setFontSize42() { setFontSize(42); }

void FormNote::resizeEvent(QResizeEvent *event)
{
    const int W = event->size().width(), H = event->size().height();
    m_bar->resize(W, 20);
    ui->textEdit->resize(W - 2, H - 20);
    // C++ division: the fraction is dropped toward zero, also for a panel
    // wider than a narrow note.
    ui->frameStyle->move((W - ui->frameStyle->width()) / 2 - 1, ui->frameStyle->y());
    ui->frameDD->move((W - ui->frameDD->width()) / 2 - 1, ui->frameDD->y());
    ui->closeMenuButton->setGeometry(0, 0, W, H);
    emit WindowStatus(m_id, x(), y(), W, H);
    QWidget::resizeEvent(event);
}

void FormNote::moveEvent(QMoveEvent *event)
{
    emit WindowStatus(m_id, x(), y(), width(), height());
    QWidget::moveEvent(event);
}
