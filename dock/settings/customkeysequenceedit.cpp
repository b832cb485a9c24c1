#include "customkeysequenceedit.h"

#include "qxtglobalshortcut.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

QString firstChord(const QKeySequence &seq)
{
    return seq.toString(QKeySequence::PortableText).split(QStringLiteral(", ")).value(0);
}

} // namespace

CustomKeySequenceEdit::CustomKeySequenceEdit(QWidget *parent) : QKeySequenceEdit(parent) {}

CustomKeySequenceEdit::~CustomKeySequenceEdit()
{
    suspendHotKeys(false);
}

void CustomKeySequenceEdit::revert()
{
    setKeySequence(m_before);
}

void CustomKeySequenceEdit::showKeyText(const QString &text)
{
    const QKeySequence sequence(text, QKeySequence::NativeText);
    if (text.isEmpty() || !sequence.toString(QKeySequence::NativeText).isEmpty()) {
        setKeySequence(sequence);
        return;
    }
    setKeySequence(QKeySequence());
    // The field draws its text in a line edit of its own; the next key
    // pressed replaces this text as it would a chord.
    if (QLineEdit *line = findChild<QLineEdit *>())
        line->setText(text);
}

void CustomKeySequenceEdit::keyPressEvent(QKeyEvent *event)
{
    const QKeySequence before = keySequence();
    QKeySequenceEdit::keyPressEvent(event);
    // Setting the sequence ends the recording, so the next chord replaces
    // this one instead of being appended to it.
    const QString chord = firstChord(keySequence());
    if (chord.isEmpty()) {
        // A modifier alone: no chord yet. Reporting it would store an empty
        // hot key, which the dock replaces by the defaults at its next start.
        setKeySequence(before);
        return;
    }
    setKeySequence(QKeySequence(chord, QKeySequence::PortableText));
    m_before = before;
    emit setKey(firstChord(keySequence()));
}

void CustomKeySequenceEdit::enterEvent(QEvent *)
{
    setCursor(Qt::IBeamCursor);
}

void CustomKeySequenceEdit::leaveEvent(QEvent *)
{
    setCursor(Qt::ArrowCursor);
}

void CustomKeySequenceEdit::focusInEvent(QFocusEvent *event)
{
    suspendHotKeys(true);
    QKeySequenceEdit::focusInEvent(event);
}

void CustomKeySequenceEdit::focusOutEvent(QFocusEvent *event)
{
    suspendHotKeys(false);
    QKeySequenceEdit::focusOutEvent(event);
}

void CustomKeySequenceEdit::hideEvent(QHideEvent *event)
{
    suspendHotKeys(false);
    QKeySequenceEdit::hideEvent(event);
}

void CustomKeySequenceEdit::suspendHotKeys(bool on)
{
    if (on == m_suspending)
        return;
    m_suspending = on;
    if (on)
        QxtGlobalShortcut::suspend();
    else
        QxtGlobalShortcut::resume();
}
