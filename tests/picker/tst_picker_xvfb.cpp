// The picker as a user meets it, on a private X server (xvfb-run): it starts
// over a desktop of known colours, the pointer is moved and clicked through
// XTEST (xdotool), and the clipboard is read back with xclip, also after the
// picker has ended. zv_xanchor paints the desktop, holds the keyboard focus and
// is the clipboard manager.
#include "testenv.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include <functional>

namespace {

// Polls until the condition holds or the time is up; the time only bounds a
// hung program, no result depends on it.
bool waitUntil(const std::function<bool()> &condition, int ms = 20000)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > ms)
            return false;
        QTest::qWait(50);
    }
    return true;
}

QString patternText(int x, int y)
{
    return QStringLiteral("#%1%2%3")
        .arg(x & 255, 2, 16, QLatin1Char('0'))
        .arg(y & 255, 2, 16, QLatin1Char('0'))
        .arg(((x >> 8) << 4) | (y >> 8), 2, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace

class TestPickerXvfb : public QObject
{
    Q_OBJECT

private:
    QProcess anchor;
    QString display;
    QString xauthority;
    QString anchorOutput;
    QString consumed; // what the anchor wrote before the line last waited for

    QProcessEnvironment xEnv() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("XAUTHORITY"), xauthority);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("QT_SCALE_FACTOR"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return env;
    }

    // Runs a short X tool and returns its output; `ok` tells whether it succeeded.
    QString x(const QString &program, const QStringList &args, bool *ok = nullptr) const
    {
        QProcess p;
        p.setProcessEnvironment(xEnv());
        p.start(program, args);
        const bool done = p.waitForFinished(15000);
        if (!done)
            p.kill();
        if (ok)
            *ok = done && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

    bool anchorLine(const QString &wanted)
    {
        return waitUntil([&] {
            anchorOutput += QString::fromUtf8(anchor.readAllStandardOutput());
            const int at = anchorOutput.indexOf(wanted + QLatin1Char('\n'));
            if (at < 0)
                return anchor.state() == QProcess::NotRunning;
            consumed = anchorOutput.left(at);
            anchorOutput.remove(0, at + wanted.size() + 1);
            return true;
        }) && anchor.state() == QProcess::Running;
    }

    bool tell(const QString &command)
    {
        anchor.write((command + QLatin1Char('\n')).toUtf8());
        return anchorLine(QStringLiteral("ok"));
    }

    // The visible window of that exact title, or an empty string.
    QString visibleWindow(const QString &title) const
    {
        return x(QStringLiteral("xdotool"),
                 { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                   QLatin1Char('^') + title + QLatin1Char('$') })
            .section(QLatin1Char('\n'), 0, 0);
    }

    QRect geometryOf(const QString &window) const
    {
        const QString shell = x(QStringLiteral("xdotool"),
                                { QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window });
        auto value = [&](const char *key) {
            const QRegularExpressionMatch m =
                QRegularExpression(QStringLiteral("^%1=(-?\\d+)$").arg(QLatin1String(key)),
                                   QRegularExpression::MultilineOption)
                    .match(shell);
            return m.hasMatch() ? m.captured(1).toInt() : -1;
        };
        return QRect(value("X"), value("Y"), value("WIDTH"), value("HEIGHT"));
    }

    void moveTo(int px, int py) const
    {
        x(QStringLiteral("xdotool"), { QStringLiteral("mousemove"), QString::number(px), QString::number(py) });
    }

    void clickAt(int px, int py, int button = 1) const
    {
        moveTo(px, py);
        x(QStringLiteral("xdotool"), { QStringLiteral("click"), QString::number(button) });
    }

    QString clipboard() const
    {
        bool ok = false;
        const QString text =
            x(QStringLiteral("xclip"), { QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard") }, &ok);
        return ok ? text : QString();
    }

    bool startPicker(QProcess &picker, const QString &scale = QString())
    {
        QProcessEnvironment env = xEnv();
        if (!scale.isEmpty())
            env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
        picker.setProcessEnvironment(env);
        picker.setProcessChannelMode(QProcess::MergedChannels);
        picker.start(TestEnv::binDir() + QStringLiteral("/Tandrel"), QStringList());
        return picker.waitForStarted(15000) && waitUntil([&] { return !visibleWindow(QStringLiteral("Tandrel")).isEmpty(); });
    }

    bool grabberGone() const { return visibleWindow(QStringLiteral("Tandrel")).isEmpty(); }

    static bool ended(QProcess &picker)
    {
        return waitUntil([&] { return picker.state() == QProcess::NotRunning; }) &&
               picker.exitStatus() == QProcess::NormalExit;
    }

    // Ends a picker that a failed check left running.
    struct Picker : QProcess
    {
        ~Picker() override
        {
            if (state() != QProcess::NotRunning) {
                kill();
                waitForFinished(5000);
            }
        }
    };

private slots:
    void initTestCase();
    void cleanupTestCase();
    void pickCopyAndKeepAfterExit();
    void cancelEnds_data();
    void cancelEnds();
    void pickExactPixels_data();
    void pickExactPixels();
};

void TestPickerXvfb::initTestCase()
{
    for (const char *tool : { "xvfb-run", "Xvfb", "xauth", "xdotool", "xclip" }) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(tool))));
    }
    const QString anchorProgram = QCoreApplication::applicationDirPath() + QStringLiteral("/zv_xanchor");
    QVERIFY2(QFileInfo::exists(anchorProgram), qPrintable(anchorProgram));
    QVERIFY2(QFileInfo::exists(TestEnv::binDir() + QStringLiteral("/Tandrel")), qPrintable(TestEnv::binDir()));

    anchor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    anchor.start(QStringLiteral("xvfb-run"), { QStringLiteral("-a"), QStringLiteral("-s"),
                                               QStringLiteral("-screen 0 1280x800x24"), anchorProgram });
    QVERIFY(anchor.waitForStarted(15000));
    QVERIFY2(anchorLine(QStringLiteral("ready")), "the test X server did not come up");
    for (const QString &line : consumed.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("DISPLAY=")))
            display = line.mid(8);
        else if (line.startsWith(QLatin1String("XAUTHORITY=")))
            xauthority = line.mid(11);
    }
    QVERIFY2(!display.isEmpty(), qPrintable(consumed));
}

void TestPickerXvfb::cleanupTestCase()
{
    if (anchor.state() == QProcess::NotRunning)
        return;
    anchor.write("quit\n");
    anchor.closeWriteChannel();
    if (!anchor.waitForFinished(15000))
        anchor.kill();
}

void TestPickerXvfb::pickCopyAndKeepAfterExit()
{
    QVERIFY(tell(QStringLiteral("solid 0AABFF")));
    Picker picker;
    QVERIFY(startPicker(picker));

    clickAt(640, 400);
    QVERIFY(waitUntil([&] { return !visibleWindow(QStringLiteral("Form")).isEmpty() && grabberGone(); }));
    const QRect view = geometryOf(visibleWindow(QStringLiteral("Form")));
    QCOMPARE(view.size(), QSize(276, 230));

    clickAt(view.x() + 75, view.y() + 189); // copy
    QVERIFY2(waitUntil([&] { return clipboard() == QLatin1String("#0AABFF"); }), qPrintable(clipboard()));

    clickAt(view.x() + 255, view.y() + 20); // close
    QVERIFY(ended(picker));
    QCOMPARE(picker.exitCode(), 0);
    const QString log = QString::fromUtf8(picker.readAll());
    QVERIFY2(!log.contains(QLatin1String("clipboard manager")), qPrintable(log));
    // The clipboard manager took the colour over as the picker left.
    QCOMPARE(clipboard(), QStringLiteral("#0AABFF"));
}

void TestPickerXvfb::cancelEnds_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("escape") << true;
    QTest::newRow("right click") << false;
}

void TestPickerXvfb::cancelEnds()
{
    QFETCH(bool, escape);
    QVERIFY(tell(QStringLiteral("solid 202020")));
    // Another window holds the focus: Esc reaches the picker only through its grab.
    QVERIFY(tell(QStringLiteral("focus")));
    Picker picker;
    QVERIFY(startPicker(picker));
    moveTo(300, 300);
    if (escape)
        x(QStringLiteral("xdotool"), { QStringLiteral("key"), QStringLiteral("Escape") });
    else
        clickAt(300, 300, 3);
    QVERIFY(ended(picker));
    QCOMPARE(picker.exitCode(), 0);
    QVERIFY(visibleWindow(QStringLiteral("Form")).isEmpty());
}

void TestPickerXvfb::pickExactPixels_data()
{
    QTest::addColumn<QString>("scale");
    QTest::newRow("scale 1") << QString();
    QTest::newRow("scale 2") << QStringLiteral("2");
    QTest::newRow("scale 1.5") << QStringLiteral("1.5");
}

void TestPickerXvfb::pickExactPixels()
{
    QFETCH(QString, scale);
    const qreal f = scale.isEmpty() ? 1.0 : scale.toDouble();
    QVERIFY(tell(QStringLiteral("pattern")));
    Picker picker;
    QVERIFY(startPicker(picker, scale));

    // The first pick anywhere, the others clear of the colour view in the top
    // left corner, which the picture of a new pick holds. Odd pixels fall
    // between two device-independent units when the scale is not 1.
    const QList<QPoint> points { QPoint(3, 5), QPoint(1279, 799), QPoint(901, 601), QPoint(1001, 77), QPoint(700, 0) };
    QRect view;
    for (int i = 0; i < points.size(); ++i) {
        const QPoint p = points[i];
        if (i > 0) {
            clickAt(view.x() + qRound(75 * f), view.y() + qRound(154 * f)); // pick again
            QVERIFY(waitUntil([&] { return !grabberGone(); }));
        }
        moveTo(p.x() + 1, p.y());
        moveTo(p.x(), p.y());
        clickAt(p.x(), p.y());
        QVERIFY(waitUntil([&] { return grabberGone() && !visibleWindow(QStringLiteral("Form")).isEmpty(); }));
        view = geometryOf(visibleWindow(QStringLiteral("Form")));
        clickAt(view.x() + qRound(75 * f), view.y() + qRound(189 * f)); // copy
        const QString wanted = patternText(p.x(), p.y());
        QVERIFY2(waitUntil([&] { return clipboard() == wanted; }),
                 qPrintable(QStringLiteral("at %1,%2: %3 instead of %4, view %5,%6 %7x%8")
                                .arg(p.x()).arg(p.y()).arg(clipboard(), wanted)
                                .arg(view.x()).arg(view.y()).arg(view.width()).arg(view.height())));
    }

    clickAt(view.x() + qRound(255 * f), view.y() + qRound(20 * f)); // close
    QVERIFY(ended(picker));
    QCOMPARE(picker.exitCode(), 0);
}

ZV_TEST_MAIN(TestPickerXvfb)
#include "tst_picker_xvfb.moc"
