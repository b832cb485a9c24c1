#pragma once
#include <QHash>
#include <QObject>
#include <QRegion>

class DockIconList;
class FormMenu;
class FormStartMenu;
class Widget;

// The pop-ups that open beside the bar's icons: one icon menu per MENU row,
// made when its row first appears, and the start-menu tree. They live inside
// the dock window; this keeps them, follows the bar's edge, size and clicks,
// places them beside their icons and hides them.
class DockMenus : public QObject
{
    Q_OBJECT
public:
    DockMenus(DockIconList *icons, Widget *dock);

    FormMenu *menu(const QString &id) const { return m_menus.value(id); }
    FormStartMenu *startMenu() const { return m_start; }

    // Makes the menus of MENU rows that have none yet, wired to the dock.
    void createMissing(int edge, bool doubleClick, int iconSize);
    // What every menu follows of the bar.
    void setEdge(int edge);
    void setDoubleClick(bool doubleClick);
    void setIconSize(int iconSize);

    // Hides every icon menu, or every one but that of `keep`, with its slide.
    void hideAll(const QString &keep = QString());

    // Where an icon menu or the start menu stands beside its icon: `origin` is
    // the icon's top left in the dock window, `icon` the icon slot's size,
    // `grown` the icon's size of the moment, `rest` and `magnified` the bar's
    // sizes, `inBar` the icon's place in the bar, `window` the dock window's height.
    struct Beside {
        int edge = 2;
        QPoint origin;
        QSize slot;
        QSize grown;
        QPoint inBar;
        float rest = 0;
        float magnified = 0;
        int window = 0;
    };
    void placeBeside(const QString &id, const QString &cl, const Beside &b);
    // What each icon menu was last placed beside: its icon's row on a bar of
    // that edge and those sizes, and how far the icon had grown.
    struct Anchor {
        int edge = -1, row = -1, window = 0;
        float rest = 0, magnified = 0;
        QSize grown;
        bool sameBar(const Anchor &o) const
        {
            return edge == o.edge && row == o.row && window == o.window && rest == o.rest && magnified == o.magnified;
        }
    };

    // What the shown pop-ups draw in the dock window.
    QRegion shownRegion() const;

private:
    DockIconList *m_icons;
    Widget *m_dock;
    QHash<QString, FormMenu *> m_menus;
    QHash<QString, Anchor> m_anchors;
    FormStartMenu *m_start;
};
