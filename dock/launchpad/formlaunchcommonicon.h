#pragma once
#include <QPoint>
#include <QString>
#include <QWidget>

class QFont;
class QMovie;
class QTimer;

namespace Ui {
class FormLaunchCommonIcon;
}

// One icon of the launch pad: its picture with the name under it, a faint
// highlight under the pointer, and in edit mode a delete and an edit button.
// It reports clicks, long presses, drags and its menu to the launch pad by
// signals carrying its ID. The class "Temporary" makes the floating copy
// that follows the pointer during a drag: picture only.
class FormLaunchCommonIcon : public QWidget
{
    Q_OBJECT
public:
    explicit FormLaunchCommonIcon(QWidget *parent = nullptr);
    ~FormLaunchCommonIcon() override;

    void setData(QString ID, QString Icon, QString Class, QString Name);
    void setDoubleClick(bool b) { doubleClickOpen = b; }
    void deleteShow();
    void deleteHide();
    void setNameColor(QString rgb);
    void moveAnimation(int x1, int y1, int x2, int y2);
    // While its row is being dragged the widget draws nothing but keeps the
    // press, so that the moves and the release still come here.
    void setLifted(bool lifted);
    bool isLifted() const { return m_lifted; }

    QString id() const { return iconID; }
    QString picture() const { return iconPath; }
    QString className() const { return iconClass; }
    QString name() const { return iconName; }
    QString nameColor() const { return iconNameColor; }
    QString shownName() const;
    bool isDeleteShown() const { return deleteShown; }
    bool isDoubleClick() const { return doubleClickOpen; }
    bool isGif() const { return gifShown; }
    bool isPressed() const { return pressed; }

    static QString geteElidedText(QFont font, QString str, int MaxWidth);

signals:
    void MousePosition(QString ID, int p);
    void IconPressMove(QString ID, QPoint p);
    void IconPressRelease(QString ID, QPoint p);
    void IcondeleteShow();
    void IconDelete(QString ID);
    void IconOpen(QString ID);
    void IconMenu(QString ID, int x);

public slots:
    void OpenIcon() { emit IconOpen(iconID); }
    void IconSet() { emit IconMenu(iconID, 1); }
    void ClickTimeOver() { emit IcondeleteShow(); }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool inPicture(const QPoint &p) const;
    void showPicture(bool reuseMovie);
    void styleButtons();

    QString iconID;
    QString iconPath;
    QString iconClass;
    QString iconName;
    QString iconNameColor;
    bool moving = false;
    bool deleteShown = false;
    bool gifShown = false;
    bool doubleClickOpen = false;
    Ui::FormLaunchCommonIcon *ui;
    bool pressed = false;
    QTimer *clickTimer;
    QMovie *movie = nullptr;
    bool m_lifted = false;
    bool m_buttonsStyled = false;

private:
    // Bound to the form's widgets in the constructor.
    void on_deleteButton_clicked() { emit IconDelete(iconID); }
    void on_editButton_clicked() { emit IconMenu(iconID, 1); }
};
