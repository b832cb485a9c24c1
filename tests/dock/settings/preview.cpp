// Shows the settings panel and the first-run prompt, filled from a private
// config folder, for a screenshot.
#include "dock/settings/formsettings.h"
#include "dock/settings/formstartup.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    QApplication app(argc, argv);
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(12);
    app.setFont(font);
    {
        QSettings set(home.path() + "/" + app.applicationName() + "/config.ini", QSettings::IniFormat);
        set.setValue("System/Screen", "0");
        set.setValue("System/IcoSize", "64");
        set.setValue("System/IcoScale", "64");
        set.setValue("System/IcoNameSize", "15");
        set.setValue("System/Location", "2");
        set.setValue("System/Level", "1");
        set.setValue("System/TransparentBackground", "150");
        set.setValue("System/Click", "1");
        set.setValue("System/UpgradeNotice", true);
        set.setValue("System/MouseMaximize", true);
        set.setValue("Hotkey/LaunchPad", "Alt+Q");
        set.setValue("Hotkey/Vesk", "Alt+S");
        set.setValue("Hotkey/Screenshot", "Alt+X");
        set.setValue("Hotkey/ColorPicker", "Alt+C");
        set.setValue("Hotkey/Zorvane", "Alt");
    }
    FormSettings panel;
    panel.readSettings();
    panel.move(40, 40);
    panel.show();
    const int page = app.arguments().value(1).toInt();
    if (page > 0)
        panel.findChild<QScrollArea *>("scrollArea1")->verticalScrollBar()->setValue(page);
    FormStartUp prompt;
    prompt.CheckAutoRun();
    return app.exec();
}
