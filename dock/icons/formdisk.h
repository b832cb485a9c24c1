#pragma once
#include "dock/icons/facewidget.h"
#include "dock/icons/liveface.h"

// The live face of a drive icon as a widget.
class FormDisk : public FaceWidget
{
    Q_OBJECT
public:
    explicit FormDisk(QWidget *parent = nullptr) : FaceWidget(new DiskFace(nullptr), parent)
    {
        setObjectName(QStringLiteral("FormDisk"));
    }
    DiskFace *driveFace() const { return static_cast<DiskFace *>(face()); }
    void setDisk(const QString &drive) { driveFace()->setDrive(drive); }
    QString disk() const { return driveFace()->drive(); }
    static QString faceText(const QString &drive) { return DiskFace::faceText(drive); }
};
