// On demand: a still of the dock icons for looking at them as a user would.
//   xvfb-run -a -s "-screen 0 1280x800x24" build/tests/preview_icons 4000 &
//   import -window root shot.png
// It draws stand-in pictures of its own under ":/image/..." (the product's
// pictures are not needed), lays out a bar of icons with one magnified, its
// name bubble, the long-press ring, the delete badge and the drive chooser.
#include "dock/icons/formcommonicon.h"
#include "dock/icons/formdelete.h"
#include "dock/icons/formname.h"
#include "dock/icons/formselectdisk.h"
#include "dock/icons/formtimingflash.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QResource>
#include <QTemporaryDir>
#include <QTimer>

namespace {
QStringList g_files;
QString g_root;

void save(const QString &rel, const QImage &img)
{
    const QString path = g_root + "/" + rel;
    QDir().mkpath(QFileInfo(path).path());
    img.save(path);
    g_files << rel;
}

QImage tile(int w, int h, const QColor &c, const QString &text = QString(), const QColor &ink = Qt::white)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(c);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 2, w - 4, h - 4), w / 6.0, h / 6.0);
    if (!text.isEmpty()) {
        QFont f;
        f.setPixelSize(h / 2);
        f.setBold(true);
        p.setFont(f);
        p.setPen(ink);
        p.drawText(img.rect(), Qt::AlignCenter, text);
    }
    return img;
}

QImage glyph(const QString &text, const QColor &ink)
{
    QImage img(56, 90, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    QFont f;
    f.setPixelSize(80);
    f.setBold(true);
    p.setFont(f);
    p.setPen(ink);
    p.drawText(img.rect(), Qt::AlignCenter, text);
    return img;
}

QImage triangle(bool up)
{
    QImage img(18, 8, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(255, 255, 255, 230));
    p.setPen(Qt::NoPen);
    QPolygonF t;
    if (up)
        t << QPointF(0, 8) << QPointF(9, 0) << QPointF(18, 8);
    else
        t << QPointF(0, 0) << QPointF(9, 8) << QPointF(18, 0);
    p.drawPolygon(t);
    return img;
}

bool makeResources(const QString &rccTool)
{
    save("image/icon/Clock1.png", tile(512, 512, QColor(250, 250, 250)));
    save("image/icon/Clock2.png", tile(256, 256, QColor(40, 44, 52)));
    save("image/icon/Recycle.png", tile(128, 128, QColor(120, 130, 140), "空"));
    save("image/icon/Recycle1.png", tile(128, 128, QColor(200, 90, 60), "满"));
    save("image/icon/Disk.png", tile(128, 128, QColor(60, 110, 200)));
    save("image/icon/White.png", tile(128, 128, QColor(90, 160, 230)));
    save("image/icon/url.png", tile(128, 128, QColor(40, 170, 110)));
    save("image/icon/Blank0.png", tile(12, 128, QColor(255, 255, 255, 150)));
    save("image/icon/Blank1.png", tile(128, 12, QColor(255, 255, 255, 150)));
    for (int d = 0; d <= 9; ++d) {
        save(QString("image/TNumber/%1.png").arg(d), glyph(QString::number(d), QColor(30, 30, 30)));
        save(QString("image/LCDNumber/%1.png").arg(d), glyph(QString::number(d), QColor(80, 255, 120)));
    }
    save("image/TNumber/00.png", glyph(":", QColor(30, 30, 30)));
    save("image/LCDNumber/00.png", glyph(":", QColor(80, 255, 120)));
    for (int n : { 0, 1, 2, 32 })
        save(QString("image/weather/icon/%1.png").arg(n), tile(64, 64, QColor(255, 200, 40), n == 0 ? "☀" : "☁", Qt::white));
    save("image/menu/UpArrow.png", triangle(true));
    save("image/menu/DownArrow.png", triangle(false));
    save("image/menu/delete.png", tile(128, 140, QColor(90, 90, 90), "✕"));
    save("image/menu/delete1.png", tile(128, 140, QColor(220, 60, 60), "✕"));
    save("image/menu/c0.png", tile(20, 20, QColor(120, 120, 120), "×"));
    save("image/menu/c1.png", tile(20, 20, QColor(220, 60, 60), "×"));
    save("image/menu/arrow-drop.png", triangle(false));
    QString qrc = "<RCC><qresource prefix=\"/\">";
    for (const QString &f : g_files)
        qrc += "<file>" + f + "</file>";
    qrc += "</qresource></RCC>";
    QFile q(g_root + "/preview.qrc");
    q.open(QIODevice::WriteOnly);
    q.write(qrc.toUtf8());
    q.close();
    QProcess rcc;
    rcc.setWorkingDirectory(g_root);
    rcc.start(rccTool, { "-binary", "preview.qrc", "-o", "preview.rcc" });
    if (!rcc.waitForFinished(30000) || rcc.exitCode() != 0)
        return false;
    return QResource::registerResource(g_root + "/preview.rcc");
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_root = dir.path();
    if (!makeResources(QStringLiteral(ZV_RCC)))
        qWarning("stand-in pictures could not be made");
    save("apps/A.png", tile(256, 256, QColor(230, 120, 40), "A"));
    save("apps/B.png", tile(256, 256, QColor(140, 80, 200), "B"));

    QWidget bar;
    bar.setWindowFlags(Qt::FramelessWindowHint);
    bar.setStyleSheet("background-color: rgb(30, 34, 40);");
    bar.setGeometry(130, 600, 1020, 190);

    const int N = 64, M = 128;
    struct Row
    {
        const char *id, *cl, *name;
        QString picture;
    };
    const QList<Row> rows {
        { "a", "EXE", "文本编辑器", g_root + "/apps/A.png" },
        { "b", "EXE", "图片查看", g_root + "/apps/B.png" },
        { "s", "BLANK", "", "" },
        { "r", "RECYCLE", "回收站", "" },
        { "d", "DISK", "系统盘符", "" },
        { "w", "WEATHER", "天气", ":/image/icon/Weather.png" },
        { "t1", "TIME1", "时钟", "" },
        { "t2", "TIME2", "时钟", "" },
        { "u", "URL", "Zorvane", ":/image/icon/url.png" },
        { "m", "MENU", "扩展菜单", g_root + "/apps/B.png" },
    };
    QList<FormCommonIcon *> icons;
    for (const Row &r : rows) {
        auto *icon = new FormCommonIcon(&bar);
        icon->setIcon(r.id, M, N, 256, 256, 2, r.name, r.picture, r.cl);
        icons << icon;
    }
    icons[4]->setDiskInfo("d", "/media/anna/STICK8GB");
    icons[5]->setWeather("北京", "晴", "23", "0");
    // The pointer over the clock: it is magnified, its neighbours less.
    icons[6]->setSize(M);
    icons[5]->setSize(96);
    icons[7]->setSize(88);
    int x = 10;
    for (FormCommonIcon *icon : icons) {
        icon->move(x, bar.height() - icon->height() - 6);
        x += icon->width();
    }

    FormName bubble(&bar);
    bubble.setFontSize(15);
    bubble.setName(2, "时钟 2025/03/01");
    bubble.move(icons[6]->x() + M / 2 - bubble.width() / 2, icons[6]->y() - bubble.height() - 2);

    FormSelectDisk chooser;
    chooser.setIconData("d", "0");
    chooser.move(160, 150);
    FormDelete badge;
    badge.move(560, 200);
    badge.setHighlighted();
    FormTimingFlash ring;
    ring.setRange(0, 500);
    ring.setValue(350);
    ring.move(900, 300);

    bar.show();
    chooser.show();
    badge.show();
    ring.show();
    if (argc > 2)
        QTimer::singleShot(500, &app, [&] { bar.grab().save(argv[2]); });
    QTimer::singleShot(argc > 1 ? QString(argv[1]).toInt() : 3000, &app, &QApplication::quit);
    return app.exec();
}
