// On-demand benchmark of the launch pad (not a test), run on a real X
// display, best with a compositor:
//   DISPLAY=:N QT_QPA_PLATFORM=xcb build/tests/bench_launchpad [--icons N] [--idle SECONDS]
// It measures, for a pad of N icons (1000 by default) and for a bare
// full-screen window beside it: the time from show() to the end of the first
// paint, the frames of one page turn (paint times and the gaps between
// frames), and the CPU used while shown and idle.
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/launchpad/launchrows.h"
#include "dock/model/dockfile.h"
#include "fakedockservices.h"
#include "platform/paths.h"
#include "testenv.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFrame>
#include <QMap>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimer>
#include <QVector>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

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

// Times the frames of one window: each expose or update that paints, from
// its start to the end of its flush to the X server.
class PaintClock : public QObject
{
public:
    explicit PaintClock(QWidget *w) : m_w(w)
    {
        w->winId();
        m_win = w->windowHandle();
        w->installEventFilter(this);
        m_win->installEventFilter(this);
        clock.start();
    }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o == m_w && e->type() == QEvent::Paint) {
            painted = true;
            return false;
        }
        const bool frame = (o == m_w && e->type() == QEvent::UpdateRequest) || (o == m_win && e->type() == QEvent::Expose);
        if (!frame || inside)
            return false;
        painted = false;
        inside = true;
        const qint64 start = clock.nsecsElapsed();
        QCoreApplication::sendEvent(o, e);
        inside = false;
        if (painted) {
            starts << start;
            ends << clock.nsecsElapsed();
        }
        return true;
    }
    void reset()
    {
        starts.clear();
        ends.clear();
        clock.restart();
    }
    QWidget *m_w;
    QWindow *m_win;
    bool painted = false, inside = false;
    QElapsedTimer clock;
    QVector<qint64> starts, ends;
};

struct Figures
{
    double firstPaintMs = 0, frames = 0, worstPaintMs = 0, meanPaintMs = 0, worstGapMs = 0;
    int gapsOver20 = 0;
    double idleCpuPct = 0;
};

Figures measureTurn(PaintClock &pc, const std::function<void()> &turn)
{
    Figures f;
    pc.reset();
    turn();
    spin(450);
    double sum = 0;
    for (int i = 0; i < pc.starts.size(); ++i) {
        const double ms = (pc.ends[i] - pc.starts[i]) / 1e6;
        sum += ms;
        f.worstPaintMs = std::max(f.worstPaintMs, ms);
        if (i > 0) {
            const double gap = (pc.starts[i] - pc.starts[i - 1]) / 1e6;
            // Only the gaps while the slide runs (300 ms) count.
            if (pc.starts[i] / 1e6 < 320) {
                f.worstGapMs = std::max(f.worstGapMs, gap);
                f.gapsOver20 += gap > 20.0;
            }
        }
    }
    f.frames = pc.starts.size();
    f.meanPaintMs = pc.starts.isEmpty() ? 0 : sum / pc.starts.size();
    return f;
}

// Who wakes up while nothing happens.
class Wakeups : public QObject
{
public:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Timer || e->type() == QEvent::UpdateRequest || e->type() == QEvent::Paint)
            ++counts[QString::fromLatin1(o->metaObject()->className()) + QLatin1Char('/') + QString::number(e->type())];
        return false;
    }
    QMap<QString, int> counts;
};

double idleCpu(int seconds)
{
    Wakeups w;
    qApp->installEventFilter(&w);
    const double c0 = cpuSeconds();
    QElapsedTimer t;
    t.start();
    spin(seconds * 1000);
    const double pct = 100.0 * (cpuSeconds() - c0) / (t.nsecsElapsed() / 1e9);
    qApp->removeEventFilter(&w);
    for (auto it = w.counts.cbegin(); it != w.counts.cend(); ++it)
        std::printf("  idle wake-up: %s x%d\n", qPrintable(it.key()), it.value());
    return pct;
}

double showToFirstPaint(QWidget *w, PaintClock &pc, const std::function<void()> &show)
{
    pc.reset();
    show();
    QElapsedTimer limit;
    limit.start();
    while (pc.ends.isEmpty() && limit.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    // The frame reaches the X server when the paint's flush is done.
    QCoreApplication::processEvents();
    Q_UNUSED(w)
    return pc.ends.isEmpty() ? -1 : pc.ends.first() / 1e6;
}

// A bare full-screen window with a frame that slides like a page.
class Bare : public QWidget
{
public:
    Bare()
    {
        setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
        setAttribute(Qt::WA_TranslucentBackground);
        frame = new QFrame(this);
        frame->setStyleSheet(QStringLiteral("background-color: rgba(255,255,255,40);"));
    }
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(20, 30, 40));
    }
    QFrame *frame;
};

} // namespace

int main(int argc, char *argv[])
{
    static TestEnv env;
    QApplication app(argc, argv);
    int icons = 1000, idleSeconds = 10;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size() - 1; ++i) {
        if (args[i] == QLatin1String("--icons"))
            icons = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--idle"))
            idleSeconds = args[i + 1].toInt();
    }
    // For comparison: the caret of the search field without its blink.
    if (args.contains(QStringLiteral("--noblink")))
        QApplication::setCursorFlashTime(0);
    FakeOpener opener; // nothing is opened for real
    const QStringList pictures { ":/image/icon/Finder.png", ":/image/icon/Mail.png", ":/image/icon/Calculator.png",
                                 ":/image/icon/Weather.png", ":/image/icon/Folder.png", ":/image/icon/Cmd.png" };
    QList<DockIconRecord> rows;
    for (int i = 0; i < icons; ++i) {
        const QString pic = pictures[i % pictures.size()];
        rows.append({ QStringLiteral("ico%1").arg(i), pic, QStringLiteral("Program %1").arg(i), "ICON",
                      QStringLiteral("/usr/bin/p%1").arg(i), pic });
    }
    DockFile::write(LaunchRows::filePath(), rows);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    std::printf("screen %dx%d, platform %s, %d icons\n", screen.width(), screen.height(),
                qPrintable(QGuiApplication::platformName()), icons);

    auto median = [](QVector<double> v) {
        std::sort(v.begin(), v.end());
        return v.isEmpty() ? -1.0 : v[v.size() / 2];
    };
    constexpr int Opens = 5;

    // The bare window first: each opening is a map of a full-screen window.
    Figures bare;
    QVector<double> bareOpens;
    {
        Bare w;
        w.setGeometry(screen);
        w.frame->setGeometry(screen.width() / 10, screen.height() / 10, screen.width() * 8 / 10 * 3,
                             screen.height() * 8 / 10);
        PaintClock pc(&w);
        for (int i = 0; i < Opens; ++i) {
            bareOpens << showToFirstPaint(&w, pc, [&] { w.show(); });
            spin(300);
            if (i + 1 < Opens) {
                w.hide();
                spin(300);
            }
        }
        bare = measureTurn(pc, [&] {
            auto *a = new QPropertyAnimation(w.frame, "pos", &w);
            a->setDuration(300);
            a->setEasingCurve(QEasingCurve::OutCubic);
            a->setEndValue(QPoint(w.frame->x() - screen.width() * 9 / 10, w.frame->y()));
            a->start(QAbstractAnimation::DeleteWhenStopped);
        });
        bare.firstPaintMs = median(bareOpens);
        bare.idleCpuPct = idleCpu(idleSeconds);
    }

    Figures pad;
    QVector<double> padOpens;
    QElapsedTimer build;
    build.start();
    FormLaunchStarter lp;
    lp.placeOnScreen(screen.x(), screen.y(), screen.width(), screen.height());
    const double buildMs = build.nsecsElapsed() / 1e6;
    spin(500); // the wallpaper answer, if any
    {
        PaintClock pc(&lp);
        for (int i = 0; i < Opens; ++i) {
            QElapsedTimer call;
            padOpens << showToFirstPaint(&lp, pc, [&] {
                call.start();
                lp.StartShow();
                std::printf("  StartShow itself %.1f ms\n", call.nsecsElapsed() / 1e6);
            });
            spin(500);
            if (i + 1 < Opens) {
                lp.CloseShow();
                spin(400);
            }
        }
        pad = measureTurn(pc, [&] { lp.turnPage(1); });
        pad.firstPaintMs = median(padOpens);
        // The caret of the search field stops blinking after ten seconds.
        spin(10500);
        pad.idleCpuPct = idleCpu(idleSeconds);
    }
    std::printf("pad: built with %d icons in %.1f ms (at the dock's start-up)\n", icons, buildMs);
    std::printf("opens, show to first paint (ms):\n  bare");
    for (double v : bareOpens)
        std::printf(" %.1f", v);
    std::printf("\n  pad ");
    for (double v : padOpens)
        std::printf(" %.1f", v);
    std::printf("\n");
    auto print = [](const char *what, const Figures &f) {
        std::printf("%-6s show->first paint (median) %7.1f ms | turn: %3.0f frames, paint mean %5.2f ms worst %5.2f ms, "
                    "worst gap %5.1f ms, gaps>20ms %d | idle CPU %.2f %%\n",
                    what, f.firstPaintMs, f.frames, f.meanPaintMs, f.worstPaintMs, f.worstGapMs, f.gapsOver20,
                    f.idleCpuPct);
    };
    print("bare", bare);
    print("pad", pad);
    return 0;
}
