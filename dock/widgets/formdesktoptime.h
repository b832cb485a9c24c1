#pragma once
#include <QDateTime>
#include <QString>
#include <QWidget>

#include <functional>

class QLabel;
class QTimer;
class WindowDrag;

namespace Ui {
class FormDesktopTime;
}

// The desktop clock: a frameless window that lies on the desktop below all
// others, in one of ten styles. The switch panel turns it on, off and locks
// it; size, style, language and opacity are chosen on its own settings bar.
class FormDesktopTime : public QWidget
{
    Q_OBJECT

public:
    explicit FormDesktopTime(QWidget *parent = nullptr);
    ~FormDesktopTime() override;

    // Brings the clock in front of the other windows once, when it is on.
    void RaiseWindow();
    // The screen a clock that was never placed opens in the middle of: the dock's.
    void setFirstScreen(std::function<QRect()> screen) { m_firstScreen = std::move(screen); }
    void ReadSettings();

    bool isShown() const { return shown; }
    bool isLocked() const { return locked; }
    QString language() const { return m_language; }
    int style() const { return styleIndex; }
    int alpha() const { return alphaPercent; }
    // The pixel size the last fitting chose for the large time.
    int fittedPixelSize() const { return m_pixelSize; }
    // How many trial layouts the last fitting needed.
    int fittingTrials() const { return m_trials; }
    // The label sheet of a style at an opacity: white text for even styles,
    // black for odd ones.
    static QString textSheet(int style, int alpha);
    // The date and time the texts are fitted on.
    static QDateTime fittingMoment();

public slots:
    void setShow(bool b);
    void DesktopTimeSize(int v);
    void DesktopTimeStyle(int v);
    void DesktopTimelocking(bool b);
    void DesktopTimeLanguage(QString L);
    void DesktopTimeAlpha(int v);

private slots:
    void textRize();
    void timeOver();
    void SaveSettings();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void restartSave();
    void showTexts(const QDateTime &at);
    void closeBar();
    void pointerLeft();
    void closePanels();
    void foldBar();
    void fitLabel(QLabel *label, int index, int pixelSize);
    void placeLabels();
    // Window level, desktops, task list and which parts take the mouse.
    void applyWindowRole();
    void applyInputShape();
    void updateInputRegion();

    Ui::FormDesktopTime *ui;
    bool locked = false;
    bool saveEnabled = false;
    bool shown = false;
    QString m_language = "EN";
    int styleIndex = 0;
    int alphaPercent = 100;
    int m_pixelSize = 0;
    int m_trials = 0;
    WindowDrag *m_drag;
    QTimer *tickTimer;
    QTimer *saveTimer;
    QTimer *leaveTimer;
    std::function<QRect()> m_firstScreen;

private:
    // Bound to the form's widgets in the constructor.
    void on_settingButton_clicked();
    void on_TimeSizeButton_clicked();
    void on_TimeAlphaButton_clicked();
    void on_TimeENButton_clicked();
    void on_TimeStyleClick_currentIndexChanged(int index);
    void on_SizeQSlider_valueChanged(int value);
    void on_AlphaQSlider_valueChanged(int value);
};
