#include "webviewmodule.h"

#include <QWebEngineSettings>

namespace {

// Catches the address of a link that asked for a new window, then goes.
class NewWindowCatcher : public QWebEnginePage
{
public:
    NewWindowCatcher(CataloguePage *origin) : QWebEnginePage(origin->profile(), origin), m_origin(origin) {}

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool) override
    {
        if (m_origin)
            emit m_origin->linkClicked(url);
        deleteLater();
        return false;
    }

private:
    QPointer<CataloguePage> m_origin;
};

} // namespace

bool CataloguePage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (type == NavigationTypeLinkClicked) {
        emit linkClicked(url);
        return false;
    }
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

QWebEnginePage *CataloguePage::createWindow(WebWindowType)
{
    return new NewWindowCatcher(this);
}

CatalogueView::CatalogueView(QWidget *parent) : QWebEngineView(parent)
{
    auto *page = new CataloguePage(this);
    setPage(page);
    page->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    setContextMenuPolicy(Qt::NoContextMenu);
    setFocusPolicy(Qt::NoFocus);
    connect(page, &CataloguePage::linkClicked, this, &CatalogueView::linkClicked);
}
