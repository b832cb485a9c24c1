#include "launchgrid.h"

#include "dock/launchpad/formlaunchcommonicon.h"
#include "dock/launchpad/formpagbutton.h"
#include "dock/launchpad/launchrows.h"
#include "dock/launchpad/launchsearch.h"
#include "dock/model/dockiconlist.h"

#include <QFrame>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QSet>

#include <algorithm>

// ---- arithmetic ---------------------------------------------------------------

LaunchGrid::Geometry LaunchGrid::layout(int w, int h, int iconSize)
{
    Geometry g;
    g.gridWidth = w - w / 5;
    g.gridHeight = h - h / 5;
    g.gridX = (w - g.gridWidth) / 2;
    g.gridY = (h - g.gridHeight) / 2;
    g.firstColumnX = g.gridX;
    setIconSize(&g, iconSize);
    return g;
}

void LaunchGrid::setIconSize(Geometry *g, int iconSize)
{
    g->iconSize = iconSize;
    // Icons that do not fit seven (five) in a line would be drawn over each
    // other: the line holds fewer instead.
    g->columns = Columns * iconSize <= g->gridWidth ? Columns : qMax(1, g->gridWidth / qMax(1, iconSize));
    g->rows = Rows * iconSize <= g->gridHeight ? Rows : qMax(1, g->gridHeight / qMax(1, iconSize));
    g->columnGap = g->columns > 1 ? (g->gridWidth - g->columns * iconSize) / (g->columns - 1) : 0;
    g->rowGap = (g->gridHeight - g->rows * iconSize) / (g->rows + 1);
}

LaunchGrid::Cells LaunchGrid::walk(int count, const Geometry &g)
{
    Cells cells;
    cells.pos.reserve(count);
    int x = 0, y = 0, c = 1, r = 1;
    for (int i = 0; i < count; ++i) {
        cells.pos.append(QPoint(x, y));
        x += g.columnGap + g.iconSize;
        if (c == g.columns) {
            ++r;
            x = (cells.pageCount - 1) * g.stride();
            y += g.iconSize + g.rowGap;
            c = 1;
        } else {
            ++c;
        }
        if (r == g.rows + 1) {
            r = 1;
            y = 0;
            x = cells.pageCount * g.stride();
            ++cells.pageCount;
        }
    }
    return cells;
}

// ---- the grid -------------------------------------------------------------------

LaunchGrid::LaunchGrid(const Frames &frames, LaunchRows *rows, QObject *parent)
    : QObject(parent), m_f(frames), m_rows(rows)
{
    m_geo = layout(m_f.window->width(), m_f.window->height(), 160);
}

FormPagButton *LaunchGrid::dot(int page) const
{
    return m_dots.value(page);
}

void LaunchGrid::setIconSize(int size)
{
    // Every relayout reads the look again, mostly to the same size.
    if (size == m_geo.iconSize)
        return;
    setIconSize(&m_geo, size);
    for (FormLaunchCommonIcon *w : qAsConst(m_icons))
        w->resize(size, size);
    place();
}

void LaunchGrid::setNameColor(const QString &rgb)
{
    m_nameColor = rgb;
    for (FormLaunchCommonIcon *w : qAsConst(m_icons))
        w->setNameColor(rgb);
}

void LaunchGrid::setBadges(bool on)
{
    m_badges = on;
    for (FormLaunchCommonIcon *w : qAsConst(m_icons))
        on ? w->deleteShow() : w->deleteHide();
}

void LaunchGrid::layoutArea()
{
    const int W = m_f.window->width(), H = m_f.window->height();
    m_geo = layout(W, H, m_geo.iconSize);
    m_f.frame->setGeometry(m_geo.gridX, m_geo.gridY, m_geo.gridWidth, m_geo.gridHeight);
}

FormLaunchCommonIcon *LaunchGrid::makeIcon(const DockIconRecord &rec)
{
    FormLaunchCommonIcon *icon = m_icons.value(rec.IconID);
    if (!icon) {
        icon = new FormLaunchCommonIcon(m_f.frame);
        m_icons.insert(rec.IconID, icon);
        if (m_setup)
            m_setup(icon);
    }
    icon->resize(m_geo.iconSize, m_geo.iconSize);
    icon->setData(rec.IconID, rec.Icon, rec.Class, rec.Name);
    icon->setNameColor(m_nameColor);
    if (m_badges)
        icon->deleteShow();
    return icon;
}

void LaunchGrid::refresh(const QString &id)
{
    const int r = m_rows->rowOf(id);
    if (r >= 0 && m_icons.contains(id))
        makeIcon(m_rows->at(r));
}

void LaunchGrid::removeIcon(const QString &id)
{
    if (FormLaunchCommonIcon *w = m_icons.take(id)) {
        w->hide();
        w->deleteLater();
    }
}

QVector<int> LaunchGrid::shownRows() const
{
    QVector<int> rows;
    rows.reserve(m_rows->size());
    for (int r = 0; r < m_rows->size(); ++r) {
        // A search shows the rows whose name holds the text; the hole of a
        // drag takes a cell only in the full grid.
        if (m_filter.isEmpty() || LaunchSearch::matches(m_rows->at(r), m_filter))
            rows << r;
    }
    return rows;
}

// Widgets are made for the pages next to the one shown as they come into
// reach: a pad of a thousand icons would otherwise build, polish, show and
// hide them all at start-up and at every opening.
void LaunchGrid::placeRows(const QVector<int> &rows)
{
    const Cells cells = walk(rows.size(), m_geo);
    m_pageCount = cells.pageCount;
    // Icons removed: the page shown may be gone.
    if (m_currentPage > m_pageCount && !m_rows->isLifted())
        jumpTo(m_pageCount);
    const QString lifted = m_rows->liftedId();
    QSet<FormLaunchCommonIcon *> onScreen;
    for (int k = 0; k < rows.size(); ++k) {
        const DockIconRecord &rec = m_rows->at(rows[k]);
        if (rec.Class == IconClass::Placeholder)
            continue;
        const bool near = qAbs(m_geo.pageOf(k) - m_currentPage) <= m_nearPages;
        FormLaunchCommonIcon *w = m_icons.value(rec.IconID);
        if (!w && !near)
            continue;
        if (!w)
            w = makeIcon(rec);
        w->move(cells.pos[k]);
        if (near) {
            w->show();
            onScreen.insert(w);
        }
    }
    for (FormLaunchCommonIcon *w : qAsConst(m_icons)) {
        // The lifted icon keeps the press of its drag: it is never hidden.
        if (!onScreen.contains(w) && !(w->id() == lifted && !lifted.isEmpty()))
            w->hide();
    }
    m_f.frame->resize(m_geo.frameWidth(m_pageCount), m_geo.gridHeight);
    m_f.frameButton->resize(m_f.frame->size());
    updateDots();
}

void LaunchGrid::place()
{
    placeRows(shownRows());
}

void LaunchGrid::flyIn()
{
    // The flight is for page 1; on another page, or searching, the icons
    // simply stand.
    if (isFiltered() || m_currentPage != 1)
        return;
    const int n = std::min<int>(m_rows->size(), m_geo.perPage());
    const Cells cells = walk(n, m_geo);
    for (int i = 0; i < n; ++i) {
        const DockIconRecord &rec = m_rows->at(i);
        if (rec.Class == IconClass::Placeholder)
            continue;
        if (FormLaunchCommonIcon *w = m_icons.value(rec.IconID))
            w->moveAnimation((m_geo.gridWidth - w->width()) / 2, (m_geo.gridHeight - w->height()) / 2,
                             cells.pos[i].x(), cells.pos[i].y());
    }
}

void LaunchGrid::setFilter(const QString &text)
{
    m_filter = text;
    // The results begin on page 1, whatever page the search started from.
    if (!text.isEmpty() && m_currentPage != 1)
        jumpTo(1);
    place();
}

void LaunchGrid::jumpTo(int page)
{
    if (m_slide)
        m_slide->stop();
    m_currentPage = page;
    m_f.frame->move(m_geo.frameXForPage(page), m_geo.gridY);
}

void LaunchGrid::toFirstPage()
{
    m_currentPage = 1;
    place();
}

void LaunchGrid::updateDots()
{
    for (int n = 1; n <= m_pageCount; ++n) {
        FormPagButton *b = m_dots.value(n);
        if (!b) {
            b = new FormPagButton(m_f.dots);
            m_dots.insert(n, b);
            connect(b, &FormPagButton::onPag, this, &LaunchGrid::showPage);
        }
        b->move(20 * (n - 1), 0);
        b->setPage(n);
        b->setActive(n == m_currentPage);
        b->show();
    }
    // Dots of pages that are gone stay hidden.
    for (auto it = m_dots.cbegin(); it != m_dots.cend(); ++it) {
        if (it.key() > m_pageCount)
            it.value()->hide();
    }
    m_f.dots->resize(20 * m_pageCount, 20);
    m_f.dots->move((m_f.window->width() - m_f.dots->width()) / 2, m_geo.dotsY());
    m_f.dots->setVisible(m_pageCount > 1);
}

void LaunchGrid::showPage(int page)
{
    const int from = m_currentPage;
    // A new turn takes over from a slide still running, from where it is.
    if (m_slide)
        m_slide->stop();
    auto *a = new QPropertyAnimation(m_f.frame, "pos", this);
    a->setDuration(300);
    a->setEasingCurve(QEasingCurve::OutCubic);
    a->setStartValue(QPoint(m_f.frame->x(), m_geo.gridY));
    a->setEndValue(QPoint(m_geo.frameXForPage(page), m_geo.gridY));
    m_slide = a;
    a->start(QAbstractAnimation::DeleteWhenStopped);
    m_currentPage = page;
    m_nearPages = 1;
    // The page next door is on screen already; the icons of the one beyond
    // are put up once the slide has ended, not in its first frame.
    if (qAbs(page - from) > 1)
        place();
    else
        connect(a, &QPropertyAnimation::finished, this, &LaunchGrid::place);
    for (FormPagButton *b : qAsConst(m_dots))
        b->setActive(false);
    if (FormPagButton *b = dot(page))
        b->setActive(true);
}

void LaunchGrid::turn(int step)
{
    showPage(qBound(1, m_currentPage + step, qMax(1, m_pageCount)));
}

LaunchGrid::Hit LaunchGrid::iconAt(const QPoint &P) const
{
    for (int r = 0; r < m_rows->size(); ++r) {
        const DockIconRecord &rec = m_rows->at(r);
        if (rec.Class == IconClass::Placeholder)
            continue;
        FormLaunchCommonIcon *w = m_icons.value(rec.IconID);
        if (!w || !w->isVisible())
            continue;
        const QRect s(w->mapToGlobal(QPoint(0, 0)), w->size());
        const int L = s.x(), ww = s.width();
        if (!(P.x() > L && P.x() < L + ww && P.y() > s.y() && P.y() < s.y() + s.height()))
            continue;
        Hit hit { rec.IconID, -1 };
        if (P.x() < L + ww / 3)
            hit.part = 0;
        else if (P.x() > L + ww / 3 && P.x() < L + ww - ww / 3)
            hit.part = 1;
        else if (P.x() > L + ww - ww / 3)
            hit.part = 2;
        return hit;
    }
    return {};
}
