#pragma once
#include "dock/editing/catalogueview.h"

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

// A page that reports the links the user follows instead of following them.
class CataloguePage : public QWebEnginePage
{
    Q_OBJECT
public:
    using QWebEnginePage::QWebEnginePage;

signals:
    void linkClicked(QUrl url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    // A link meant for a new window is reported like any other.
    QWebEnginePage *createWindow(WebWindowType type) override;
};

class CatalogueView : public QWebEngineView
{
    Q_OBJECT
public:
    explicit CatalogueView(QWidget *parent);

signals:
    void linkClicked(QUrl url);
};

class CatalogueViewPlugin : public QObject, public CatalogueViewFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID CatalogueViewFactory_iid)
    Q_INTERFACES(CatalogueViewFactory)
public:
    QWidget *createView(QWidget *parent) override { return new CatalogueView(parent); }
};
