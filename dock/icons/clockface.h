#pragma once
#include <QWidget>

class QLabel;
class QTimer;

// What the two clock faces share: four digit pictures and a colon for the
// hours and minutes, the date, and a one-second tick. The faces differ in
// their pictures and in where the digits stand.
class ClockFace : public QWidget
{
    Q_OBJECT
public:
    QString iconPath() const { return m_iconPath; }
    QString hourTensPath() const { return m_hourTens; }
    QString hourUnitsPath() const { return m_hourUnits; }
    QString minuteTensPath() const { return m_minuteTens; }
    QString minuteUnitsPath() const { return m_minuteUnits; }
    QString colonPath() const { return m_prefix + QStringLiteral("00.png"); }
    QTimer *tickTimer() const { return m_timer; }

public slots:
    // Reads the clock (platform::now) and refreshes the face. Labels whose
    // picture did not change are left alone, so a tick repaints little.
    void timeOver();

protected:
    struct Parts
    {
        QLabel *bg, *text2, *t1, *t2, *t3, *t4, *t5;
    };

    ClockFace(QWidget *parent, const QString &iconPath, const QString &digitPrefix);
    // The timer; the face calls it once its form is built. It ticks while
    // the face is shown: a hidden clock has nothing to move.
    void startTicking();
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void setParts(const Parts &parts) { m_parts = parts; }
    const Parts &parts() const { return m_parts; }
    virtual void placeDigits(int w, int h) = 0;
    virtual void placeDate(int w, int h) = 0;
    virtual void showSeconds(int) {}
    void relayout();
    void resizeEvent(QResizeEvent *e) override;
    static QFont dateFont(int pixelSize);

private:
    QString m_iconPath;
    QString m_prefix;
    QString m_hourTens, m_hourUnits, m_minuteTens, m_minuteUnits;
    Parts m_parts {};
    QTimer *m_timer = nullptr;
};
