#pragma once
#include "dock/icons/dockiconmenucode.h"

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace Ui {
class FormCommonIcon;
}
class QMenu;
class QMovie;
class QPropertyAnimation;
class QTimer;
class FormTimingFlash;
class FormRecycle;
class FormDisk;
class FormWeatherIcon;
class FormClock1;
class FormClock2;

// One icon of the dock bar: its picture or live face, its magnification, its
// animations and its context menu. It never edits an icon table: it reports
// what happens to it by signals carrying its ID, and its owner acts. An icon
// of class "Temporary" (a drag ghost or placeholder) ignores the mouse.
class FormCommonIcon : public QWidget
{
    Q_OBJECT
public:
    explicit FormCommonIcon(QWidget *parent = nullptr);
    ~FormCommonIcon() override;

    // The row's data; builds the face of the class (replacing an earlier one).
    void setIcon(const QString &id, int magnified, int normal, int size3, int size4, int edge,
                 const QString &name, const QString &icon, const QString &cl);
    // The same data for an icon that already has its face (after an edit).
    void resetIcon(const QString &id, int magnified, int normal, int size3, int size4, int edge,
                   const QString &name, const QString &icon, const QString &cl);
    void setIconSize(int magnified, int normal);
    // The size the owner's magnification gives the icon now; emits IconWidth.
    void setSize(float s);
    void setDoubleClick(bool b) { m_doubleClick = b; }
    void setClickStyle(int x) { m_clickStyle = x; }
    // For a DISK icon of this ID: the drive (mount point, "0" for none).
    void setDiskInfo(const QString &id, const QString &drive);
    // For a WEATHER icon: a new reading.
    void setWeather(const QString &name, const QString &stateDetailed, const QString &temNow, const QString &state);

    void closeAnimation();
    void jumpAnimation();
    void showAnimation();
    // Glides to (x, y); a glide still on its way elsewhere stops first.
    void moveAnimation(int x, int y);
    // Stands at `p` at once, ending any glide that would carry it off again.
    void placeAt(const QPoint &p);

    // Builds this icon's context menu into the three menus (main, the
    // "添加图标" submenu and the "图标设置" submenu). The right release runs it.
    void fillContextMenu(QMenu *main, QMenu *addMenu, QMenu *setMenu);
    static QString menuStyleSheet();
    // Runs the context menu of an icon of this ID and class at the cursor;
    // an icon that only runs the menus of others needs nothing else.
    void setMenuTarget(const QString &id, const QString &cl)
    {
        m_id = id;
        m_class = cl;
    }
    void runContextMenu();

    QString id() const { return m_id; }
    QString name() const { return m_name; }
    QString iconPath() const { return m_iconPath; }
    QString iconClass() const { return m_class; }
    int edge() const { return m_edge; }
    float magnifiedSize() const { return m_magnified; }
    float normalSize() const { return m_normal; }
    float magnifiedBase() const { return m_magnifiedBase; }
    float normalBase() const { return m_normalBase; }
    int clickStyle() const { return m_clickStyle; }
    bool doubleClick() const { return m_doubleClick; }
    bool isPressed() const { return m_pressed; }
    bool isDragging() const { return m_drag; }
    bool isMouseIn() const { return m_mouseIn; }
    int ringTicks() const { return m_ringTicks; }
    bool hasMovie() const { return m_movieFlag; }
    QMovie *movie() const { return m_movie; }
    FormTimingFlash *ring() const { return m_ring; }
    QPropertyAnimation *sizeAnimation() const { return m_sizeAnimation; }
    QTimer *hoverTimer() const { return m_hoverTimer; }
    QTimer *clickTimer() const { return m_clickTimer; }
    QTimer *ringTimer() const { return m_ringTimer; }
    FormRecycle *recycleFace() const { return m_recycle; }
    FormDisk *diskFace() const { return m_disk; }
    FormWeatherIcon *weatherFace() const { return m_weather; }
    FormClock1 *clock1Face() const { return m_clock1; }
    FormClock2 *clock2Face() const { return m_clock2; }

    // Written directly by the owner: while set, the icon ignores size
    // changes, hover animations and drag moves.
    bool frozen = false;

public slots:
    void mouseIn();
    void mouseOut() {}
    void mouseOutOver() {}
    void restoreSize();
    void timeOver();
    void MyClose();
    void ClickTimeOver();
    void TimingTimeOver();
    void OpenIcon();
    void OpenRecycle();
    void ClearRecycle();
    void myHelp();
    void MenuHide();
    // Context-menu entries that only pass their command to the owner.
    void showSet() { emit IconMenu(m_id, DockIconMenuCode::ShowSet); }
    void IconSet() { emit IconMenu(m_id, DockIconMenuCode::IconSet); }
    void AddIcon() { emit IconMenu(m_id, DockIconMenuCode::AddIcon); }
    void AddSystemIcon() { emit IconMenu(m_id, DockIconMenuCode::AddSystemIcon); }
    void AddExtensionIcon() { emit IconMenu(m_id, DockIconMenuCode::AddExtensionIcon); }
    void AddExtendedMenu() { emit IconMenu(m_id, DockIconMenuCode::AddExtendedMenu); }
    void DeleteIcon() { emit IconMenu(m_id, DockIconMenuCode::DeleteIcon); }
    void menuAddIcon() { emit IconMenu(m_id, DockIconMenuCode::MenuAddIcon); }
    void menuAddSystemIcon() { emit IconMenu(m_id, DockIconMenuCode::MenuAddSystemIcon); }
    void IconSetDisk() { emit IconMenu(m_id, DockIconMenuCode::IconSetDisk); }
    void AddFolder() { emit IconMenu(m_id, DockIconMenuCode::AddFolder); }
    void menuAddFolder() { emit IconMenu(m_id, DockIconMenuCode::MenuAddFolder); }
    void AddDesktopWidget() { emit IconMenu(m_id, DockIconMenuCode::AddDesktopWidget); }
    void AddBlank() { emit IconMenu(m_id, DockIconMenuCode::AddBlank); }
    void AddUrlIco() { emit IconMenu(m_id, DockIconMenuCode::AddUrlIco); }
    void menuAddUrlIco() { emit IconMenu(m_id, DockIconMenuCode::MenuAddUrlIco); }
    void RecycleIconAir() { emit IconMenu(m_id, DockIconMenuCode::RecycleIconAir); }
    void RecycleIconfull() { emit IconMenu(m_id, DockIconMenuCode::RecycleIconFull); }
    void systemClose() { emit IconMenu(m_id, DockIconMenuCode::SystemClose); }
    void setHideWindows() { emit IconMenu(m_id, DockIconMenuCode::HideWindows); }

signals:
    void IconPosLeft();
    void IconWidth(QString ID, int w);
    void IconMouseIn(QString ID, QString types);
    void IconMouseMove(QString ID, QPoint p);
    void IconPressMove(QString ID, QPoint p);
    void IconPressRelease(QString ID, QPoint p);
    void IconOpen(QString ID);
    void MousePosition(int p);
    void IconMenu(QString ID, int x);
    void IconMove(QString ID, QPoint p, int w, int h, QString types);
    void SendDetectionExists(QString ID);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void enterEvent(QEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    bool horizontal() const { return m_edge == 0 || m_edge == 2; }
    bool vertical() const { return m_edge == 1 || m_edge == 3; }
    bool isClass(const char *cl) const { return m_class == QLatin1String(cl); }
    bool hasLiveFace() const;
    void storeData(const QString &id, int magnified, int normal, int size3, int size4, int edge, const QString &name,
                   const QString &icon, const QString &cl);
    bool applyPlainClass(); // BLANK, URL and the picture classes; false for live faces
    void placeLine();
    void showPicture();
    void showStill();
    void dropMovie();
    void removeFaces();
    QWidget *face() const;
    void cleanUp();
    void animateSizeTo(const QSize &end);
    QPropertyAnimation *oneOffAnimation(QObject *target, const QByteArray &property, int duration);

    Ui::FormCommonIcon *ui;
    QString m_id, m_name, m_iconPath, m_class;
    int m_edge = 2;
    float m_magnified = 0, m_magnifiedBase = 0, m_normal = 0, m_normalBase = 0;
    float m_size3 = 0, m_size4 = 0;
    int m_clickStyle = 1;
    bool m_doubleClick = false;
    bool m_pressed = false;
    bool m_drag = false;
    bool m_mouseIn = false;
    int m_ringTicks = 0;
    QPoint m_pressPoint;
    QPoint m_pressOffset;
    bool m_movieFlag = false;
    QMovie *m_movie = nullptr;

    QPropertyAnimation *m_sizeAnimation = nullptr;
    QPointer<QPropertyAnimation> m_moveAnimation;
    QTimer *m_hoverTimer = nullptr;
    QTimer *m_clickTimer = nullptr;
    QTimer *m_ringTimer = nullptr;
    FormTimingFlash *m_ring = nullptr;

    FormRecycle *m_recycle = nullptr;
    FormDisk *m_disk = nullptr;
    FormWeatherIcon *m_weather = nullptr;
    FormClock1 *m_clock1 = nullptr;
    FormClock2 *m_clock2 = nullptr;
};
