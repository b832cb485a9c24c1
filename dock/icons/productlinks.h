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

// The product's home page, shown and opened by the about box.
inline QUrl homePage()
{
    return QUrl(webHost() + QLatin1Char('/'));
}

// The answer of the update check.
inline QUrl updatePage()
{
    QUrl url(webHost());
    url.setPath(QStringLiteral("/update.html"));
    return url;
}

// The product's own search site takes the query as "q" on its front page.
inline QString searchHost() { return QUrl(webHost()).host(); }

} // namespace ProductLinks
