#pragma once
#include <QObject>
#include <QString>

class QLineEdit;
class QPushButton;
class QTimer;
class QWidget;
struct DockIconRecord;

// The launch pad's search field: the text, its clear button, the arrows
// that turn pages while nothing is typed, and the caret, which stops
// blinking after ten seconds without typing (a blinking caret repaints the
// full-screen pad twice a second for as long as it is open).
class LaunchSearch : public QObject
{
    Q_OBJECT
public:
    // window: the pad, whose visibility the caret follows.
    LaunchSearch(QLineEdit *edit, QPushButton *clear, QWidget *window, QObject *parent = nullptr);
    ~LaunchSearch() override;

    // Whether a row is a result for the text: its name holds the text
    // anywhere, in any case. The hole of a drag never is.
    static bool matches(const DockIconRecord &row, const QString &text);

    // Empties the field without a search (the pad closing searches itself).
    void reset();
    // The pad was shown or hidden: the caret blinks again.
    void windowShown();
    void windowHidden();

signals:
    // The grid must show the results of this text (every keystroke, Return,
    // the clear button).
    void searched(const QString &text);
    // Left (-1) or Right (+1) in the empty field.
    void turnRequested(int step);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void search();
    void setCaretBlinking(bool on);

    QLineEdit *m_edit;
    QPushButton *m_clear;
    QWidget *m_window;
    QTimer *m_caretTimer;
    bool m_steady = false;
    int m_flashTime = 1000;
};
