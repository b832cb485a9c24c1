#pragma once
#include <QWidget>

class DockFace;

// A widget that shows one face, for the places that still lay out widgets
// (icon menus, the hold ring beside the pointer). The face is active while
// the widget is shown.
class FaceWidget : public QWidget
{
    Q_OBJECT
public:
    // Takes the face.
    explicit FaceWidget(DockFace *face, QWidget *parent = nullptr);
    DockFace *face() const { return m_face; }
    // Replaces the face, deleting the old one.
    void setFace(DockFace *face);

protected:
    void paintEvent(QPaintEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    DockFace *m_face = nullptr;
};
