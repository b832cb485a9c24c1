#pragma once
#include <QWidget>

#include <functional>

namespace Ui {
class FormRecycle;
}
class QLabel;
class QTimer;

// The live face of a recycle-bin icon: the empty or the full picture,
// following the desktop's trash every five seconds.
class FormRecycle : public QWidget
{
    Q_OBJECT
public:
    static const int PollInterval = 5000;

    explicit FormRecycle(QWidget *parent = nullptr);
    ~FormRecycle() override;

    // The icon's picture column: "<empty picture>,<full picture>". Without a
    // comma the built-in pair is used.
    void setIcons(const QString &pair);

    QString currentPicture() const { return m_current; }
    QString emptyPicture() const { return m_empty; }
    QString fullPicture() const { return m_full; }
    QLabel *picture() const;
    QTimer *pollTimer() const { return m_timer; }

    // Asks the user, then empties the trash for good. Returns true when it
    // was emptied; false when the user said no or emptying failed.
    static bool clearRecycleBin();
    // The question asked before emptying; tests put their answer here.
    // Defaults to askBeforeEmptying.
    static std::function<bool()> &confirmEmpty();
    // A Yes/No message box whose default is No.
    static bool askBeforeEmptying();

public slots:
    void timeOver();

protected:
    void resizeEvent(QResizeEvent *e) override;
    // The poll runs while the face is shown.
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    void showCurrent();

    Ui::FormRecycle *ui;
    QTimer *m_timer;
    QString m_current;
    QString m_empty;
    QString m_full;
};
