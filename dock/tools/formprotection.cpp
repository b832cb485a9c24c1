#include "dock/tools/formprotection.h"

#include "common/logging.h"
#include "dock/tools/formprotectionsetting.h"
#include "platform/screens.h"
#include "platform/windowsystem.h"
#include "ui_formprotection.h"

#include <KX11Extras>
#include <QGuiApplication>
#include <QScreen>
#include <QX11Info>

FormProtection::FormProtection(QWidget *parent) : QWidget(parent), ui(new Ui::FormProtection)
{
    ui->setupUi(this);
    // Above everything, unmanaged, and never the target of the mouse: input
    // passes through to what lies below.
    setWindowFlags(Qt::Tool | Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint
                   | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);

    m_control = new FormProtectionSetting;
    platform::setWindowRole(m_control, platform::WindowRole::Overlay);
    connect(m_control, &FormProtectionSetting::setDisplay, this, &FormProtection::setDisplay);
    connect(m_control, &FormProtectionSetting::setClose, this, &FormProtection::setClose);
    m_control->hide();

    // The veil follows the screens while it is shown.
    auto follow = [this](QScreen *s) {
        connect(s, &QScreen::virtualGeometryChanged, this, &FormProtection::fitScreens);
    };
    for (QScreen *s : QGuiApplication::screens())
        follow(s);
    connect(qApp, &QGuiApplication::screenAdded, this, [this, follow](QScreen *s) {
        follow(s);
        fitScreens();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, &FormProtection::fitScreens);
    if (QX11Info::isPlatformX11())
        connect(KX11Extras::self(), &KX11Extras::compositingChanged, this, &FormProtection::compositingChanged);
}

FormProtection::~FormProtection()
{
    delete m_control;
    delete ui;
}

QString FormProtection::frameSheet(int alpha)
{
    return QStringLiteral("QFrame{background-color: rgba(170, 170, 0,%1);border-radius:0px;border:0px;"
                          "border-style:solid;border-color: #535B6F;}")
        .arg(alpha);
}

void FormProtection::setDisplay(int v)
{
    m_alpha = v;
    ui->frame->setStyleSheet(frameSheet(v));
}

void FormProtection::setClose()
{
    shown = false;
    hide();
    m_control->hide();
}

void FormProtection::toggleDisplay()
{
    if (shown) {
        setClose();
        return;
    }
    // Without a compositor the translucent veil would be painted opaque and
    // black out the screen.
    if (!platform::WindowSystemService::get().translucencyWorks()) {
        static bool said = false;
        if (!said)
            qCDebug(lcDesktop) << "eye protection needs a compositing manager; the tint stays off";
        said = true;
        return;
    }
    shown = true;
    fitScreens();
    show();
    raise();
    m_control->ReadSettings();
    m_control->show();
}

void FormProtection::fitScreens()
{
    const QRect all = platform::ScreensService::get().desktopGeometry();
    if (shown && !all.isEmpty())
        setGeometry(all);
}

void FormProtection::compositingChanged(bool active)
{
    if (!active && shown) {
        qCDebug(lcDesktop) << "the compositing manager stopped; eye protection turned off";
        setClose();
    }
}
