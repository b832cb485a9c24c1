#pragma once
#include "dock/icons/facewidget.h"
#include "dock/icons/liveface.h"

// The live face of a recycle-bin icon as a widget.
class FormRecycle : public FaceWidget
{
    Q_OBJECT
public:
    explicit FormRecycle(QWidget *parent = nullptr) : FaceWidget(new RecycleFace(QString(), nullptr), parent)
    {
        setObjectName(QStringLiteral("FormRecycle"));
    }
    RecycleFace *recycle() const { return static_cast<RecycleFace *>(face()); }
    // The icon's picture column: "<empty picture>,<full picture>".
    void setIcons(const QString &pair) { recycle()->setPicture(pair); }
    QString currentPicture() const { return recycle()->currentPicture(); }

    static bool clearRecycleBin() { return RecycleFace::clearRecycleBin(); }
    static std::function<bool()> &confirmEmpty() { return RecycleFace::confirmEmpty(); }
    static bool askBeforeEmptying() { return RecycleFace::askBeforeEmptying(); }
};
