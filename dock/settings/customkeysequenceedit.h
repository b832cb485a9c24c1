#pragma once
#include <QKeySequenceEdit>

// The field in which the user types one hot-key chord. It always shows one
// chord, the last one typed, and reports it at once with setKey. While it has
// the keyboard the hot keys are suspended: a chord one of them holds reaches
// the field instead of firing.
class CustomKeySequenceEdit : public QKeySequenceEdit
{
    Q_OBJECT
public:
    explicit CustomKeySequenceEdit(QWidget *parent = nullptr);
    ~CustomKeySequenceEdit() override;

    // Shows again the chord the field held before the last key press (used
    // when the new chord is refused).
    void revert();
    // Shows a stored hot-key text. A text that names no chord, such as the
    // "Alt" a cleared hot key keeps, is shown as it stands, holding no chord.
    void showKeyText(const QString &text);

signals:
    // The chord now shown, as portable text ("Alt+Q"). Never empty: a
    // modifier pressed alone is no chord and leaves the field as it was.
    void setKey(QString key);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void suspendHotKeys(bool on);

    QKeySequence m_before;
    bool m_suspending = false;
};
