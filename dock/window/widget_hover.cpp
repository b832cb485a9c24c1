#include "widget_p.h"

#include "autohide.h"

#include "docklayout.h"
#include "magnify.h"

// ---- hover magnification --------------------------------------------------

// Runs on every pointer move over an icon: it sizes at most four icons at
// once, sends back only icons that are away from their rest size, and touches
// no style sheet and no frame but what the row's relayout moves.
void Widget::IconMouseMove(QString ID, QPoint p)
{
    m_detection->hide();
    m_dragGhost->hide();
    if (m_menuShown)
        return;
    const DockIconList *t = IcoData;
    const int rows = t->rowCount();
    int r = -1;
    QVector<bool> blank(rows);
    for (int i = 0; i < rows; ++i) {
        if (r < 0 && t->cell(i, 0) == ID)
            r = i;
        blank[i] = t->cell(i, 3) == IconClass::BLANK;
    }
    if (r < 0)
        return;

    const int edge = m_set.location;
    const bool horizontal = DockLayout::isHorizontal(edge);
    const float d = float(horizontal ? p.x() : p.y());
    const Magnify::Plan plan = Magnify::plan(blank, r, d, m_set.icoMagnified, m_set.currentSizeF, horizontal);
    for (const Magnify::Step &step : plan.steps) {
        FormCommonIcon *icon = iconWidgets.value(t->cell(step.row, 0));
        if (!icon)
            continue;
        if (step.kind == Magnify::Step::SetSize)
            icon->setSize(step.size);
        else
            icon->mouseIn();
        m_hoverSized.insert(icon);
    }

    const QString cl = t->cell(r, 3);
    placeHoverWindows(iconWidgets.value(ID), t->cell(r, 2));
    if (m_autoHide->isDockShown()) {
        if (blank[r])
            m_name->hide();
        else
            m_name->show();
        if (cl != IconClass::WEATHER)
            m_weatherEffects->hide();
    }

    // Icons three rows away or more go back to rest; those already there are
    // left alone, so a long bar costs no more than a short one.
    const int n = int(m_set.currentSizeF);
    const int thin = int(DockLayout::blankLength(float(n)));
    auto restore = [&](int row) {
        FormCommonIcon *icon = iconWidgets.value(t->cell(row, 0));
        if (!icon)
            return;
        QSize rest(n, n);
        if (blank[row])
            rest = horizontal ? QSize(thin, n) : QSize(n, thin);
        if (m_hoverSized.remove(icon) || icon->size() != rest)
            icon->restoreSize();
    };
    for (int row = plan.restoreAfter; row < rows; ++row)
        restore(row);
    for (int row = plan.restoreBefore; row >= 0; --row)
        restore(row);
}

void Widget::placeHoverWindows(FormCommonIcon *icon, const QString &name)
{
    const int edge = m_set.location;
    // Filling the bubble lays out its text and arrow; the same name on the
    // same edge needs none of it again.
    if (name != m_bubbleName || edge != m_bubbleEdge || m_name->fontSize() != m_bubbleFont) {
        m_name->setName(edge, name);
        m_bubbleName = name;
        m_bubbleEdge = edge;
        m_bubbleFont = m_name->fontSize();
    }
    if (!icon)
        return;
    DockLayout::HoverInput in;
    in.edge = edge;
    in.window = pos();
    in.main = ui->main->geometry();
    in.frameIco = ui->frameIco->geometry();
    in.icon = icon->pos();
    in.magnified = m_set.icoMagnified;
    in.normal = m_set.currentSizeF;
    in.bubble = m_name->size();
    in.weather = m_weatherEffects->size();
    const DockLayout::HoverPlaces h = DockLayout::hoverPlaces(in);
    m_name->move(h.bubble);
    m_weatherEffects->move(h.weather);
}

void Widget::IconMouseIn(QString, QString types)
{
    if (types == IconClass::WEATHER && !m_menuShown) {
        m_weatherEffects->show();
        m_weatherEffects->showStart();
    }
}

void Widget::MousePosition(int p)
{
    m_name->hide();
    m_weatherEffects->hide();
    if (p != m_set.location)
        return;
    for (int r = 0; r < IcoData->rowCount(); ++r) {
        if (FormCommonIcon *icon = iconWidgets.value(IcoData->cell(r, 0)))
            icon->restoreSize();
    }
    m_hoverSized.clear();
}

void Widget::setIconDoubleClick(bool b)
{
    m_set.iconDoubleClick = b;
    qDebug() << "点击" << b;
    for (int r = 0; r < IcoData->rowCount(); ++r) {
        const QString id = IcoData->cell(r, 0);
        if (FormCommonIcon *icon = iconWidgets.value(id))
            icon->setDoubleClick(b);
        if (IcoData->cell(r, 3) == IconClass::MENU) {
            if (FormMenu *menu = menuWindows.value(id))
                menu->setDoubleClick(b);
        }
    }
    m_launchPad->setIconDoubleClick(b);
}
