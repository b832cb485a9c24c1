#include "wallpaper.h"
#include "regularfile.h"
#include "platform/logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace platform {

namespace {

// A desktop setting tool that does not answer within this time is left.
constexpr int TimeoutMs = 3000;

// Runs one program and hands its output on; the process never outlives the
// wait, and a missing program answers at once with nothing.
void run(QObject *context, const QString &program, const QStringList &args,
         std::function<void(const QString &)> then)
{
    const QString exe = QStandardPaths::findExecutable(program);
    if (exe.isEmpty()) {
        QTimer::singleShot(0, context, [then] { then(QString()); });
        return;
    }
    auto *p = new QProcess(context);
    auto *timer = new QTimer(p);
    timer->setSingleShot(true);
    auto finish = [p, timer, then](bool ok) {
        const QString out = ok ? QString::fromUtf8(p->readAllStandardOutput()) : QString();
        timer->stop();
        p->disconnect();
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished(200);
        }
        p->deleteLater();
        then(out);
    };
    QObject::connect(timer, &QTimer::timeout, p, [finish] { finish(false); });
    QObject::connect(p, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), p,
                     [finish](int code, QProcess::ExitStatus st) { finish(code == 0 && st == QProcess::NormalExit); });
    QObject::connect(p, &QProcess::errorOccurred, p, [finish](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            finish(false);
    });
    p->setProgram(exe);
    p->setArguments(args);
    p->setProcessChannelMode(QProcess::SeparateChannels);
    p->setStandardInputFile(QProcess::nullDevice());
    timer->start(TimeoutMs);
    p->start();
}

QString existing(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

using Step = std::function<void(QObject *, std::function<void(const QString &)>)>;

Step gsettings(const char *schema)
{
    const QString s = QLatin1String(schema);
    return [s](QObject *ctx, std::function<void(const QString &)> done) {
        run(ctx, QStringLiteral("gsettings"), { QStringLiteral("get"), s, QStringLiteral("picture-uri") },
            [done](const QString &out) { done(DesktopWallpaper::fromGSettings(out)); });
    };
}

Step xfconf()
{
    return [](QObject *ctx, std::function<void(const QString &)> done) {
        const QPointer<QObject> guard(ctx);
        run(ctx, QStringLiteral("xfconf-query"), { QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-l") },
            [guard, done](const QString &listing) {
                const QString prop = DesktopWallpaper::xfconfProperty(listing);
                if (prop.isEmpty() || !guard) {
                    done(QString());
                    return;
                }
                run(guard, QStringLiteral("xfconf-query"),
                    { QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-p"), prop },
                    [done](const QString &out) { done(out.trimmed()); });
            });
    };
}

Step kde()
{
    return [](QObject *ctx, std::function<void(const QString &)> done) {
        const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/plasma-org.kde.plasma.desktop-appletsrc");
        QString found;
        QByteArray text;
        // A small local file: read at once, but still answered later like the others.
        if (RegularFile::read(file, RegularFile::ListCap, &text) == RegularFile::Status::Ok)
            found = DesktopWallpaper::fromKdeConfig(QString::fromUtf8(text));
        QTimer::singleShot(0, ctx, [done, found] { done(found); });
    };
}

void tryNext(QObject *ctx, QList<Step> steps, std::function<void(const QString &)> done)
{
    if (steps.isEmpty()) {
        done(QString());
        return;
    }
    const Step step = steps.takeFirst();
    const QPointer<QObject> guard(ctx);
    step(ctx, [guard, steps, done](const QString &path) {
        if (!guard)
            return;
        const QString file = existing(path);
        if (!file.isEmpty()) {
            qCDebug(lcDesktop) << "桌面背景路径：" << file;
            done(file);
        } else {
            tryNext(guard, steps, done);
        }
    });
}

} // namespace

QString DesktopWallpaper::fromGSettings(const QString &answer)
{
    QString s = answer.trimmed();
    if (s.size() >= 2 && (s.startsWith(QLatin1Char('\'')) || s.startsWith(QLatin1Char('"'))) && s.endsWith(s.at(0)))
        s = s.mid(1, s.size() - 2);
    if (s.isEmpty())
        return QString();
    const QUrl url(s);
    if (url.isLocalFile())
        return url.toLocalFile();
    return url.scheme().isEmpty() && s.startsWith(QLatin1Char('/')) ? s : QString();
}

QString DesktopWallpaper::fromKdeConfig(const QString &text)
{
    bool inWallpaper = false;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inWallpaper = line.contains(QLatin1String("[Wallpaper]")) && line.endsWith(QLatin1String("[General]"));
            continue;
        }
        if (inWallpaper && line.startsWith(QLatin1String("Image="))) {
            const QString value = line.mid(6).trimmed();
            const QUrl url(value);
            return url.isLocalFile() ? url.toLocalFile() : value;
        }
    }
    return QString();
}

QString DesktopWallpaper::xfconfProperty(const QString &listing)
{
    QStringList found;
    for (const QString &raw : listing.split(QLatin1Char('\n'))) {
        const QString p = raw.trimmed();
        if (p.startsWith(QLatin1String("/backdrop/")) && p.endsWith(QLatin1String("/last-image")))
            found << p;
    }
    if (found.isEmpty())
        return QString();
    // The first monitor's first workspace comes first in name order.
    std::sort(found.begin(), found.end());
    for (const QString &p : found) {
        if (p.endsWith(QLatin1String("workspace0/last-image")))
            return p;
    }
    return found.first();
}

QStringList DesktopWallpaper::order(const QString &currentDesktop)
{
    const QString d = currentDesktop.toLower();
    QStringList all { QStringLiteral("gnome"), QStringLiteral("cinnamon"), QStringLiteral("xfce"), QStringLiteral("kde") };
    for (const QString &name : QStringList(all)) {
        if (d.contains(name) || (name == QLatin1String("gnome") && (d.contains(QLatin1String("unity")) || d.contains(QLatin1String("budgie"))))) {
            all.removeOne(name);
            all.prepend(name);
            break;
        }
    }
    return all;
}

void DesktopWallpaper::find(QObject *context, std::function<void(const QString &)> done)
{
    QList<Step> steps;
    // Without a screen of a desktop (tests run offscreen) there is nothing to ask.
    const QString platformName = QGuiApplication::platformName();
    if (platformName == QLatin1String("offscreen") || platformName == QLatin1String("minimal")) {
        QTimer::singleShot(0, context, [done] { done(QString()); });
        return;
    }
    for (const QString &d : order(QString::fromLocal8Bit(qgetenv("XDG_CURRENT_DESKTOP")))) {
        if (d == QLatin1String("gnome"))
            steps << gsettings("org.gnome.desktop.background");
        else if (d == QLatin1String("cinnamon"))
            steps << gsettings("org.cinnamon.desktop.background");
        else if (d == QLatin1String("xfce"))
            steps << xfconf();
        else
            steps << kde();
    }
    tryNext(context, steps, std::move(done));
}

template <>
Wallpaper &Service<Wallpaper>::real()
{
    static DesktopWallpaper w;
    return w;
}

} // namespace platform
