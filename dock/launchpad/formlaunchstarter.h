#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>

class LaunchBackground;
class LaunchDrag;
class LaunchEditing;
class LaunchGrid;
class LaunchLookPanel;
class LaunchRows;
class LaunchSearch;
class QPropertyAnimation;
class QTimer;

namespace Ui {
class FormLaunchStarter;
}

// The full-screen launch pad: a paged grid of icons over the blurred desktop
// picture, with a search field, a tool bar and a clock. The window shows and
// closes itself, lays its form out on the screen, opens its icons and asks
// the dock to open the dock's own tools; everything else is done by its
// parts: the rows and "LaunchPad.xml" (LaunchRows), the paged grid
// (LaunchGrid), the pointer and its drags (LaunchDrag), the search field
// (LaunchSearch), edit mode and the adding and editing dialogs
// (LaunchEditing), the look-settings panel (LaunchLookPanel) and the
// background (LaunchBackground).
class FormLaunchStarter : public QWidget
{
    Q_OBJECT

public:
    explicit FormLaunchStarter(QWidget *parent = nullptr);
    ~FormLaunchStarter() override;

    // True from the start of showing until the pad has closed; the dock reads it.
    bool isShown() const { return padShown; }

    void toggleShow();
    // The full geometry of the dock's screen, not its work area.
    void placeOnScreen(int x, int y, int w, int h);
    void setTimeText(QString text);
    // 0 one page back, 1 one page forward; only while the pad is shown.
    void turnPage(int dir);
    void setIconDoubleClick(bool b);
    // A dock icon dropped onto the dock's launch-pad icon. True when the row
    // was stored: only then may the dock give its icon up.
    bool addIconFromDock(QString ico, QString name, QString cl, QString path, QString ID);

    // The parts.
    LaunchRows *rows() const { return m_rows; }
    LaunchGrid *grid() const { return m_grid; }
    LaunchDrag *drag() const { return m_drag; }
    LaunchSearch *search() const { return m_search; }
    LaunchEditing *editing() const { return m_editing; }
    LaunchLookPanel *lookPanel() const { return m_look; }
    LaunchBackground *background() const { return m_background; }

signals:
    // Asks the dock to open its own tool for this icon class.
    void IconOpens(QString cl);
    void LaunchPadClose();

public slots:
    void StartShow();
    void CloseShow();
    void ShowOut();
    void IconOpen(QString ID);
    void showBackground();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void relayout();
    void layoutFrames();
    void collapseMenu();
    void setMenuExpanded(bool expanded);
    void openLookPanel();
    void closeOrLeaveEditMode();
    void stopFade();
    void styleButtons();

    Ui::FormLaunchStarter *ui;
    LaunchRows *m_rows;
    LaunchGrid *m_grid;
    LaunchDrag *m_drag;
    LaunchSearch *m_search;
    LaunchEditing *m_editing;
    LaunchLookPanel *m_look;
    LaunchBackground *m_background;

    bool padShown = false;
    bool menuExpanded = false;
    // Losing the focus closes the pad, except while a dialog of its own has it.
    bool closeOnDeactivate = true;
    bool m_windowTyped = false;
    QTimer *closeTimer;
    QPointer<QPropertyAnimation> m_fade;
};
