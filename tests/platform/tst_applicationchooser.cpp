// The program dialog: the desktop's applications of every applications
// folder, by their names in the user's language and their pictures, and a
// way out to any other file.
#include "platform/applicationchooser.h"
#include "platform/dialogs.h"
#include "testenv.h"

#include <QApplication>
#include <QCollator>
#include <QFileDialog>
#include <QLineEdit>
#include <QIcon>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace platform;

namespace {

// Runs `step` on each modal dialog as it comes up, in turn, until a step
// answers false; every dialog that stays open at the end is rejected.
void onModals(const std::function<bool(QWidget *)> &step)
{
    auto *poll = new QTimer;
    auto seen = std::make_shared<QWidget *>(nullptr);
    QObject::connect(poll, &QTimer::timeout, [poll, seen, step] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == *seen)
            return;
        *seen = modal;
        if (!step(modal)) {
            if (auto *d = qobject_cast<QDialog *>(modal); d && d->isVisible())
                d->reject();
            poll->deleteLater();
        }
    });
    poll->start(10);
}

QStringList names(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

class TestApplicationChooser : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString user, system1, system2, picture;
    std::unique_ptr<ScopedEnv> dataDirs;
    QStringList oldThemePaths;
    QString oldTheme;

    QString entry(const QString &folder, const QString &id, const QByteArray &body)
    {
        return TestEnv::writeFile(folder + "/applications/" + id, "[Desktop Entry]\nType=Application\n" + body);
    }

private slots:
    void initTestCase()
    {
        user = qEnvironmentVariable("XDG_DATA_HOME");
        system1 = dir.path() + "/usr-local";
        system2 = dir.path() + "/usr";
        dataDirs.reset(new ScopedEnv("XDG_DATA_DIRS", QFile::encodeName(system1 + ":" + system2)));

        // A theme with the calculator's picture, and a picture named by path.
        const QString themes = dir.path() + "/icons";
        TestEnv::writeFile(themes + "/zvapps/index.theme",
                           "[Icon Theme]\nName=zvapps\nDirectories=scalable/apps\n"
                           "[scalable/apps]\nSize=48\nType=Scalable\nMinSize=8\nMaxSize=512\n");
        TestEnv::writeFile(themes + "/zvapps/scalable/apps/zvcalc.svg",
                           "<svg xmlns='http://www.w3.org/2000/svg' width='48' height='48'>"
                           "<rect width='48' height='48' fill='#00ff00'/></svg>");
        oldThemePaths = QIcon::themeSearchPaths();
        oldTheme = QIcon::themeName();
        QIcon::setThemeSearchPaths({ themes });
        QIcon::setThemeName("zvapps");
        picture = dir.path() + "/pictures/zebra.png";
        QDir().mkpath(dir.path() + "/pictures");
        QImage zebra(64, 64, QImage::Format_ARGB32);
        zebra.fill(Qt::blue);
        QVERIFY(zebra.save(picture));

        entry(system2, "org.zv.Calculator.desktop",
              "Name=Calculator\nName[zh_CN]=计算器\nComment=Sums\nExec=true\nIcon=zvcalc\n");
        entry(system1, "kde/org.zv.Zebra.desktop", "Name=Zebra Editor\nExec=true %F\nIcon=" + picture.toUtf8() + "\n");
        entry(system2, "org.zv.Long.desktop",
              "Name=A rather long application name that wants a wide window\nExec=true\n");
        entry(system2, "org.zv.NoDisplay.desktop", "Name=Settings helper\nNoDisplay=true\nExec=true\n");
        entry(system2, "org.zv.Hidden.desktop", "Name=Removed\nHidden=true\nExec=true\n");
        entry(system2, "org.zv.Missing.desktop", "Name=Missing\nExec=/nonexistent/zv-program\n");
        entry(system2, "org.zv.Elsewhere.desktop", "Name=Other desktop\nOnlyShowIn=ZvNowhere;\nExec=true\n");
        // A user's entry of the same ID hides the system's.
        entry(system2, "org.zv.Gone.desktop", "Name=Gone\nExec=true\n");
        entry(user, "org.zv.Gone.desktop", "Name=Gone\nHidden=true\nExec=true\n");
        // The same ID lower down counts once.
        entry(system2, "kde/org.zv.Zebra.desktop", "Name=Zebra Editor (older)\nExec=true\n");
    }

    void cleanupTestCase()
    {
        QIcon::setThemeSearchPaths(oldThemePaths);
        QIcon::setThemeName(oldTheme);
    }

    void applicationsAsAUserKnowsThem()
    {
        const QList<Application> apps = applications();
        QHash<QString, Application> byName;
        QStringList shown;
        for (const Application &a : apps) {
            shown << a.name;
            byName.insert(a.name, a);
        }
        // In the user's language (the test runs in zh_CN), in its order.
        QStringList expected { "A rather long application name that wants a wide window", "Zebra Editor", "计算器" };
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::sort(expected.begin(), expected.end(), collator);
        QCOMPARE(shown, expected);
        QCOMPARE(byName["Zebra Editor"].file, system1 + "/applications/kde/org.zv.Zebra.desktop");
        const Application calculator = byName["计算器"];
        QCOMPARE(calculator.file, system2 + "/applications/org.zv.Calculator.desktop");
        QCOMPARE(calculator.comment, QString("Sums"));
        QCOMPARE(calculator.icon.pixmap(32).toImage().pixelColor(16, 16), QColor(Qt::green));
        QCOMPARE(byName["Zebra Editor"].icon.pixmap(32).toImage().pixelColor(16, 16), QColor(Qt::blue));
        QVERIFY(!byName[expected.value(0)].icon.isNull()); // no Icon: a generic picture
    }

    // The chooser over its owner: names with their pictures, wide enough for
    // the longest; what is chosen comes back as desktop entries.
    void chooserListsAndAnswers()
    {
        QWidget owner;
        owner.setGeometry(300, 200, 200, 100);
        owner.show();
        bool looked = false;
        const auto look = [&](ApplicationChooser *chooser) {
            QListWidget *list = chooser->list();
            QCOMPARE(names(list).size(), 3);
            for (int i = 0; i < list->count(); ++i) {
                QVERIFY(!list->item(i)->icon().isNull());
                QVERIFY2(list->fontMetrics().horizontalAdvance(list->item(i)->text()) + list->iconSize().width()
                             <= list->viewport()->width(),
                         qPrintable(list->item(i)->text() + " is cut"));
            }
            const QList<QListWidgetItem *> calculator = list->findItems("计算器", Qt::MatchExactly);
            const QList<QListWidgetItem *> zebra = list->findItems("Zebra Editor", Qt::MatchExactly);
            QCOMPARE(calculator.size(), 1);
            QCOMPARE(zebra.size(), 1);
            QVERIFY(calculator.first()->toolTip().startsWith("Sums\n"));
            auto *ok = chooser->findChild<QPushButton *>("ok");
            QVERIFY(!ok->isEnabled());
            calculator.first()->setSelected(true);
            zebra.first()->setSelected(true);
            QVERIFY(ok->isEnabled());
            looked = true;
        };
        onModals([&](QWidget *modal) {
            if (auto *chooser = qobject_cast<ApplicationChooser *>(modal)) {
                look(chooser);
                if (looked)
                    chooser->findChild<QPushButton *>("ok")->click();
            }
            return false;
        });
        const QStringList chosen = DialogsService::get().openApplications(&owner, "选择文件", dir.path(), "a(*.desktop)");
        QVERIFY(looked);
        QStringList both { system1 + "/applications/kde/org.zv.Zebra.desktop",
                           system2 + "/applications/org.zv.Calculator.desktop" };
        QCOMPARE(QSet<QString>(chosen.begin(), chosen.end()), QSet<QString>(both.begin(), both.end()));
        QCOMPARE(chosen.size(), 2);

        // Cancelled: nothing.
        onModals([&](QWidget *modal) { return false; });
        QCOMPARE(DialogsService::get().openApplications(&owner, "选择文件", dir.path(), "a(*.desktop)"),
                 QStringList());
    }

    // Any other file: the file dialog, with the caller's folder and filters.
    void otherFileGoesToTheFileDialog()
    {
        QWidget owner;
        owner.show();
        const QString other = TestEnv::writeFile(dir.path() + "/other/run.sh", "#!/bin/sh\n", true);
        QStringList seen;
        onModals([&](QWidget *modal) {
            if (auto *chooser = qobject_cast<ApplicationChooser *>(modal)) {
                seen << "chooser";
                chooser->otherFileButton()->click();
                return true;
            }
            if (auto *files = qobject_cast<QFileDialog *>(modal)) {
                seen << "files " + files->nameFilters().value(0) + " " + files->directory().path();
                // selectFile leaves the name field alone once it has the keyboard,
                // which it may already have on a loaded machine: type the name.
                files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(other);
                static_cast<QDialog *>(files)->accept();
            }
            return false;
        });
        const QStringList chosen =
            DialogsService::get().openApplications(&owner, "选择文件", dir.path() + "/other", "a(*.sh);;b(*)");
        QCOMPARE(seen, QStringList({ "chooser", "files a(*.sh) " + dir.path() + "/other" }));
        QCOMPARE(chosen, QStringList { other });
    }

    // Without any application the file dialog comes at once.
    void noApplicationsNoList()
    {
        ScopedEnv none("XDG_DATA_DIRS", QFile::encodeName(dir.path() + "/nothing"));
        ScopedEnv home("XDG_DATA_HOME", QFile::encodeName(dir.path() + "/nothing-either"));
        QVERIFY(applications().isEmpty());
        QStringList seen;
        onModals([&](QWidget *modal) {
            seen << modal->metaObject()->className();
            return false;
        });
        QCOMPARE(DialogsService::get().openApplications(nullptr, "选择文件", dir.path(), "a(*)"), QStringList());
        QCOMPARE(seen, QStringList { "QFileDialog" });
    }
};

ZV_TEST_MAIN(TestApplicationChooser)
#include "tst_applicationchooser.moc"
