#pragma once
#include <QString>
#include <QUrl>

// Addresses on the product's web site. The host lives here alone, so a move
// of the site changes one line.
namespace ProductLinks {

inline QString webHost() { return QStringLiteral("https://zorvane.example"); }

// The help forum of the dock.
inline QUrl helpPage()
{
    QUrl url(webHost());
    url.setPath(QStringLiteral("/bbs/forum.php"));
    url.setQuery(QStringLiteral("mod=forumdisplay&fid=36"));
    return url;
}

} // namespace ProductLinks
