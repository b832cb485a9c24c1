#pragma once
#include "docklayout.h"

#include <QObject>
#include <QRect>

class FormName;
class FormWeatherEffects;
class QWidget;

// What shows beside the icon under the pointer: the name bubble, inside the
// dock window, and the weather scene, a window of its own over the desktop.
class HoverTips : public QObject
{
    Q_OBJECT
public:
    explicit HoverTips(QWidget *dock);
    ~HoverTips() override;

    FormName *bubble() const { return m_name; }
    FormWeatherEffects *scene();

    // Fills the bubble with the icon's name and places both beside the icon.
    // `in.bubble` and `in.weather` are filled in here.
    void follow(const QString &name, bool weatherIcon, DockLayout::HoverInput in);
    // The bubble over every icon but a blank; the scene only over the weather.
    void showFor(const QString &cl);
    void startScene();
    void hide();
    void setFontSize(int size);

    // The lane the bubble moves along while it follows the pointer, or an
    // empty rectangle while it is hidden.
    QRect lane(int edge, const QRect &bar) const;

signals:
    void laneChanged();

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    FormName *m_name;
    FormWeatherEffects *m_scene = nullptr;
    // What the bubble was last filled with: the same name on the same edge
    // needs no new layout of its text and arrow.
    QString m_lastName;
    int m_lastEdge = -1;
    int m_lastFont = -1;
};
