// The icon theme found without a desktop environment (no platform theme):
// what the settings manager and the GTK files name, and the pictures a
// desktop entry then gets from a theme folder of the test's own.
#include "platform/fileicons.h"
#include "platform/icontheme.h"
#include "testenv.h"

#include <QApplication>
#include <QDataStream>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace platform;

namespace {

// XSETTINGS as a settings manager writes it: an integer, a colour and the
// strings given, in that order.
QByteArray xsettings(QDataStream::ByteOrder order, const QList<QPair<QByteArray, QByteArray>> &strings)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(order);
    const auto pad = [&](int n) {
        for (int i = 0; i < (4 - n % 4) % 4; ++i)
            s << quint8(0);
    };
    const auto head = [&](quint8 type, const QByteArray &name) {
        s << type << quint8(0) << quint16(name.size());
        s.writeRawData(name.constData(), name.size());
        pad(name.size());
        s << quint32(7);
    };
    s << quint8(order == QDataStream::LittleEndian ? 0 : 1) << quint8(0) << quint8(0) << quint8(0);
    s << quint32(3) << quint32(2 + strings.size());
    head(0, "Net/DoubleClickTime");
    s << qint32(400);
    head(2, "Gtk/Color");
    s << quint16(1) << quint16(2) << quint16(3) << quint16(4);
    for (const auto &p : strings) {
        head(1, p.first);
        s << quint32(p.second.size());
        s.writeRawData(p.second.constData(), p.second.size());
        pad(p.second.size());
    }
    return out;
}

void picture(const QString &file, QColor colour)
{
    QImage img(48, 48, QImage::Format_ARGB32);
    img.fill(colour);
    QDir().mkpath(QFileInfo(file).path());
    QVERIFY(img.save(file));
}

void theme(const QString &folder, const QString &name, const QString &inherits)
{
    TestEnv::writeFile(folder + "/" + name + "/index.theme",
                       "[Icon Theme]\nName=" + name.toUtf8() + "\n" + (inherits.isEmpty() ? "" : "Inherits=" + inherits.toUtf8() + "\n")
                           + "Directories=48x48/apps\n\n[48x48/apps]\nSize=48\nType=Fixed\n");
}

QColor middle(const QPixmap &p)
{
    return p.toImage().pixelColor(p.width() / 2, p.height() / 2);
}

} // namespace

class TestIconTheme : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString at(const QString &p) const { return dir.path() + "/" + p; }

private slots:
    void initTestCase()
    {
        qputenv("HOME", at("home").toUtf8());
        qputenv("XDG_CONFIG_HOME", at("home/.config").toUtf8());
        qputenv("XDG_CONFIG_DIRS", at("etc").toUtf8());
        qputenv("XDG_DATA_HOME", at("home/.local/share").toUtf8());
        qputenv("XDG_DATA_DIRS", at("share").toUtf8());
        QDir().mkpath(at("home"));
        // The user's own theme inherits a theme that is not there; the
        // common theme behind it, then hicolor, fill the gaps.
        theme(at("home/.local/share/icons"), "Mine", "Missing");
        picture(at("home/.local/share/icons/Mine/48x48/apps/own-app.png"), Qt::red);
        theme(at("share/icons"), "Adwaita", "hicolor");
        picture(at("share/icons/Adwaita/48x48/apps/application-x-executable.png"), Qt::blue);
        picture(at("share/icons/Adwaita/48x48/apps/own-app.png"), Qt::yellow);
        theme(at("share/icons"), "hicolor", QString());
        picture(at("share/icons/hicolor/48x48/apps/old-app.png"), Qt::green);
    }

    void settingsManagerBytes()
    {
        for (auto order : { QDataStream::LittleEndian, QDataStream::BigEndian }) {
            QCOMPARE(IconTheme::fromXSettings(xsettings(order, { { "Net/ThemeName", "Dark" }, { "Net/IconThemeName", "Mine" } })),
                     QString("Mine"));
            QCOMPARE(IconTheme::fromXSettings(xsettings(order, { { "Net/ThemeName", "Dark" } })), QString());
        }
        const QByteArray whole = xsettings(QDataStream::LittleEndian, { { "Net/IconThemeName", "Mine" } });
        // Cut short, with a bad byte order, or with a length past the end: nothing.
        for (int cut : { 0, 4, 11, 20, whole.size() - 8, whole.size() - 1 })
            QCOMPARE(IconTheme::fromXSettings(whole.left(cut)), QString());
        QByteArray order = whole;
        order[0] = 7;
        QCOMPARE(IconTheme::fromXSettings(order), QString());
        QByteArray length = whole;
        length[length.size() - 8] = char(0xff);
        QCOMPARE(IconTheme::fromXSettings(length), QString());
    }

    void gtkSettingsFiles()
    {
        QCOMPARE(IconTheme::fromGtk3Settings("[Settings]\ngtk-theme-name=Dark\n gtk-icon-theme-name = Mine \n"), QString("Mine"));
        QCOMPARE(IconTheme::fromGtk3Settings("[Other]\ngtk-icon-theme-name=Mine\n"), QString());
        QCOMPARE(IconTheme::fromGtk3Settings("[Settings]\n#gtk-icon-theme-name=Mine\ngtk-icon-theme-name-x=Y\n"), QString());
        QCOMPARE(IconTheme::fromGtk3Settings("[Settings]\ngtk-icon-theme-name=A\ngtk-icon-theme-name=\"B\"\n"), QString("B"));
        QCOMPARE(IconTheme::fromGtk2Rc("include \"x\"\ngtk-icon-theme-name=\"Mine\"\n"), QString("Mine"));
        QCOMPARE(IconTheme::fromGtk2Rc("# gtk-icon-theme-name=\"Mine\"\ngtk-font-name=\"Sans 10\"\n"), QString());
    }

    // Each source counts only for a theme that is installed.
    void whichThemeIsTaken()
    {
        const QStringList paths = IconTheme::searchPaths();
        QVERIFY(paths.contains(at("home/.local/share/icons")) && paths.contains(at("share/icons")));
        QVERIFY(IconTheme::isInstalled("Mine", paths) && !IconTheme::isInstalled("Missing", paths));
        QVERIFY(!IconTheme::isInstalled("../share/icons/Mine", paths));
        const QString gtk3 = at("home/.config/gtk-3.0/settings.ini"), gtk2 = at("home/.gtkrc-2.0");
        QCOMPARE(IconTheme::find(QByteArray(), paths), QString("Adwaita")); // the first common one
        TestEnv::writeFile(gtk2, "gtk-icon-theme-name=\"Mine\"\n");
        QCOMPARE(IconTheme::find(QByteArray(), paths), QString("Mine"));
        TestEnv::writeFile(gtk3, "[Settings]\ngtk-icon-theme-name=Missing\n");
        QCOMPARE(IconTheme::find(QByteArray(), paths), QString("Mine"));
        TestEnv::writeFile(gtk3, "[Settings]\ngtk-icon-theme-name=Adwaita\n");
        QCOMPARE(IconTheme::find(QByteArray(), paths), QString("Adwaita"));
        const QByteArray managed = xsettings(QDataStream::LittleEndian, { { "Net/IconThemeName", "Mine" } });
        QCOMPARE(IconTheme::find(managed, paths), QString("Mine"));
        QFile::remove(gtk3);
        QFile::remove(gtk2);
        QCOMPARE(IconTheme::fallbackFor("Mine", paths), QString("Adwaita"));
        QCOMPARE(IconTheme::fallbackFor("Adwaita", paths), QString("hicolor"));
    }

    // With no platform theme, Qt finds no theme of its own: a desktop entry
    // gets the picture of the user's theme, then of the fallbacks.
    void desktopEntriesGetThemePictures()
    {
        TestEnv::writeFile(at("home/.gtkrc-2.0"), "gtk-icon-theme-name=\"Mine\"\n");
        IconTheme::apply();
        QCOMPARE(QIcon::themeName(), QString("Mine"));
        QCOMPARE(QIcon::fallbackThemeName(), QString("Adwaita"));
        const auto entry = [&](const char *name, const char *icon) {
            return TestEnv::writeFile(at(QString("apps/%1.desktop").arg(name)),
                                      QByteArray("[Desktop Entry]\nType=Application\nName=x\nExec=true\nIcon=") + icon + "\n");
        };
        ThemeFileIcons icons;
        const QPixmap own = icons.largeIcon(entry("own", "own-app"), 256);
        QCOMPARE(own.size(), QSize(256, 256));
        QCOMPARE(middle(own), QColor(Qt::red));
        QCOMPARE(middle(icons.largeIcon(entry("old", "old-app"), 256)), QColor(Qt::green));
        QCOMPARE(middle(icons.largeIcon(entry("none", "no-such-icon"), 256)), QColor(Qt::blue));
        QFile::remove(at("home/.gtkrc-2.0"));
    }
};

ZV_TEST_MAIN(TestIconTheme)
#include "tst_icontheme.moc"
