#pragma once
#include <QPoint>
#include <QString>
#include <QWidget>

class FormRecycle;
class LaunchDrag;
class QFont;
class QMovie;

namespace Ui {
class FormLaunchCommonIcon;
}

// One icon of the launch pad: its picture with the name under it, a faint
// highlight under the pointer, and in edit mode a delete and an edit button.
// Its mouse events go to the pad's pointer (LaunchDrag), which decides what
// a press becomes; the icon reports opening, deleting and editing to the pad
// by signals carrying its ID. The class IconClass::Temporary makes the floating copy
// that follows the pointer during a drag: picture only.
class FormLaunchCommonIcon : public QWidget
{
    Q_OBJECT
public:
    explicit FormLaunchCommonIcon(QWidget *parent = nullptr);
    ~FormLaunchCommonIcon() override;

    void setData(QString ID, QString Icon, QString Class, QString Name);
    void deleteShow();
    void deleteHide();
    void setNameColor(QString rgb);
    void moveAnimation(int x1, int y1, int x2, int y2);
    // Where its mouse events go; without one the icon only shows itself.
    void setPointer(LaunchDrag *pointer) { m_pointer = pointer; }
    // While its row is being dragged the widget draws nothing but keeps the
    // press, so that the moves and the release still come here.
    void setLifted(bool lifted);
    bool isLifted() const { return m_lifted; }

    QString id() const { return iconID; }
    QString picture() const { return iconPath; }
    // The one picture shown now: a recycle bin shows one of its pair.
    QString shownPicture() const;
    QString className() const { return iconClass; }
    QString name() const { return iconName; }
    QString nameColor() const { return iconNameColor; }
    QString shownName() const;
    bool isDeleteShown() const { return deleteShown; }
    bool isGif() const { return gifShown; }
    // Strictly inside the picture, in the icon's coordinates.
    bool inPicture(const QPoint &p) const;
    // The icon's context menu, run at a point on the screen.
    void showMenu(const QPoint &global);

    static QString geteElidedText(QFont font, QString str, int MaxWidth);

signals:
    void IconDelete(QString ID);
    void IconOpen(QString ID);
    void IconMenu(QString ID, int x);

public slots:
    void OpenIcon() { emit IconOpen(iconID); }
    void IconSet() { emit IconMenu(iconID, 1); }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showPicture(bool reuseMovie);
    void styleButtons();

    QString iconID;
    QString iconPath;
    QString iconClass;
    QString iconName;
    QString iconNameColor;
    bool deleteShown = false;
    bool gifShown = false;
    Ui::FormLaunchCommonIcon *ui;
    LaunchDrag *m_pointer = nullptr;
    QMovie *movie = nullptr;
    FormRecycle *m_recycle = nullptr;
    bool m_lifted = false;
    bool m_buttonsStyled = false;

private:
    // Bound to the form's widgets in the constructor.
    void on_deleteButton_clicked() { emit IconDelete(iconID); }
    void on_editButton_clicked() { emit IconMenu(iconID, 1); }
};
