#include "dock/tools/formprotection.h"

#include "ui_formprotection.h"

#include <QGuiApplication>
#include <QScreen>

FormProtection::FormProtection(QWidget *parent) : QWidget(parent), ui(new Ui::FormProtection)
{
    ui->setupUi(this);
    // The tint never takes the mouse: input passes through to what lies below.
    setWindowFlags(Qt::Tool | Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint
                   | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput);
    setAttribute(Qt::WA_TranslucentBackground);
    shown = false;
}

FormProtection::~FormProtection()
{
    delete ui;
}

void FormProtection::toggleDisplay()
{
    if (shown) {
        shown = false;
        hide();
        return;
    }
    shown = true;
    // The window manager is bypassed, so the tint sizes itself to the screen.
    if (QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
    show();
}
