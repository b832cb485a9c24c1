// Renders the pictures of the resource tree from their SVG sources at build time.
//   picturetool svg <in.svg> <out.png> [<size>]
//   picturetool gif <out.gif> <delay-ms> <frame1.svg> <frame2.svg> ...
// A picture takes the SVG's own size (its width and height attributes), or a
// square of <size> pixels; the frames of a movie are all drawn at the size of
// the first one.
#include "gifwriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <cstdio>

// In a build with the address sanitizer this tool is built and run with it.
// What the libraries under Qt keep until the exit of a tool that runs for a
// moment is no fault to stop the build for.
extern "C" const char *__lsan_default_options()
{
    return "detect_leaks=0";
}

static QImage renderSvg(const QString &in, QSize size = QSize())
{
    QSvgRenderer r(in);
    if (!r.isValid()) {
        std::fprintf(stderr, "picturetool: cannot read %s\n", qPrintable(in));
        return QImage();
    }
    if (!size.isValid())
        size = r.defaultSize();
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    r.render(&p);
    p.end();
    return img;
}

static int writePng(const QString &in, const QString &out, QSize size = QSize())
{
    const QImage img = renderSvg(in, size);
    if (img.isNull())
        return 1;
    if (!img.save(out, "PNG")) {
        std::fprintf(stderr, "picturetool: cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}

static int writeGif(const QString &out, const QString &delayText, const QStringList &frameFiles)
{
    bool ok = false;
    const int delay = delayText.toInt(&ok);
    if (!ok || delay <= 0) {
        std::fprintf(stderr, "picturetool: bad delay %s\n", qPrintable(delayText));
        return 2;
    }
    QVector<QImage> frames;
    for (const QString &f : frameFiles) {
        const QImage img = renderSvg(f, frames.isEmpty() ? QSize() : frames.first().size());
        if (img.isNull())
            return 1;
        frames.append(img);
    }
    const QByteArray gif = gifwriter::encode(frames, delay);
    QSaveFile file(out);
    if (gif.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(gif) != gif.size()
        || !file.commit()) {
        std::fprintf(stderr, "picturetool: cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() == 4 && a[1] == QLatin1String("svg"))
        return writePng(a[2], a[3]);
    if (a.size() == 5 && a[1] == QLatin1String("svg") && a[4].toInt() > 0)
        return writePng(a[2], a[3], QSize(a[4].toInt(), a[4].toInt()));
    if (a.size() >= 6 && a[1] == QLatin1String("gif"))
        return writeGif(a[2], a[3], a.mid(4));
    std::fprintf(stderr, "usage: picturetool svg <in.svg> <out.png> [<size>]\n"
                         "       picturetool gif <out.gif> <delay-ms> <frame1.svg> <frame2.svg> ...\n");
    return 2;
}
