// On-demand benchmark of the dock bar (not a test): the cost of one pointer
// move over a bar of 30 icons, and the CPU the dock uses while it waits with
// auto-hide on. Run: QT_QPA_PLATFORM=offscreen build/tests/bench_dock
//   [--icons N] [--moves N] [--idle SECONDS]
#include "dock/icons/formcommonicon.h"
#include "dock/model/dockfile.h"
#include "dock/window/widget.h"
#include "fakedesktop.h"
#include "fakeplatform.h"
#include "platform/paths.h"
#include "testenv.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMap>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {

class CountingWindowSystem : public FakeWindowSystem
{
public:
    void setInputRegion(QWidget *w, const QRegion &r) override
    {
        ++shapes;
        FakeWindowSystem::setInputRegion(w, r);
    }
    int shapes = 0;
};

// Counts what the event loop does to the icons and who wakes up.
class Counter : public QObject
{
public:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        resizes += e->type() == QEvent::Resize && qobject_cast<FormCommonIcon *>(o);
        paints += e->type() == QEvent::Paint;
        if (e->type() == QEvent::Timer)
            ++timers[QString::fromLatin1(o->metaObject()->className())];
        return false;
    }
    long resizes = 0, paints = 0;
    QMap<QString, long> timers;
};

double cpuSeconds()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int argument(const QStringList &args, const QString &name, int fallback)
{
    const int i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1).toInt() : fallback;
}

} // namespace

int main(int argc, char *argv[])
{
    static TestEnv env;
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int iconCount = argument(args, "--icons", 30);
    const int moves = argument(args, "--moves", 3000);
    const int idleSeconds = argument(args, "--idle", 60);

    FakeProcesses procs;
    CountingWindowSystem wins;
    FakeScreens screens({ { QRect(0, 0, 2560, 1440), QRect(0, 0, 2560, 1440) } });
    FakeWorkArea work;
    FakeDesktopIcons desk;

    QDir().mkpath(platform::appConfigFolder());
    QList<DockIconRecord> rows;
    for (int i = 0; i < iconCount; ++i)
        rows.append({ QString("ico%1").arg(i), ":/image/200.png", QString("icon %1").arg(i),
                      i % 10 == 9 ? "BLANK" : "ICON", "/bin/true", "" });
    DockFile::write(platform::configPath("Zorvane.xml"), rows);

    Widget w;
    w.show();
    spin(500); // the start slide
    const float M = w.settings().icoMagnified;

    // ---- pointer moves: a sweep to and fro across the whole bar
    Counter counter;
    app.installEventFilter(&counter);
    const int shapesBefore = wins.shapes;
    QElapsedTimer t;
    double hover = 0, relayout = 0, events = 0;
    for (int i = 0; i < moves; ++i) {
        const int step = i % (2 * iconCount * 8);
        const int pos = step < iconCount * 8 ? step : 2 * iconCount * 8 - 1 - step;
        const QString id = QString("ico%1").arg(pos / 8);
        const QPoint p(int(float(pos % 8) * M / 8), 10);
        t.start();
        w.IconMouseMove(id, p);
        hover += double(t.nsecsElapsed());
        t.start();
        w.IconSorting(); // what the relayout timer runs once per pass of the event loop
        relayout += double(t.nsecsElapsed());
        t.start();
        QCoreApplication::sendPostedEvents(); // layout requests and repaints
        QCoreApplication::processEvents();
        events += double(t.nsecsElapsed());
    }
    app.removeEventFilter(&counter);
    std::printf("pointer moves over %d icons: %d moves\n", iconCount, moves);
    std::printf("  per move: %.1f us in total (hover %.1f us, relayout %.1f us, events and painting %.1f us)\n",
                (hover + relayout + events) / moves / 1000, hover / moves / 1000, relayout / moves / 1000,
                events / moves / 1000);
    std::printf("  per move: %.2f icon resizes, %.2f paint events, %.2f input-shape updates\n",
                double(counter.resizes) / moves, double(counter.paints) / moves,
                double(wins.shapes - shapesBefore) / moves);

    // ---- idle with auto-hide on: the bar slides out, then nothing but the tick
    w.setHide(true);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&w, &leave);
    spin(1000);
    Counter idle;
    app.installEventFilter(&idle);
    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    spin(idleSeconds * 1000);
    const double cpu = cpuSeconds() - cpu0;
    app.removeEventFilter(&idle);
    std::printf("idle with auto-hide on for %.1f s: %.1f ms of CPU (%.4f %% of one core)\n",
                double(wall.elapsed()) / 1000, cpu * 1000, cpu * 100000 / double(wall.elapsed()));
    for (auto it = idle.timers.cbegin(); it != idle.timers.cend(); ++it)
        std::printf("  timer events for %s: %ld\n", qPrintable(it.key()), it.value());
    std::printf("  paint events: %ld\n", idle.paints);
    return 0;
}
