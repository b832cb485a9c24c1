#pragma once
#include <QString>
#include <QWidget>

namespace Ui {
class FormLaunchStarter;
}

// The full-screen launch pad: a paged grid of program icons that the dock
// shows and hides and that asks the dock to open the dock's own tools.
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
    void addIconFromDock(QString ico, QString name, QString cl, QString path, QString ID);

    int pages() const { return pageCount; }
    int page() const { return currentPage; }
    QString timeText() const;

signals:
    // Asks the dock to open its own tool for this icon class.
    void IconOpens(QString cl);
    void LaunchPadClose();

public slots:
    void StartShow();
    void CloseShow();
    void ShowOut();
    void onPag(int x);

private slots:
    void on_closeButton_clicked();

private:
    void relayout();

    Ui::FormLaunchStarter *ui;
    int pageCount = 1;
    int currentPage = 1;
};
