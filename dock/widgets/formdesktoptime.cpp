#include "dock/widgets/formdesktoptime.h"

#include "platform/windowsystem.h"
#include "ui_formdesktoptime.h"

namespace {
const Qt::WindowFlags ClockFlags =
    Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint;
}

FormDesktopTime::FormDesktopTime(QWidget *parent) : QWidget(parent), ui(new Ui::FormDesktopTime)
{
    ui->setupUi(this);
    setWindowFlags(ClockFlags);
    setAttribute(Qt::WA_TranslucentBackground);
}

FormDesktopTime::~FormDesktopTime()
{
    delete ui;
}

void FormDesktopTime::setShow(bool b)
{
    shown = b;
    if (b) {
        setWindowFlags(ClockFlags);
        show();
    } else {
        hide();
    }
}

void FormDesktopTime::DesktopTimeSize(int v)
{
    resize(v, v + 50);
}

void FormDesktopTime::DesktopTimeStyle(int v)
{
    styleIndex = v;
}

void FormDesktopTime::DesktopTimelocking(bool b)
{
    locked = b;
}

void FormDesktopTime::DesktopTimeLanguage(QString L)
{
    m_language = (L == "EN") ? QString("EN") : QString("中");
}

void FormDesktopTime::DesktopTimeAlpha(int v)
{
    alphaPercent = v;
    DesktopTimeStyle(styleIndex);
}

void FormDesktopTime::RaiseWindow()
{
    if (shown)
        platform::WindowSystemService::get().raiseOnce(this);
}
