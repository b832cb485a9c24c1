#include "dock/editing/catalogueview.h"

#include "platform/paths.h"

#include <QDebug>
#include <QPluginLoader>
#include <QWidget>

namespace CatalogueViewModule {

namespace {
QString &fileName()
{
    static QString f;
    return f;
}
} // namespace

QString file()
{
    return fileName().isEmpty() ? platform::programFolder() + QStringLiteral("/zorvane-webview.so") : fileName();
}

void setFile(const QString &path)
{
    fileName() = path;
}

QWidget *createView(QWidget *parent)
{
    QPluginLoader loader(file());
    auto *factory = qobject_cast<CatalogueViewFactory *>(loader.instance());
    if (!factory) {
        qDebug() << "web view unavailable:" << loader.errorString();
        return nullptr;
    }
    return factory->createView(parent);
}

} // namespace CatalogueViewModule
