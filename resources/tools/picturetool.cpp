// Renders the pictures of the resource tree from their SVG sources at build time.
//   picturetool svg <in.svg> <out.png>
// The PNG takes the SVG's own size (its width and height attributes).
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

static int renderSvg(const QString &in, const QString &out)
{
    QSvgRenderer r(in);
    if (!r.isValid()) {
        std::fprintf(stderr, "picturetool: cannot read %s\n", qPrintable(in));
        return 1;
    }
    QImage img(r.defaultSize(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    r.render(&p);
    p.end();
    if (!img.save(out, "PNG")) {
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
        return renderSvg(a[2], a[3]);
    std::fprintf(stderr, "usage: picturetool svg <in.svg> <out.png>\n");
    return 2;
}
