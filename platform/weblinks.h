#pragma once
#include "service.h"

#include <QUrl>

namespace platform {

// Opens web addresses and files in the user's default programs.
class WebLinks
{
public:
    virtual ~WebLinks() = default;
    virtual bool open(const QUrl &url) = 0;
};

using WebLinksService = Service<WebLinks>;

} // namespace platform
