#pragma once
#include <QPoint>
#include <QString>
#include <QWidget>

namespace Ui {
class FormMenu;
}

// The pop-up strip of one MENU icon on the dock. It lives as a child of the
// dock window, which keeps it beside its icon and reports the dock's edge,
// icon size and double-click mode to it.
class FormMenu : public QWidget
{
    Q_OBJECT

public:
    explicit FormMenu(QWidget *parent = nullptr);
    ~FormMenu() override;

    // Ties the pop-up to its MENU icon and to the dock window's position.
    void setMenu(const QString &ID, int x, int y);
    void layoutIcons(int w, int h);
    void setIconSize(int w, int h);
    void setDoubleClick(bool b);
    // An edge change after creation (re-orients the icons).
    void setPosition(int edge);
    // The dock's edge right after creation, before anything is laid out.
    void setDockEdge(int edge) { m_edge = edge; }

    void toggle();
    void showAnimated();
    void hideAnimated();

    QString menuId() const { return m_menuId; }
    QPoint dockOrigin() const { return QPoint(m_dockX, m_dockY); }
    int iconWidth() const { return m_iconWidth; }
    int iconHeight() const { return m_iconHeight; }
    int dockEdge() const { return m_edge; }
    bool doubleClick() const { return m_doubleClick; }
    bool isShown() const { return m_shown; }

public slots:
    // True when the menu took the icon as a new row of its own.
    bool AddIcon(QString ico, QString name, QString cl, QString path);

signals:
    void setIcoBShow(bool b);
    void setIcoBMoveShow(bool b);
    void menuAddIco(QString ID);
    void menuIcoMove(QString ID);
    void menuAddSystemIco(QString ID);
    void menuAddFolder(QString ID);
    void menuOpenIco(QString ID, int x);
    void menuAddUrlIco(QString ID);
    void returnAddIcon(QString ID, QString ico, QString name, QString cl, QString path, QPoint p);
    void returnConfirm(bool b);

private:
    Ui::FormMenu *ui;
    QString m_menuId;
    int m_dockX = 0;
    int m_dockY = 0;
    int m_iconWidth = 0;
    int m_iconHeight = 0;
    int m_edge = 2;
    bool m_doubleClick = false;
    bool m_shown = false;
};
