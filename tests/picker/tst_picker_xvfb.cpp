// The picker as a user meets it, on a private X server: zv_xanchor paints a
// desktop of known colours and is the clipboard manager, xdotool moves and
// clicks, xclip reads the clipboard. The copied colour must reach the clipboard
// manager as the picker ends: only an end through the event loop hands it over.
// Without a manager the picker keeps the colour itself until it is replaced.
#include "testenv.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include <functional>

namespace {

// The time only bounds a hung program; no result depends on it.
bool waitUntil(const std::function<bool()> &condition)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > 20000)
            return false;
        QTest::qWait(50);
    }
    return true;
}

} // namespace

class TestPickerXvfb : public QObject
{
    Q_OBJECT
    QProcess anchor;
    QString said; // what the anchor printed
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();

    // A short X tool's output, or an empty string when it failed.
    QString x(const QString &program, const QStringList &args) const
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, args);
        const bool ok = p.waitForFinished(15000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        if (p.state() != QProcess::NotRunning)
            p.kill();
        return ok ? QString::fromUtf8(p.readAllStandardOutput()).trimmed() : QString();
    }
    QString window(const QString &title) const
    {
        return x("xdotool", { "search", "--onlyvisible", "--name", "^" + title + "$" }).section('\n', 0, 0);
    }
    void clickAt(const QPoint &p) const
    {
        x("xdotool", { "mousemove", QString::number(p.x()), QString::number(p.y()), "click", "1" });
    }
    bool anchorSaid(const QString &text)
    {
        return waitUntil([&] {
            said += QString::fromUtf8(anchor.readAllStandardOutput());
            return said.contains(text) || anchor.state() == QProcess::NotRunning;
        }) && said.contains(text);
    }

    // Starts the picker, picks the screen point and gives where its colour view stands.
    void pickAt(QProcess &picker, const QPoint &point, QPoint &view)
    {
        picker.setProcessEnvironment(env);
        picker.start(TestEnv::binDir() + "/Tandrel", QStringList());
        QVERIFY(waitUntil([&] { return !window("Tandrel").isEmpty(); }));
        clickAt(point);
        QVERIFY(waitUntil([&] { return window("Tandrel").isEmpty() && !window("Form").isEmpty(); }));
        const QString shell = x("xdotool", { "getwindowgeometry", "--shell", window("Form") });
        const QRegularExpressionMatch at = QRegularExpression("X=(-?\\d+)\\nY=(-?\\d+)").match(shell);
        QVERIFY2(at.hasMatch(), qPrintable(shell));
        view = QPoint(at.captured(1).toInt(), at.captured(2).toInt());
    }

private slots:
    void initTestCase()
    {
        for (const char *tool : { "xvfb-run", "Xvfb", "xauth", "xdotool", "xclip" })
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(qPrintable(QString("%1 is not installed").arg(tool)));
        anchor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        anchor.start("xvfb-run", { "-a", "-s", "-screen 0 1280x800x24",
                                   QCoreApplication::applicationDirPath() + "/zv_xanchor" });
        QVERIFY2(anchorSaid("ready\n") && anchor.state() == QProcess::Running, "the test X server did not come up");
        env.insert("DISPLAY", QRegularExpression("DISPLAY=(.*)\n").match(said).captured(1));
        env.insert("XAUTHORITY", QRegularExpression("XAUTHORITY=(.*)\n").match(said).captured(1));
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("QT_SCALE_FACTOR");
    }

    void cleanupTestCase()
    {
        anchor.closeWriteChannel();
        if (!anchor.waitForFinished(15000))
            anchor.kill();
    }

    void pickCopyCloseAndKeepTheColour()
    {
        QProcess picker; // killed by its destructor should a check fail
        QPoint view;
        // Red 901 mod 256, green 601 mod 256, blue 16 * 3 + 2.
        pickAt(picker, QPoint(901, 601), view);
        if (QTest::currentTestFailed())
            return;

        clickAt(view + QPoint(75, 189)); // copy
        QVERIFY(waitUntil([&] { return x("xclip", { "-o", "-selection", "clipboard" }) == "#855932"; }));
        clickAt(view + QPoint(255, 20)); // close
        QVERIFY(waitUntil([&] { return picker.state() == QProcess::NotRunning; }));
        QCOMPARE(picker.exitStatus(), QProcess::NormalExit);
        QCOMPARE(picker.exitCode(), 0);
        QVERIFY2(anchorSaid("saved #855932\n"), qPrintable(said));
    }

    // Without a clipboard manager the picker stays, windowless, as the
    // clipboard's owner, until another program takes the clipboard.
    void withoutManagerTheColourOutlivesTheWindows()
    {
        anchor.write("no manager\n");
        QVERIFY2(anchorSaid("manager gone\n"), qPrintable(said));
        QProcess picker;
        QPoint view;
        pickAt(picker, QPoint(300, 200), view);
        if (QTest::currentTestFailed())
            return;
        clickAt(view + QPoint(75, 189)); // copy
        clickAt(view + QPoint(255, 20)); // close
        QVERIFY(waitUntil([&] { return window("Form").isEmpty(); }));

        // Red 300 mod 256, green 200, blue 16 * 1 + 0.
        QCOMPARE(x("xclip", { "-o", "-selection", "clipboard" }), QString("#2CC810"));
        QTest::qWait(500);
        QCOMPARE(picker.state(), QProcess::Running);
        QCOMPARE(x("xclip", { "-o", "-selection", "clipboard" }), QString("#2CC810"));

        anchor.write("take\n");
        QVERIFY2(anchorSaid("taken\n"), qPrintable(said));
        QVERIFY(waitUntil([&] { return picker.state() == QProcess::NotRunning; }));
        QCOMPARE(picker.exitStatus(), QProcess::NormalExit);
        QCOMPARE(picker.exitCode(), 0);
    }
};

ZV_TEST_MAIN(TestPickerXvfb)
#include "tst_picker_xvfb.moc"
