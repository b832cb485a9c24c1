#pragma once
#include "service.h"

class QWidget;

namespace platform {

// A strip along a screen edge that maximised windows keep clear of
// (_NET_WM_STRUT_PARTIAL). Widths count from the edges of the whole desktop,
// start and end are the strip's span along its edge, in desktop pixels.
struct Strut
{
    int leftWidth = 0, leftStart = 0, leftEnd = 0;
    int rightWidth = 0, rightStart = 0, rightEnd = 0;
    int topWidth = 0, topStart = 0, topEnd = 0;
    int bottomWidth = 0, bottomStart = 0, bottomEnd = 0;
    bool isNull() const { return !leftWidth && !rightWidth && !topWidth && !bottomWidth; }
    bool operator==(const Strut &o) const
    {
        return leftWidth == o.leftWidth && leftStart == o.leftStart && leftEnd == o.leftEnd
            && rightWidth == o.rightWidth && rightStart == o.rightStart && rightEnd == o.rightEnd
            && topWidth == o.topWidth && topStart == o.topStart && topEnd == o.topEnd
            && bottomWidth == o.bottomWidth && bottomStart == o.bottomStart && bottomEnd == o.bottomEnd;
    }
    bool operator!=(const Strut &o) const { return !(*this == o); }
};

// The desktop's work area as far as one window can change it: by reserving
// strips of the screen for itself. The reservation ends with the window.
class WorkArea
{
public:
    virtual ~WorkArea() = default;
    // A null strut gives the window's strips back.
    virtual void setStrut(QWidget *w, const Strut &strut) = 0;
};

using WorkAreaService = Service<WorkArea>;

} // namespace platform
