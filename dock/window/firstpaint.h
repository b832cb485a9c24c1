#pragma once
#include <QList>
#include <QObject>

#include <functional>

class QWidget;

// Start-up work that can wait until a window is on the screen: it runs after
// the window's first paint, or a second after it was first asked for when the
// window is never shown. Work asked for later runs at once.
class FirstPaint : public QObject
{
    Q_OBJECT
public:
    explicit FirstPaint(QWidget *window);

    void then(const std::function<void()> &work);

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void run();

    QWidget *m_window;
    bool m_painted = false;
    QList<std::function<void()>> m_work;
};
