#include "dock/editing/catalogueview.h"

#include "common/logging.h"
#include "platform/paths.h"
#include "platform/webengine.h"

#include <QDir>
#include <QFileInfo>
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
    if (!fileName().isEmpty())
        return fileName();
    const QString name = QStringLiteral("zorvane-webview.so");
    const QString beside = platform::programFolder() + QLatin1Char('/') + name;
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(platform::programFolder() + QStringLiteral("/../" ZV_INSTALL_MODULEDIR "/") + name);
}

void setFile(const QString &path)
{
    fileName() = path;
}

QWidget *createView(QWidget *parent)
{
    static const bool settled = (platform::settleWebEngineSandbox(), true);
    Q_UNUSED(settled)
    QPluginLoader loader(file());
    auto *factory = qobject_cast<CatalogueViewFactory *>(loader.instance());
    if (!factory) {
        qCWarning(lcNet) << "web view unavailable:" << loader.errorString();
        return nullptr;
    }
    return factory->createView(parent);
}

} // namespace CatalogueViewModule
