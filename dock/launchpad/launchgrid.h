#pragma once
#include <QHash>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QVector>

#include <functional>

class FormLaunchCommonIcon;
class FormPagButton;
class LaunchRows;
class QFrame;
class QPropertyAnimation;
class QPushButton;
class QWidget;
struct DockIconRecord;

// The launch pad's paged grid: the icon widgets of the rows, their cells
// page by page, the page shown and its slides, and the page dots. It alone
// decides how many pages there are.
//
// A page holds 7 columns by 5 rows in an area of four fifths of the window;
// pages lie side by side in one wide frame, which slides to turn them. When
// icons of the chosen size cannot stand 7 or 5 in a line without covering
// each other, a page holds as many as fit (the size stays as chosen).
class LaunchGrid : public QObject
{
    Q_OBJECT
public:
    static constexpr int Columns = 7;
    static constexpr int Rows = 5;

    // The arithmetic; all divisions drop the fraction.
    struct Geometry
    {
        int gridX = 0, gridY = 0; // the grid area in the window
        int gridWidth = 0, gridHeight = 0;
        int columns = Columns, rows = Rows; // cells of a page across and down
        int columnGap = 0, rowGap = 0;
        int firstColumnX = 0; // equals gridX: the margin between pages
        int iconSize = 0;

        int perPage() const { return columns * rows; }
        // From the left of one page to the left of the next, inside the frame.
        int stride() const { return firstColumnX + gridWidth; }
        // Where the frame stands when page (from 1) is shown.
        int frameXForPage(int page) const { return gridX - (page - 1) * stride(); }
        // The frame's width for a number of pages.
        int frameWidth(int pages) const { return gridWidth * pages + (pages - 1) * firstColumnX; }
        // The page (from 1) that cell index i lies on.
        int pageOf(int i) const { return i / perPage() + 1; }
        // Where the page dots stand in the window: one row gap under the
        // last row of cells, so that they keep clear of the dock at the
        // screen's foot whatever the height.
        int dotsY() const { return gridY + rows * (iconSize + qMax(0, rowGap)); }
    };

    // The grid of a window w × h for icons of the given side.
    static Geometry layout(int w, int h, int iconSize);
    // The cells again for another icon size, the area unchanged.
    static void setIconSize(Geometry *g, int iconSize);

    struct Cells
    {
        QVector<QPoint> pos; // top left of each cell inside the frame, in order
        int pageCount = 1;
    };
    // Places count cells page by page. A page is counted as soon as the one
    // before it is full, so a full page is followed by an empty one.
    static Cells walk(int count, const Geometry &g);

    // The window's parts the grid lays out.
    struct Frames
    {
        QWidget *window = nullptr;
        QFrame *frame = nullptr;        // parent of the icons, one page wide per page
        QPushButton *frameButton = nullptr; // covers the frame: a click on no icon
        QFrame *dots = nullptr;         // holds the page dots
    };
    LaunchGrid(const Frames &frames, LaunchRows *rows, QObject *parent = nullptr);

    const Geometry &geometry() const { return m_geo; }
    int pageCount() const { return m_pageCount; }
    int currentPage() const { return m_currentPage; }
    FormLaunchCommonIcon *icon(const QString &id) const { return m_icons.value(id); }
    QList<FormLaunchCommonIcon *> icons() const { return m_icons.values(); }
    FormPagButton *dot(int page) const;
    bool isFiltered() const { return !m_filter.isEmpty(); }

    // Called for every icon widget the grid makes, before it is shown.
    void setIconSetup(std::function<void(FormLaunchCommonIcon *)> setup) { m_setup = std::move(setup); }

    // What every icon shows, the present ones and those made later.
    void setIconSize(int size);
    void setNameColor(const QString &rgb);
    void setBadges(bool on);
    bool badges() const { return m_badges; }

    // The area for the window's present size; the place() that follows
    // fits the frame's button and the dots to it.
    void layoutArea();
    // Every icon on its cell at once; the frame and the dots follow.
    void place();
    // The opening: the icons of page 1 fly from the middle to their cells.
    void flyIn();
    // Shows only the rows whose name holds the text, from page 1; an empty
    // text shows all again.
    void setFilter(const QString &text);
    // Slides to a page (not checked against the count; callers do).
    void showPage(int page);
    // One page back (step -1) or forward (+1), staying within the pages.
    void turn(int step);
    // Page 1, as after the first load.
    void toFirstPage();
    // How many pages beside the current one have their icons on screen; the
    // opening puts only the page shown up first.
    void setNearPages(int n) { m_nearPages = n; }
    int nearPages() const { return m_nearPages; }
    // The widget of a row again from its cells; a removed row's widget goes.
    void refresh(const QString &id);
    void removeIcon(const QString &id);

    // Which icon lies under a point on the screen, and which third of it:
    // 0 left, 1 middle, 2 right (the borders belong to none). Empty when none.
    struct Hit
    {
        QString id;
        int part = -1;
    };
    Hit iconAt(const QPoint &global) const;

private:
    QVector<int> shownRows() const;
    FormLaunchCommonIcon *makeIcon(const DockIconRecord &rec);
    void placeRows(const QVector<int> &rows);
    void updateDots();
    void jumpTo(int page);

    Frames m_f;
    LaunchRows *m_rows;
    Geometry m_geo;
    int m_pageCount = 1;
    int m_currentPage = 1;
    int m_nearPages = 1;
    QString m_filter;
    QString m_nameColor;
    bool m_badges = false;
    std::function<void(FormLaunchCommonIcon *)> m_setup;
    QHash<QString, FormLaunchCommonIcon *> m_icons;
    QHash<int, FormPagButton *> m_dots;
    QPointer<QPropertyAnimation> m_slide;
};
