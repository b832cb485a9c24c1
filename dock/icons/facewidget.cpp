#include "facewidget.h"

#include "dock/icons/dockface.h"

#include <QPainter>

FaceWidget::FaceWidget(DockFace *face, QWidget *parent) : QWidget(parent)
{
    setFace(face);
}

void FaceWidget::setFace(DockFace *face)
{
    if (face == m_face)
        return;
    delete m_face;
    m_face = face;
    if (m_face) {
        m_face->setParent(this);
        connect(m_face, &DockFace::changed, this, qOverload<>(&QWidget::update));
        m_face->setActive(isVisible());
    }
    update();
}

void FaceWidget::paintEvent(QPaintEvent *)
{
    if (!m_face)
        return;
    QPainter p(this);
    m_face->paint(p, rect());
}

void FaceWidget::showEvent(QShowEvent *)
{
    if (m_face)
        m_face->setActive(true);
}

void FaceWidget::hideEvent(QHideEvent *)
{
    if (m_face)
        m_face->setActive(false);
}
