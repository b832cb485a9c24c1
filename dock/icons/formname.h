#pragma once
#include <QCache>
#include <QPixmap>
#include <QWidget>

namespace Ui {
class FormName;
}
class QLabel;

// The bubble with an icon's name beside the hovered icon. It sizes itself to
// its text; its owner places and shows it.
class FormName : public QWidget
{
    Q_OBJECT
public:
    explicit FormName(QWidget *parent = nullptr);
    ~FormName() override;

    // A dock icon's name; on a top or bottom bar (edge 0 or 2) an arrow
    // points at the icon.
    void setName(int edge, const QString &name);
    // An icon's name inside a pop-up icon menu: a dark pill, no arrow. A
    // name wider than `maxWidth` pixels (when given) is cut short with an
    // ellipsis.
    void setMenuText(const QString &text, int maxWidth = -1);
    void setFontSize(int px) { m_fontSize = px; }
    int fontSize() const { return m_fontSize; }

    // Into another window, keeping the pictures drawn so far.
    void reparent(QWidget *parent);

    QLabel *nameLabel() const;
    QLabel *arrowLabel() const;
    // What the bubble draws, in its own coordinates: the name and its arrow.
    QRegion drawnRegion() const;
    // What the bubble shows: its labels as last filled, drawn once.
    QPixmap picture();

protected:
    void paintEvent(QPaintEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    // The name in the label, sized to it unless its size is known.
    void fill(const QString &text, int pixelSize, const QSize &known = QSize());

    Ui::FormName *ui;
    int m_fontSize = 15;
    QPixmap m_picture;
    // The bubbles of the names shown lately, by edge, font size and name: a
    // sweep along the bar passes the same names again and again.
    struct Bubble
    {
        QSize label;
        QPixmap picture;
    };
    QCache<QString, Bubble> m_bubbles{ 64 };
    QString m_key; // of the bubble shown, while it comes from setName
    bool m_reparenting = false;
};
