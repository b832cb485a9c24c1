#pragma once
// Everything the parts of the dock window call.
#include "dock/model/dockfile.h"
#include "dock/model/dockiconlist.h"
#include "widget.h"
#include "ui_widget.h"
#include "formdetection.h"
#include "dock/toast/formsystemhint.h"
#include "removabledisks.h"
#include "udisk.h"

#include "common/safefile.h"
#include "common/systemmessage.h"
#include "dock/editing/formaddurl.h"
#include "dock/editing/formiconlists.h"
#include "dock/editing/formiconsettings.h"
#include "dock/editing/formsidebarmenu.h"
#include "dock/icons/dockbar.h"
#include "dock/icons/formcommonicon.h"
#include "dock/icons/formdelete.h"
#include "dock/icons/formname.h"
#include "dock/icons/formselectdisk.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/menus/formmenu.h"
#include "dock/menus/formstartmenu.h"
#include "dock/settings/formsettings.h"
#include "dock/settings/formstartup.h"
#include "dock/settings/qxtglobalshortcut.h"
#include "dock/tools/formabout.h"
#include "dock/tools/formprotection.h"
#include "dock/tools/formshutdown.h"
#include "dock/tools/formupload.h"
#include "dock/tools/formvesk.h"
#include "dock/widgets/formdesktoptime.h"
#include "dock/widgets/formdesktopwidget.h"
#include "dock/widgets/formweather.h"
#include "dock/widgets/formweathereffects.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/processes.h"
#include "platform/windowsystem.h"

#include <QApplication>
#include <QCursor>
#include <QDebug>
#include <QDir>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>

#include <optional>

// The window level "System/Level" names: 0 front, 1 normal, 2 below; none
// for any other value.
std::optional<platform::WindowSystem::Level> levelOf(int level);
