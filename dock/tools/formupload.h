#pragma once
#include <QWidget>

class QTimer;

namespace Ui {
class FormUpload;
}

// The updater: asks the product's update page whether a newer version exists.
class FormUpload : public QWidget
{
    Q_OBJECT

public:
    explicit FormUpload(QWidget *parent = nullptr);
    ~FormUpload() override;

    // Starts the hourly automatic check.
    void startCheckTimer();
    // The automatic check; tells the dock through updates() when newer.
    void startInit2();
    // The check the user asked for; the dock shows the window afterwards.
    void checkUpdate();

    int builtInVersion() const { return version; }
    bool checkTimerActive() const;
    int checkInterval() const;

signals:
    void updates();

private slots:
    void on_closeButton_clicked();
    void on_pushButtonClose_clicked();

private:
    Ui::FormUpload *ui;
    int version = 1809;
    QTimer *checkTimer;
};
