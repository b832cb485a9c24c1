#include "dock/toast/desktoptools.h"

#include <QCoreApplication>

namespace DesktopTools {

QString missingText(platform::Opener::Tool tool)
{
    switch (tool) {
    case platform::Opener::Calculator: return QCoreApplication::translate("DesktopTools", "未找到计算器！");
    case platform::Opener::SystemSettings: return QCoreApplication::translate("DesktopTools", "未找到控制面板！");
    case platform::Opener::Screenshot: return QCoreApplication::translate("DesktopTools", "未找到截图工具！");
    case platform::Opener::Terminal: return QCoreApplication::translate("DesktopTools", "未找到终端！");
    }
    return QString();
}

bool start(platform::Opener::Tool tool, const Say &say)
{
    if (platform::OpenerService::get().startTool(tool))
        return true;
    if (say)
        say(missingText(tool));
    return false;
}

bool openPath(const QString &path, const Say &say)
{
    platform::Opener::Tool tool;
    if (platform::toolOfPath(path, &tool))
        return start(tool, say);
    return platform::OpenerService::get().openPath(path);
}

} // namespace DesktopTools
