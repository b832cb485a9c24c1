#pragma once
#include "dock/launchpad/launchgrid.h"
#include "dock/launchpad/launchlook.h"
#include "dock/model/dockicon.h"
#include "dock/model/dockiconlist.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QString>
#include <QVector>
#include <QWidget>

class FormAddUrl;
class FormIconSettings;
class FormLaunchCommonIcon;
class FormPagButton;
class FormSidebarMenu;
class FormSystemHint;
class QPropertyAnimation;
class QTimer;

namespace Ui {
class FormLaunchStarter;
}

// The full-screen launch pad: a paged grid of icons over the blurred desktop
// picture, with a search field, a tool bar and a clock. It keeps its own
// icon file ("LaunchPad.xml") and look settings, opens its icons, and asks
// the dock to open the dock's own tools.
class FormLaunchStarter : public QWidget
{
    Q_OBJECT

public:
    explicit FormLaunchStarter(QWidget *parent = nullptr);
    ~FormLaunchStarter() override;

    // True from the start of showing until the pad has closed; the dock reads it.
    bool padShown = false;
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

    // What the pad holds and shows, for the dock and for tests.
    QList<DockIconRecord> rows() const { return IcoData->rows(); }
    static QList<DockIconRecord> presetRows();
    static QString filePath();
    int pages() const { return pageCount; }
    int page() const { return currentPage; }
    bool isEditMode() const { return editMode; }
    bool isDragging() const { return dragging; }
    bool closesOnDeactivate() const { return closeOnDeactivate; }
    const LaunchGrid::Geometry &grid() const { return m_grid; }
    const LaunchLook &look() const { return m_look; }
    QString timeText() const;
    FormLaunchCommonIcon *iconWidget(const QString &id) const { return iconWidgets.value(id); }
    FormLaunchCommonIcon *floatingCopy() const { return dragCopy; }
    FormPagButton *pageButton(int page) const;
    FormSystemHint *toast() const { return hint; }
    FormSidebarMenu *sidePanel();
    FormIconSettings *propertyDialog();
    FormAddUrl *addUrlDialog();
    // The background as it is drawn (blurred), null before a picture came.
    QImage background() const;

signals:
    // Asks the dock to open its own tool for this icon class.
    void IconOpens(QString cl);
    void LaunchPadClose();

public slots:
    void OpenFile();
    bool SaveFile();
    void StartShow();
    void CloseShow();
    void ShowOut();
    void MenuOut();
    void frameIconSize();
    void createIcon();
    void createSingleIcon(int row);
    void IconSortFlash();
    void IconSort();
    void PlacementSort(int r);
    void IconMousePosition(QString ID, int p);
    void IconPressMove(QString ID, QPoint p);
    void IconPressRelease(QString ID, QPoint p);
    void IcondeleteShow();
    void IcondeleteHide();
    bool IconDelete(QString ID);
    void DllIconOpen(QString filePath);
    void IconOpen(QString ID);
    void IconMenu(QString ID, int x);
    void IconSettingsClose();
    void createPagButton();
    void clearPagButton();
    void onPag(int x);
    void slt_Left();
    void slt_Right();
    void AddIco();
    void AddFolder();
    void AddUrlIco();
    void getIconNew(QString filePath, QString ID);
    bool AddIcon(QString ico, QString name, QString cl, QString path);
    bool AddIcon2(QString ico, QString name, QString cl, QString path, QString ID);
    void Modify(QString icoID, QString ico, QString name, QString note);
    void setNameColor(QString rgb);
    void MenuStyle();
    void ReadSettings();
    void SaveSettings();
    void showBackground();
    // Puts a dragged icon back where it came from, as if it had not moved.
    void cancelDrag();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void relayout();
    void applyBlur();
    void renderBackground();
    void setBackgroundPicture(const QString &path);
    void collapseMenu();
    void showToast(const QString &text);
    void markColour(const QString &name, const QString &rgb);
    void connectIcon(FormLaunchCommonIcon *icon);
    FormLaunchCommonIcon *makeIcon(const DockIconRecord &rec);
    QString freeIconId() const;
    int rowOf(const QString &id) const;
    int placeholderRow() const;
    void removePlaceholders();
    bool searching() const;
    // The rows the grid shows, in order: all of them, or a search's matches.
    QVector<int> shownRows() const;
    // Places rows cell by cell; only the pages next to the current one have
    // their widgets on screen.
    void placeRows(const QVector<int> &rows);
    void slideTo(int x);
    void setCaretBlinking(bool on);

    Ui::FormLaunchStarter *ui;
    // The icons in grid order; a row of class "Placeholder" is the hole of a drag.
    DockIconList *IcoData;

    int pageCount = 1;
    int currentPage = 1;
    bool iconsLoaded = false;
    bool menuExpanded = false;
    bool closeOnDeactivate = true;
    bool editMode = false;
    bool doubleClickOpen = false;
    LaunchGrid::Geometry m_grid;
    LaunchLook m_look;

    // The drag: the lifted row, where it came from and where it will land.
    bool dragging = false;
    DockIconRecord dragRecord;
    int dragFrom = -1;
    int dragRow = -1;
    bool pageFlipLatch = false;

    QHash<QString, FormLaunchCommonIcon *> iconWidgets;
    FormLaunchCommonIcon *dragCopy;
    FormSystemHint *hint;
    QHash<QString, FormPagButton *> pageButtons;
    FormSidebarMenu *sidebarMenu = nullptr;
    FormIconSettings *iconSettings = nullptr;
    FormAddUrl *addUrl = nullptr;
    QTimer *closeTimer;
    QTimer *blurTimer;
    QTimer *caretTimer;
    bool m_steadyCaret = false;
    bool m_windowTyped = false;
    // How many pages beside the current one have their icons on screen.
    int m_nearPages = 1;
    int m_flashTime = 1000;
    QPointer<QPropertyAnimation> m_slide;
    QPointer<QPropertyAnimation> m_fade;

    // The background: the picture as read, and the key it was blurred for.
    QString m_pictureKey;
    QImage m_picture;
    QString m_blurKey;
    QImage m_blurred;
    int m_wallpaperAsk = 0;

private:
    // Bound to the form's widgets in the constructor.
    void on_closeButton_clicked();
    void on_closeButton2_clicked();
    void on_setButton_clicked();
    void on_addButton_clicked();
    void on_addFolderButton_clicked();
    void on_addUrlButton_clicked();
    void on_addSysButton_clicked();
    void on_veskEdit_returnPressed();
    void on_veskEdit_textChanged(QString arg1);
    void on_ClearButton_clicked();
    void on_editSysButton_clicked();
    void on_setSysButton_clicked();
    void on_SetClose_clicked();
    void on_white_clicked();
    void on_black_clicked();
    void on_red_clicked();
    void on_yellow_clicked();
    void on_blue_clicked();
    void on_green_clicked();
    void on_purple_clicked();
    void on_powder_clicked();
    void on_imgButton_clicked(bool checked);
    void on_imgButtonS_clicked();
    void on_horizontalSliderSize_valueChanged(int value);
    void on_horizontalSliderBlurry_valueChanged(int value);
    void on_horizontalSliderBrightness_valueChanged(int value);
};
