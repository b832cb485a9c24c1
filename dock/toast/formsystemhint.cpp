#include "dock/toast/formsystemhint.h"
#include "ui_formsystemhint.h"
#include "platform/windowsystem.h"

#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimer>

FormSystemHint::FormSystemHint(QWidget *parent) : QWidget(parent), ui(new Ui::FormSystemHint)
{
    ui->setupUi(this);
    // What a notice says may name a file or a disk: text, never HTML.
    ui->label->setTextFormat(Qt::PlainText);
    QFont f = ui->label->font();
    f.setPixelSize(20);
    ui->label->setFont(f);
    ui->label->setText(tr("提示！"));
    setWindowTitle(tr("system hint"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    // A notice never takes the keyboard, whatever the window manager: what
    // the user types next goes where it went, and the launch pad, which
    // closes when another window takes the keyboard, stays open to show what
    // was just added.
    platform::setWindowRole(this, platform::WindowRole::Notice);
    m_closeTimer = new QTimer(this);
    m_closeTimer->setSingleShot(true);
    connect(m_closeTimer, &QTimer::timeout, this, &FormSystemHint::CloseShow);
}

FormSystemHint::~FormSystemHint()
{
    delete ui;
}

QString FormSystemHint::text() const
{
    return ui->label->text();
}

void FormSystemHint::ShowMessage(const QString &text)
{
    ui->label->setText(tr("%1").arg(text));
    ui->label->adjustSize();
    const int w0 = ui->label->width();
    ui->label->resize(w0 + 90, 42);
    resize(ui->label->size());
    ui->close->move(width() - 34, 12);
    // Centred in the primary screen's free area, wherever that area begins.
    if (const QScreen *s = QGuiApplication::primaryScreen())
        m_area = s->availableGeometry();
    StartShow();
    m_closeTimer->start(3000);
}

void FormSystemHint::setArea(int w, int h)
{
    m_area.setSize(QSize(w, h));
}

QPoint FormSystemHint::restingPos() const
{
    const int aw = m_area.width(), ah = m_area.height();
    const int x = (aw - width()) / 2;
    const int yr = ah - (ah - height()) / 3;
    return m_area.topLeft() + QPoint(x, yr);
}

QPropertyAnimation *FormSystemHint::animate(const QByteArray &property, const QVariant &from,
                                            const QVariant &to, bool easeOut)
{
    auto *a = new QPropertyAnimation(this, property);
    a->setDuration(200);
    if (easeOut)
        a->setEasingCurve(QEasingCurve::OutCubic);
    a->setStartValue(from);
    a->setEndValue(to);
    return a;
}

// A new cycle takes over from the one still running: its fade-out must not
// hide the new message.
void FormSystemHint::stopAnimations()
{
    for (QPointer<QPropertyAnimation> *p : { &m_pos, &m_opacity }) {
        if (*p) {
            (*p)->disconnect(this);
            (*p)->stop();
            delete p->data();
        }
    }
}

void FormSystemHint::StartShow()
{
    stopAnimations();
    const QPoint rest = restingPos();
    m_pos = animate("pos", rest + QPoint(0, 20), rest, true);
    m_opacity = animate("windowOpacity", 0.0, 1.0, false);
    m_pos->start(QAbstractAnimation::DeleteWhenStopped);
    m_opacity->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormSystemHint::CloseShow()
{
    stopAnimations();
    const QPoint rest = restingPos();
    m_pos = animate("pos", rest, rest + QPoint(0, 20), true);
    m_opacity = animate("windowOpacity", 1.0, 0.0, false);
    connect(m_opacity, &QPropertyAnimation::finished, this, &FormSystemHint::timeout);
    m_pos->start(QAbstractAnimation::DeleteWhenStopped);
    m_opacity->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormSystemHint::timeout()
{
    hide();
}

void FormSystemHint::on_close_clicked()
{
    m_closeTimer->stop();
    CloseShow();
}
