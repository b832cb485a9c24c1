#include "dock/launchpad/formlaunchstarter.h"

#include "ui_formlaunchstarter.h"

#include <algorithm>

FormLaunchStarter::FormLaunchStarter(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormLaunchStarter)
{
    ui->setupUi(this);
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    padShown = false;

    QFont font("Microsoft YaHei", 10, 10, false);
    font.setPixelSize(14);
    ui->time->setFont(font);
}

FormLaunchStarter::~FormLaunchStarter()
{
    delete ui;
}

void FormLaunchStarter::toggleShow()
{
    if (padShown)
        CloseShow();
    else
        StartShow();
}

void FormLaunchStarter::StartShow()
{
    if (padShown)
        return;
    padShown = true;
    show();
    activateWindow();
}

void FormLaunchStarter::CloseShow()
{
    if (!padShown)
        return;
    padShown = false;
    ShowOut();
}

void FormLaunchStarter::ShowOut()
{
    emit LaunchPadClose();
    hide();
}

void FormLaunchStarter::on_closeButton_clicked()
{
    CloseShow();
}

void FormLaunchStarter::placeOnScreen(int x, int y, int w, int h)
{
    if (pos() == QPoint(x, y) && size() == QSize(w, h))
        return;
    resize(w, h);
    move(x, y);
    relayout();
}

void FormLaunchStarter::relayout()
{
    // A click on empty space anywhere closes the pad.
    ui->closeButton->setGeometry(0, 0, width(), height());
}

void FormLaunchStarter::setTimeText(QString text)
{
    ui->time->setText(text);
}

QString FormLaunchStarter::timeText() const
{
    return ui->time->text();
}

void FormLaunchStarter::turnPage(int dir)
{
    if (!padShown)
        return;
    if (dir == 0) {
        currentPage = std::max(currentPage - 1, 1);
        onPag(currentPage);
    } else if (dir == 1) {
        currentPage = std::min(currentPage + 1, pageCount);
        onPag(currentPage);
    }
}

void FormLaunchStarter::onPag(int x)
{
    currentPage = x;
}

void FormLaunchStarter::setIconDoubleClick(bool b)
{
    // The mode belongs to the icon widgets; the pad has none yet.
    Q_UNUSED(b)
}

void FormLaunchStarter::addIconFromDock(QString ico, QString name, QString cl, QString path,
                                        QString ID)
{
    // The pad keeps no icon list yet, so there is nothing to add to.
    Q_UNUSED(ico)
    Q_UNUSED(name)
    Q_UNUSED(cl)
    Q_UNUSED(path)
    Q_UNUSED(ID)
}
