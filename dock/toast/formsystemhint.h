#pragma once
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

class QPropertyAnimation;
class QTimer;

namespace Ui {
class FormSystemHint;
}

// The toast: one line of text near the lower middle of the screen for three
// seconds, sliding up and fading in, then down and out.
class FormSystemHint : public QWidget
{
    Q_OBJECT
public:
    explicit FormSystemHint(QWidget *parent = nullptr);
    ~FormSystemHint() override;

    // Shows text and starts the cycle; the caller calls show() right after.
    void ShowMessage(const QString &text);
    // The area the toast is centred in (width, height), from its origin.
    void setArea(int w, int h);

    QString text() const;
    QPoint restingPos() const;
    QRect area() const { return m_area; }

public slots:
    void StartShow();
    void CloseShow();
    void timeout();

private slots:
    void on_close_clicked();

private:
    void stopAnimations();
    QPropertyAnimation *animate(const QByteArray &property, const QVariant &from, const QVariant &to,
                                bool easeOut);

    Ui::FormSystemHint *ui;
    QTimer *m_closeTimer;
    QRect m_area;
    QPointer<QPropertyAnimation> m_pos, m_opacity;
};
