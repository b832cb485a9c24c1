#include "dock/tools/formvesk.h"

#include "dock/icons/productlinks.h"
#include "platform/opener.h"
#include "platform/windowsystem.h"
#include "ui_formvesk.h"

#include <QPropertyAnimation>
#include <QShortcut>
#include <QTimer>

FormVesk::FormVesk(QWidget *parent) : QWidget(parent), ui(new Ui::FormVesk)
{
    ui->setupUi(this);
    connect(ui->pushButton, &QPushButton::clicked, this, &FormVesk::on_pushButton_clicked);
    connect(ui->pushButton_2, &QPushButton::clicked, this, &FormVesk::on_pushButton_2_clicked);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    ui->frame->raise();

    QFont font(QStringLiteral("Microsoft YaHei"), 10, 10, false);
    font.setPixelSize(18);
    ui->lineEdit->setFont(font);
    ui->pushButton->setFont(font);

    for (int key : { int(Qt::Key_Return), int(Qt::Key_Enter) }) {
        auto *search = new QShortcut(QKeySequence(key), this);
        search->setContext(Qt::WindowShortcut);
        connect(search, &QShortcut::activated, this, &FormVesk::on_pushButton_clicked);
    }
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, &FormVesk::winOut);

    focusTimer = new QTimer(this);
    focusTimer->setObjectName(QStringLiteral("focusTimer"));
    connect(focusTimer, &QTimer::timeout, this, &FormVesk::InOut);
}

FormVesk::~FormVesk()
{
    delete ui;
}

void FormVesk::setWindowRect(int x, int y, int w, int h)
{
    if (pos() == QPoint(x, y) && size() == QSize(w, h))
        return;
    resize(w, h);
    move(x, y);
    ui->pushButton_2->resize(size());
}

void FormVesk::toggle()
{
    if (shown)
        winOut();
    else
        winIn();
}

// The bar centred on the box, raised by lift pixels.
QPoint FormVesk::barPos(int lift) const
{
    return QPoint(width() / 2 - ui->frame->width() / 2, height() / 2 - ui->frame->height() / 2 - lift);
}

void FormVesk::stopAnimations()
{
    // A stopped animation deletes itself without reporting that it finished.
    if (barAnimation)
        barAnimation->stop();
    if (fadeAnimation)
        fadeAnimation->stop();
}

void FormVesk::winIn()
{
    stopAnimations();
    // Without a compositor the veil would be a still picture of the screen:
    // show the bar only, where it comes to rest.
    if (!platform::WindowSystemService::get().translucencyWorks())
        setMask(QRegion(QRect(barPos(10), ui->frame->size())));
    else
        clearMask();
    show();

    barAnimation = new QPropertyAnimation(ui->frame, "pos", this);
    barAnimation->setDuration(150);
    barAnimation->setStartValue(barPos(30));
    barAnimation->setEndValue(barPos(10));
    barAnimation->setEasingCurve(QEasingCurve::OutSine);
    barAnimation->start(QAbstractAnimation::DeleteWhenStopped);

    fadeAnimation = new QPropertyAnimation(this, "windowOpacity", this);
    fadeAnimation->setDuration(100);
    fadeAnimation->setStartValue(0.0);
    fadeAnimation->setEndValue(1.0);
    fadeAnimation->start(QAbstractAnimation::DeleteWhenStopped);

    shown = true;
    activateWindow();
    ui->lineEdit->setFocus();
    InOut();
    focusTimer->start(500);
}

// Typing always lands in the field while the box is in.
void FormVesk::InOut()
{
    ui->lineEdit->setFocus();
    platform::WindowSystemService::get().forceActivate(this);
}

void FormVesk::winOut()
{
    focusTimer->stop();
    stopAnimations();

    barAnimation = new QPropertyAnimation(ui->frame, "pos", this);
    barAnimation->setDuration(150);
    barAnimation->setStartValue(ui->frame->pos());
    barAnimation->setEndValue(barPos(30));
    barAnimation->setEasingCurve(QEasingCurve::OutQuart);
    connect(barAnimation, &QPropertyAnimation::finished, this, &FormVesk::ShowOut);
    barAnimation->start(QAbstractAnimation::DeleteWhenStopped);

    fadeAnimation = new QPropertyAnimation(this, "windowOpacity", this);
    fadeAnimation->setDuration(100);
    fadeAnimation->setStartValue(1.0);
    fadeAnimation->setEndValue(0.0);
    fadeAnimation->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormVesk::ShowOut()
{
    hide();
    shown = false;
}

void FormVesk::on_pushButton_2_clicked()
{
    winOut();
}

bool FormVesk::isAddress(const QString &text)
{
    return text.startsWith(QLatin1String("https://")) || text.startsWith(QLatin1String("http://"))
        || text.startsWith(QLatin1String("www"));
}

QUrl FormVesk::searchUrl(const QString &text)
{
    if (text.isEmpty())
        return QUrl();
    if (isAddress(text)) {
        const bool bare = text.startsWith(QLatin1String("www"));
        return QUrl(bare ? QStringLiteral("http://") + text : text, QUrl::TolerantMode);
    }
    QUrl url = ProductLinks::searchSite();
    if (url.path().isEmpty())
        url.setPath(QStringLiteral("/"));
    url.setFragment(QString());
    // Encoded whole, so "&", "#", "+" and "=" in the text stay part of the
    // value; what the site's address asks already stays in front of it.
    const QString q = QStringLiteral("q=") + QString::fromLatin1(QUrl::toPercentEncoding(text));
    const QString asked = url.query(QUrl::FullyEncoded);
    url.setQuery(asked.isEmpty() ? q : asked + QLatin1Char('&') + q, QUrl::StrictMode);
    return url;
}

void FormVesk::on_pushButton_clicked()
{
    const QString text = ui->lineEdit->text();
    if (text.isEmpty()) {
        ui->lineEdit->clear();
        return;
    }
    platform::OpenerService::get().openUrl(searchUrl(text));
    winOut();
    ui->lineEdit->clear();
}
