#pragma once
#include <QPointer>
#include <QWidget>

namespace Ui {
class FormStartUp;
}

// The first-run prompt that offers to start the dock with the session. It
// slides in once per run when the dock is not started with the session and
// the user has not asked to be left alone; it can only switch autostart on.
class FormStartUp : public QWidget
{
    Q_OBJECT
public:
    explicit FormStartUp(QWidget *parent = nullptr);
    ~FormStartUp() override;
    // Shows the prompt when autostart is off and the reminder is on.
    void CheckAutoRun();
    // The prompt comes in on the screen this window stands on (the bar's).
    void setScreenOf(QWidget *w) { m_screenOf = w; }

public slots:
    void StartShow();

public slots:
    void appAutoRun(bool bAutoRun);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Ui::FormStartUp *ui;
    QPointer<QWidget> m_screenOf;
    QRect area() const;

private:
    // Bound to the form's widgets in the constructor.
    void on_close_clicked();
    void on_okButton_clicked();
    void on_noButton_clicked();
    void on_checkBox_clicked(bool checked);
};
