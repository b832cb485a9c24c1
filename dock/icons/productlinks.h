#pragma once
#include <QString>
#include <QUrl>

// Addresses on the product's web site, and the outside services the dock
// asks. The host lives here alone, so a move of the site changes one line.
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

// A web address given in the environment, when it is one.
inline QUrl addressFromEnvironment(const char *variable)
{
    const QUrl url(qEnvironmentVariable(variable), QUrl::StrictMode);
    const bool web = url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
    return web && !url.host().isEmpty() ? url : QUrl();
}

// The answer of the update check. The product's update page is no public
// address: ZV_UPDATE_URL names one; without it the check finds no update.
inline QUrl updatePage()
{
    const QUrl chosen = addressFromEnvironment("ZV_UPDATE_URL");
    if (chosen.isValid())
        return chosen;
    QUrl url(webHost());
    url.setPath(QStringLiteral("/update.html"));
    return url;
}

// The web search: a public site that takes the query as "q" on its front
// page; ZV_SEARCH_URL names another site that takes the same shape.
inline QUrl searchSite()
{
    const QUrl chosen = addressFromEnvironment("ZV_SEARCH_URL");
    return chosen.isValid() ? chosen : QUrl(QStringLiteral("https://duckduckgo.com/"));
}

} // namespace ProductLinks
