#pragma once
#include <QPointer>
#include <QUrl>
#include <QWidget>

class QPropertyAnimation;
class QTimer;

namespace Ui {
class FormVesk;
}

// The quick web-search box: a veil over the dock's screen with a search bar
// in the middle. What is typed opens in the browser, as an address or as a
// query to the search site.
class FormVesk : public QWidget
{
    Q_OBJECT

public:
    explicit FormVesk(QWidget *parent = nullptr);
    ~FormVesk() override;

    // The geometry of the screen the dock stands on.
    void setWindowRect(int x, int y, int w, int h);
    void toggle();

    bool isShown() const { return shown; }

    // What a search of text opens: an address as typed ("www" ones get
    // "http://"), anything else as the one query value "q" of the search
    // site. Empty for empty text.
    static QUrl searchUrl(const QString &text);
    static bool isAddress(const QString &text);

public slots:
    void winIn();
    void winOut();
    void InOut();
    void ShowOut();

protected:

private:
    QPoint barPos(int lift) const;
    void stopAnimations();

    Ui::FormVesk *ui;
    QTimer *focusTimer;
    QPointer<QPropertyAnimation> barAnimation;
    QPointer<QPropertyAnimation> fadeAnimation;
    bool shown = false;

private:
    // Bound to the form's widgets in the constructor.
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
};
