#pragma once
#include <QtPlugin>

class QWidget;

// The web view of the add-web-site dialog comes from a module of its own, so
// that the web engine is loaded, and its memory paid, only when a dialog first
// needs a view, never at start-up.
//
// The view it makes has the writable property "url" (setting it loads the
// page) and the signals loadProgress(int), loadFinished(bool) and
// linkClicked(QUrl): a link the user follows is reported there and never
// opened by the view itself.
class CatalogueViewFactory
{
public:
    virtual ~CatalogueViewFactory() = default;
    virtual QWidget *createView(QWidget *parent) = 0;
};

#define CatalogueViewFactory_iid "org.zorvane.CatalogueViewFactory/1.0"
Q_DECLARE_INTERFACE(CatalogueViewFactory, CatalogueViewFactory_iid)

namespace CatalogueViewModule {

// The module's file: "zorvane-webview.so" beside the program unless set.
QString file();
void setFile(const QString &path);
// A new view, or nullptr when the module or the web engine cannot be loaded.
QWidget *createView(QWidget *parent);

} // namespace CatalogueViewModule
