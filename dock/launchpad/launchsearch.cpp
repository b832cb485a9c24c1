#include "launchsearch.h"

#include "common/logging.h"
#include "dock/model/dockicon.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

LaunchSearch::LaunchSearch(QLineEdit *edit, QPushButton *clear, QWidget *window, QObject *parent)
    : QObject(parent), m_edit(edit), m_clear(clear), m_window(window), m_caretTimer(new QTimer(this))
{
    m_clear->hide();
    m_edit->installEventFilter(this);
    connect(m_edit, &QLineEdit::returnPressed, this, &LaunchSearch::search);
    connect(m_edit, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!text.isEmpty())
            m_clear->show();
        search();
    });
    connect(m_clear, &QPushButton::clicked, this, [this] {
        m_edit->setText(QString());
        search();
    });
    m_caretTimer->setSingleShot(true);
    m_caretTimer->setInterval(10000);
    connect(m_caretTimer, &QTimer::timeout, this, [this] { setCaretBlinking(false); });
    connect(m_edit, &QLineEdit::cursorPositionChanged, this, [this] { setCaretBlinking(true); });
}

LaunchSearch::~LaunchSearch()
{
    // The flash time is the application's: it goes back as it was.
    if (m_steady)
        QApplication::setCursorFlashTime(m_flashTime);
}

bool LaunchSearch::matches(const DockIconRecord &row, const QString &text)
{
    return row.Class != IconClass::Placeholder && row.Name.contains(text, Qt::CaseInsensitive);
}

void LaunchSearch::search()
{
    const QString text = m_edit->text();
    if (text.isEmpty())
        m_clear->hide();
    else
        qCDebug(lcMenus) << "搜索：" << text;
    emit searched(text);
}

void LaunchSearch::reset()
{
    m_edit->blockSignals(true);
    m_edit->clear();
    m_edit->blockSignals(false);
    m_edit->clearFocus();
    search();
}

void LaunchSearch::windowShown()
{
    m_edit->setFocus(Qt::OtherFocusReason);
    setCaretBlinking(true);
}

void LaunchSearch::windowHidden()
{
    m_caretTimer->stop();
    setCaretBlinking(true);
}

void LaunchSearch::setCaretBlinking(bool on)
{
    if (on) {
        if (m_steady) {
            QApplication::setCursorFlashTime(m_flashTime);
            m_steady = false;
        }
        if (m_window->isVisible())
            m_caretTimer->start();
    } else if (!m_steady && m_window->isVisible()) {
        // Given back at the next key, and when the pad goes.
        m_flashTime = QApplication::cursorFlashTime();
        QApplication::setCursorFlashTime(0);
        m_steady = true;
    }
}

bool LaunchSearch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_edit || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    if (m_steady)
        setCaretBlinking(true);
    // With nothing typed, the arrows turn pages rather than move the cursor.
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (m_edit->text().isEmpty() && (key == Qt::Key_Left || key == Qt::Key_Right)) {
        emit turnRequested(key == Qt::Key_Left ? -1 : 1);
        return true;
    }
    return false;
}
