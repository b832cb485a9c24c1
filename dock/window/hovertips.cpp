#include "hovertips.h"

#include "dock/icons/formname.h"
#include "dock/model/dockicon.h"
#include "dock/widgets/formweathereffects.h"
#include "platform/windowsystem.h"

#include <QMoveEvent>

HoverTips::HoverTips(QWidget *dock) : QObject(dock), m_name(new FormName(dock))
{
    m_name->hide();
    m_name->installEventFilter(this);
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

// The bubble belongs to what the window shows: the input shape takes its
// lane, which changes when it shows, hides or changes size, but not while
// it moves along the bar.
bool HoverTips::eventFilter(QObject *o, QEvent *e)
{
    if (o == m_name) {
        switch (e->type()) {
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::Resize:
            emit laneChanged();
            break;
        case QEvent::Move: {
            const auto *m = static_cast<QMoveEvent *>(e);
            const bool horizontal = DockLayout::isHorizontal(m_lastEdge);
            if (m_lastEdge < 0 || (horizontal ? m->pos().y() != m->oldPos().y() : m->pos().x() != m->oldPos().x()))
                emit laneChanged();
            break;
        }
        default:
            break;
        }
    }
    return QObject::eventFilter(o, e);
}

HoverTips::~HoverTips()
{
    delete m_scene;
}

void HoverTips::follow(const QString &name, bool weatherIcon, DockLayout::HoverInput in)
{
    if (name != m_lastName || in.edge != m_lastEdge || m_name->fontSize() != m_lastFont) {
        m_name->setName(in.edge, name);
        m_lastName = name;
        m_lastEdge = in.edge;
        m_lastFont = m_name->fontSize();
    }
    in.bubble = m_name->size();
    const bool sceneShown = m_scene && m_scene->isVisible();
    if (sceneShown || weatherIcon)
        in.weather = scene()->size();
    const DockLayout::HoverPlaces h = DockLayout::hoverPlaces(in);
    m_name->move(h.bubble);
    // The scene is a window of its own: moving it costs the display a
    // request, so only while it shows or is about to.
    if (sceneShown || weatherIcon)
        m_scene->move(h.weather);
}

void HoverTips::showFor(const QString &cl)
{
    if (cl == IconClass::BLANK)
        m_name->hide();
    else
        m_name->show();
    if (cl != IconClass::WEATHER && m_scene)
        m_scene->hide();
}

void HoverTips::startScene()
{
    scene()->show();
    m_scene->showStart();
}

void HoverTips::hide()
{
    m_name->hide();
    if (m_scene)
        m_scene->hide();
}

void HoverTips::setFontSize(int size)
{
    m_name->setFontSize(size);
    m_lastEdge = -1; // filled anew at the next hover
}

QRect HoverTips::lane(int edge, const QRect &bar) const
{
    if (m_name->isHidden())
        return QRect();
    const QRect t = m_name->geometry();
    return DockLayout::isHorizontal(edge) ? QRect(bar.x(), t.y(), bar.width(), t.height())
                                          : QRect(t.x(), bar.y(), t.width(), bar.height());
}
