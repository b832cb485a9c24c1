#pragma once
#include <QPoint>
#include <QVector>

// The arithmetic of the launch pad's grid: 7 columns by 5 rows a page, in an
// area of four fifths of the window, pages side by side in one wide frame.
// All divisions drop the fraction.
namespace LaunchGrid {

constexpr int Columns = 7;
constexpr int Rows = 5;
constexpr int PerPage = Columns * Rows;

struct Geometry
{
    int gridX = 0, gridY = 0;          // the grid area in the window
    int gridWidth = 0, gridHeight = 0;
    int columnGap = 0, rowGap = 0;     // may be negative: big icons overlap
    int firstColumnX = 0;              // equals gridX: the margin between pages
    int iconSize = 0;

    // From the left of one page to the left of the next, inside the frame.
    int stride() const { return firstColumnX + gridWidth; }
    // Where the frame stands when page (from 1) is shown.
    int frameXForPage(int page) const { return gridX - (page - 1) * stride(); }
    // The frame's width for a number of pages.
    int frameWidth(int pages) const { return gridWidth * pages + (pages - 1) * firstColumnX; }
};

// The grid of a window w × h for icons of the given side.
Geometry layout(int w, int h, int iconSize);
// The gaps again for another icon size, the area unchanged.
void setIconSize(Geometry *g, int iconSize);

struct Cells
{
    QVector<QPoint> pos; // top left of each cell inside the frame, in order
    int pageCount = 1;
};

// Places count cells page by page. A page is counted as soon as the one
// before it is full, so 35 cells give two pages, the second empty.
Cells walk(int count, const Geometry &g);

// The page (from 1) that cell index i lies on.
inline int pageOf(int i) { return i / PerPage + 1; }

} // namespace LaunchGrid
