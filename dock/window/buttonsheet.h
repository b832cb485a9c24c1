#pragma once
#include <QString>

// A button drawn by two pictures, one at rest and one under the pointer and
// while pressed, on a clear background.
inline QString pictureButtonSheet(const QString &normal, const QString &hover)
{
    return QStringLiteral(
               "QPushButton{border-image: url(%1);background-image: url();background-color: rgba(255, 255, 255, 0);border:0px;}"
               "QPushButton:hover{border-image: url(%2);background-image: url();background-color: rgba(255, 255, 255, 0);border:0px;}"
               "QPushButton:pressed{border-image: url(%2);background-image: url();background-color: rgba(255, 255, 255, 0);border:0px;}")
        .arg(normal, hover);
}

inline QString closeButtonSheet()
{
    return pictureButtonSheet(QStringLiteral(":/image/menu/c0.png"), QStringLiteral(":/image/menu/c1.png"));
}
