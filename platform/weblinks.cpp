#include "weblinks.h"

#include <QDesktopServices>

namespace platform {
namespace {
class DesktopLinks final : public WebLinks
{
public:
    bool open(const QUrl &url) override { return QDesktopServices::openUrl(url); }
};
} // namespace

template <>
WebLinks &Service<WebLinks>::real()
{
    static DesktopLinks l;
    return l;
}

} // namespace platform
