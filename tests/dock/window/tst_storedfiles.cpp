// The files the programs store are written byte for byte as the earlier code
// wrote them; the fixtures were written by that code from the same steps.
#include "dock/model/dockfile.h"
#include "dock/model/dockiconlist.h"
#include "dock/settings/docksettings.h"
#include "dock/settings/formsettings.h"
#include "dock/settings/formstartup.h"
#include "dock/widgets/formdesktopwidget.h"
#include "dock/window/dockconfig.h"
#include "common/safefile.h"
#include "fakesettings.h"
#include "notes/notefile.h"
#include "platform/paths.h"
#include "storedfixtures.h"
#include "testenv.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QTableWidget>
#include <QtTest>

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestStoredFiles : public QObject
{
    Q_OBJECT
private slots:
    void dockIconFile()
    {
        DockIconList list;
        QList<DockIconRecord> rows = dockPresetRows();
        rows << DockIconRecord { "ico0704545", ":/image/icon/url.png", QString::fromUtf8("A & B <c> \"d\" 北京"),
                                 "URL", "https://example.org/?a=1&b=2", "" };
        rows << DockIconRecord { "ico1212312", "/tmp/x y.png", "  spaced  ", "MENU", "0", "line1\nline2" };
        list.setRows(rows);
        const QString path = platform::configPath("Zorvane.xml");
        QDir().mkpath(platform::appConfigFolder());
        QVERIFY(DockFile::save(path, list));
        QCOMPARE(contents(path), storedFixture("Zorvane.xml"));
        DockIconList back;
        DockFile::load(path, &back);
        QCOMPARE(back.rows(), rows);
    }

    // A first start, then the settings panel, a hot key, the autostart prompt
    // and the desktop-widget panel each save what they edit.
    void settingsFile()
    {
        FakeAutostart autostart;
        FakeGlobalHotKeys keys;
        QFile::remove(DockSettings::defaultPath());
        DockSettings &file = *DockSettings::instance();
        file.load();
        DockState defaults;
        QString texts[DockHotkeyCount];
        DockConfig::initSave(file, defaults, texts);
        DockConfig::saveAppPath(file, QString::fromUtf8("/opt/我的 dock,1"));
        {
            FormSettings p;
            p.readSettings();
            const QList<QPair<const char *, int>> numbers = {
                { "Margin", 12 }, { "icoSize", 48 }, { "icoNameSize", 17 }, { "icoScale", 40 },
                { "TransparentBackground", 99 } };
            for (const auto &n : numbers) {
                auto *w = p.findChild<QAbstractSlider *>(n.first);
                QVERIFY2(w, n.first);
                w->setValue(n.second);
            }
            const QList<QPair<const char *, int>> combos = {
                { "comboBoxBackgroundStyle", 1 }, { "comboBoxIconClick", 0 }, { "LanguageClick", 1 } };
            for (const auto &c : combos) {
                auto *w = p.findChild<QComboBox *>(c.first);
                QVERIFY2(w, c.first);
                QSignalBlocker quiet(w);
                w->setCurrentIndex(c.second);
            }
            for (const char *n : { "checkBoxLocking", "checkBoxHide", "checkBoxUpgrade", "checkBoxMousePop",
                                   "checkBoxMousePop2", "checkBoxSensing", "checkBoxWorkArea", "checkBoxWinShow",
                                   "IconDoubleClick", "checkBoxTaskbarAlpha", "checkBoxTaskbarblurry",
                                   "checkBoxTaskbarHide", "checkBoxDesktopIcon" }) {
                auto *c = p.findChild<QCheckBox *>(n);
                QVERIFY2(c, n);
                c->setChecked(!c->isChecked());
            }
            p.findChild<QAbstractButton *>("rightButton")->click();
            p.findChild<QAbstractButton *>("frontButton")->click();
            p.SaveSettings();
        }
        DockConfig::writeHotkey(file, 4, "Ctrl+Alt+D");
        {
            FormStartUp prompt;
            auto *remind = prompt.findChild<QCheckBox *>("checkBox");
            QVERIFY(remind);
            remind->setChecked(false);
            remind->click(); // ticked by the user
        }
        {
            FormDesktopWidget panel;
            panel.SaveSettings();
        }
        QCOMPARE(contents(DockSettings::defaultPath()), storedFixture("config.ini"));
    }

    void notesFile()
    {
        const QList<NoteRow> rows = {
            { "1607000000001", "2", QString::fromUtf8("买菜 & <牛奶>\n第二行"), "100", "120", "250", "260" },
            { "1607000000002", "0", "", "-5", "0", "300", "300" } };
        QCOMPARE(NoteFile::build(rows), storedFixture("Mirelka.xml"));
        const QString path = platform::appConfigFolder() + "/Mirelka.xml";
        QDir().mkpath(platform::appConfigFolder());
        QVERIFY(SafeFile::write(path, NoteFile::build(rows)));
        NoteList back;
        QCOMPARE(NoteFile::read(path, back), NoteFile::ReadResult::Read);
        QCOMPARE(back.rows(), rows);
    }
};

ZV_TEST_MAIN(TestStoredFiles)
#include "tst_storedfiles.moc"
