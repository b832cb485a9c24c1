#include "hovertips.h"

#include "dock/icons/formname.h"
#include "dock/model/dockicon.h"
#include "dock/widgets/formweathereffects.h"
#include "platform/windowsystem.h"

#include <QLabel>
#include <QTimer>

HoverTips::HoverTips(QWidget *dock)
    : QObject(dock), m_dock(dock), m_name(new FormName(dock)), m_sceneDue(new QTimer(this))
{
    // The pointer passes through the bubble to whatever lies beneath.
    m_name->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_name->hide();
    m_sceneDue->setSingleShot(true);
    m_sceneDue->setInterval(FormWeatherEffects::FadeInWaitMs);
    connect(m_sceneDue, &QTimer::timeout, this, &HoverTips::showScene);
}

// The weather scene is made when the weather first needs it, not at start-up.
FormWeatherEffects *HoverTips::scene()
{
    if (!m_scene) {
        m_scene = new FormWeatherEffects;
        m_scene->setWindowFlags(Qt::Tool | Qt::BypassWindowManagerHint | Qt::FramelessWindowHint
                                | Qt::WindowStaysOnTopHint);
        m_scene->hide();
        platform::setWindowRole(m_scene, platform::WindowRole::Overlay);
    }
    return m_scene;
}

HoverTips::~HoverTips()
{
    delete m_scene;
    delete m_lane; // with the bubble, while it lies there; else the dock window takes it along
}

// The bubble is drawn by the dock window with the bar, as one picture with
// it. Over the weather scene, which is a window of its own, and where the
// clear parts of a window show black (no compositing manager), it lies in a
// window of its own along the bar instead, which the pointer passes through
// and the window manager leaves alone; following the pointer moves the
// bubble inside that window, and the window itself stays where it is.
bool HoverTips::wantsLane() const
{
    return (m_scene && m_scene->isVisible()) || !platform::WindowSystemService::get().translucencyWorks();
}

void HoverTips::putInLane(bool lane)
{
    if ((m_name->parentWidget() == m_lane && m_lane) == lane)
        return;
    const bool shown = !m_name->isHidden();
    if (lane) {
        if (!m_lane) {
            m_lane = new QWidget;
            platform::makePassThroughOverlay(m_lane);
            m_lane->setObjectName(QStringLiteral("FormNameLane"));
            platform::setWindowRole(m_lane, platform::WindowRole::Tip);
        }
        m_name->reparent(m_lane);
        m_lastLane = QRect();
    } else {
        m_name->reparent(m_dock);
        m_lane->hide();
    }
    m_name->setVisible(shown);
    if (shown)
        showBubble();
}

void HoverTips::follow(const QString &name, bool weatherIcon, DockLayout::HoverInput in)
{
    if (name != m_lastName || in.edge != m_lastEdge || m_name->fontSize() != m_lastFont) {
        m_name->setName(in.edge, name);
        m_lastName = name;
        m_lastEdge = in.edge;
        m_lastFont = m_name->fontSize();
        m_lastLane = QRect();
    }
    in.bubble = m_name->size();
    const bool sceneShown = m_scene && m_scene->isVisible();
    if (sceneShown || weatherIcon)
        in.weather = scene()->size();
    m_lastIn = in;
    m_lastOnWeather = weatherIcon;
    const DockLayout::HoverPlaces h = DockLayout::hoverPlaces(in);
    putInLane(wantsLane());
    if (m_name->parentWidget() != m_lane) {
        m_name->move(h.bubble);
    } else {
        // Along the bar the lane spans the bar; across it, the bubble.
        const QRect bubble(h.bubble, in.bubble);
        const QRect lane = (DockLayout::isHorizontal(in.edge)
                                ? QRect(in.main.x(), bubble.y(), in.main.width(), bubble.height())
                                : QRect(bubble.x(), in.main.y(), bubble.width(), in.main.height()))
                               .translated(in.window);
        if (m_lane->geometry() != lane)
            m_lane->setGeometry(lane);
        m_name->move(bubble.topLeft() + in.window - lane.topLeft());
        if (!platform::WindowSystemService::get().translucencyWorks() && m_lastLane != bubble) {
            // Only the label and its arrow are the window.
            QRegion shape(m_name->nameLabel()->geometry());
            if (!m_name->arrowLabel()->isHidden())
                shape += m_name->arrowLabel()->geometry();
            m_lane->setMask(shape.translated(m_name->pos()));
            m_lastLane = bubble;
        }
    }
    // The scene is a window of its own: moving it costs the display a
    // request and the toolkit a few round trips, so only while it shows.
    if (sceneShown)
        m_scene->move(h.weather);
}

void HoverTips::showFor(const QString &cl)
{
    if (IconClasses::of(cl).is(IconRule::NoBubble))
        hideBubble();
    else if (m_name->isHidden())
        showBubble();
    if (IconClasses::of(cl).face != IconFace::Weather) {
        m_sceneDue->stop();
        if (m_scene)
            m_scene->hide();
    }
}

void HoverTips::showBubble()
{
    m_name->show();
    m_name->raise();
    if (m_name->parentWidget() == m_lane && m_lane) {
        m_lane->show();
        // The scene may have come up since the bubble: the name stays readable.
        m_lane->raise();
    }
}

void HoverTips::hideBubble()
{
    m_name->hide();
    if (m_lane)
        m_lane->hide();
}

QRegion HoverTips::drawnRegion() const
{
    if (m_name->isHidden() || m_name->parentWidget() != m_dock)
        return QRegion();
    return m_name->drawnRegion().translated(m_name->pos());
}

QWidget *HoverTips::bubbleWindow() const
{
    return m_name->window();
}

// The scene shows fully transparent for its first moments: a pointer that
// only passes over the weather icon, as a sweep along the bar does, would
// never see it. It is mapped once the pointer has stayed that long, and
// fades in at once.
void HoverTips::startScene()
{
    if (!(m_scene && m_scene->isVisible()))
        m_sceneDue->start();
}

void HoverTips::showScene()
{
    // Still on the weather icon, and nothing came over the bar meanwhile
    // (an icon menu hides the bubble).
    if (!m_lastOnWeather || m_name->isHidden())
        return;
    scene()->move(DockLayout::hoverPlaces(m_lastIn).weather);
    m_scene->show();
    m_scene->showStart(FormWeatherEffects::FadeInWaitMs);
    // The bubble goes into its lane, in front of the scene that just came up.
    follow(m_lastName, true, m_lastIn);
    showBubble();
}

void HoverTips::hide()
{
    hideBubble();
    m_sceneDue->stop();
    if (m_scene)
        m_scene->hide();
}

void HoverTips::setFontSize(int size)
{
    m_name->setFontSize(size);
    m_lastEdge = -1; // filled anew at the next hover
}
