#pragma once
#include <QWidget>

namespace Ui {
class FormVesk;
}

// The quick web-search box: a veil over the dock's screen with a search bar
// in the middle.
class FormVesk : public QWidget
{
    Q_OBJECT

public:
    explicit FormVesk(QWidget *parent = nullptr);
    ~FormVesk() override;

    // The geometry of the screen the dock stands on.
    void setWindowRect(int x, int y, int w, int h);
    void toggle();

    bool isShown() const { return shown; }

public slots:
    void winIn();
    void winOut();
    void ShowOut();

private slots:
    void on_pushButton_2_clicked();

private:
    Ui::FormVesk *ui;
    bool shown = false;
};
