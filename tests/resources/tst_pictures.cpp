// Every picture the dock names must be in its compiled resources and load; the
// movie writer of the picture tool must give GIFs that Qt reads back unchanged.
//
// With ZV_CONTACT_SHEET=<folder> set, the test also draws all listed pictures
// onto contact sheets (sheet-1.png, ...) in that folder, for a look by eye.
#include "gifwriter.h"
#include "testenv.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QMovie>
#include <QPainter>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

namespace {

struct Listed {
    QString path;
    QSize size; // invalid when the list gives none
    int line;
};

QVector<Listed> readList(QString *error)
{
    QVector<Listed> out;
    QFile f(QStringLiteral(ZV_PICTURES_LIST));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot read ") + f.fileName();
        return out;
    }
    const QRegularExpression sizeRe(QStringLiteral("^(\\d+)x(\\d+)$"));
    int n = 0;
    while (!f.atEnd()) {
        ++n;
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (!line.startsWith(QLatin1String(":/")))
            continue; // headings, notes and blank lines
        const QStringList parts = line.split(QRegularExpression(QStringLiteral("\\s+")));
        Listed l{parts.value(0), QSize(), n};
        const auto m = sizeRe.match(parts.value(1));
        if (m.hasMatch())
            l.size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
        out.append(l);
    }
    return out;
}

bool isMovie(const QString &path) { return path.endsWith(QLatin1String(".gif")); }

QImage firstImage(const QString &path)
{
    if (isMovie(path)) {
        QMovie m(path);
        if (!m.isValid() || !m.jumpToFrame(0))
            return QImage();
        return m.currentImage();
    }
    return QPixmap(path).toImage();
}

QVector<QImage> decodeAll(const QByteArray &gif, int *loops = nullptr, int *delay = nullptr)
{
    QBuffer buf;
    buf.setData(gif);
    buf.open(QIODevice::ReadOnly);
    QImageReader r(&buf, "gif");
    QVector<QImage> frames;
    if (loops)
        *loops = r.loopCount();
    for (;;) {
        const QImage img = r.read();
        if (img.isNull())
            break;
        if (delay && frames.isEmpty())
            *delay = r.nextImageDelay();
        frames.append(img.convertToFormat(QImage::Format_ARGB32));
    }
    return frames;
}

// Draws the pictures onto sheets of 10 x 6 cells on a grey checker, so light
// and dark glyphs both show.
void drawContactSheets(const QVector<Listed> &list, const QString &folder)
{
    QDir().mkpath(folder);
    const int cols = 10, rows = 6, cw = 150, ch = 168;
    for (int start = 0, sheet = 1; start < list.size(); start += cols * rows, ++sheet) {
        QImage img(cols * cw, rows * ch, QImage::Format_ARGB32);
        img.fill(QColor(60, 60, 60));
        QPainter p(&img);
        QFont font = p.font();
        font.setPixelSize(10);
        p.setFont(font);
        for (int i = 0; i < cols * rows && start + i < list.size(); ++i) {
            const Listed &l = list[start + i];
            const QRect cell((i % cols) * cw, (i / cols) * ch, cw, ch);
            const QRect box(cell.x() + 5, cell.y() + 5, 140, 140);
            for (int y = 0; y < box.height(); y += 10)
                for (int x = 0; x < box.width(); x += 10)
                    p.fillRect(box.x() + x, box.y() + y, 10, 10,
                               ((x + y) / 10) % 2 ? QColor(150, 150, 150) : QColor(115, 115, 115));
            QImage pic = firstImage(l.path);
            if (!pic.isNull()) {
                if (pic.width() > box.width() || pic.height() > box.height())
                    pic = pic.scaled(box.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
                else if (pic.width() <= 34 && pic.height() <= 34)
                    pic = pic.scaled(pic.size() * 3, Qt::KeepAspectRatio, Qt::SmoothTransformation);
                p.drawImage(box.x() + (box.width() - pic.width()) / 2,
                            box.y() + (box.height() - pic.height()) / 2, pic);
            }
            p.setPen(Qt::white);
            p.drawText(QRect(cell.x(), cell.y() + 146, cw, 20), Qt::AlignCenter,
                       QString(l.path).remove(QStringLiteral(":/image/")));
        }
        p.end();
        img.save(folder + QStringLiteral("/sheet-%1.png").arg(sheet));
    }
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT
private slots:
    void everyListedPictureLoads()
    {
        QString error;
        const QVector<Listed> list = readList(&error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(list.size() > 100);
        QStringList faults;
        QSet<QString> seen;
        for (const Listed &l : list) {
            if (seen.contains(l.path))
                faults << QStringLiteral("line %1: %2 listed twice").arg(l.line).arg(l.path);
            seen.insert(l.path);
            QSize got;
            if (isMovie(l.path)) {
                QMovie m(l.path);
                if (!m.isValid() || m.frameCount() < 2) {
                    faults << QStringLiteral("%1: not a movie of several frames").arg(l.path);
                    continue;
                }
                m.jumpToFrame(0);
                got = m.currentImage().size();
            } else {
                const QPixmap pm(l.path);
                if (pm.isNull()) {
                    faults << QStringLiteral("%1: missing or unreadable").arg(l.path);
                    continue;
                }
                got = pm.size();
            }
            if (l.size.isValid() && got != l.size)
                faults << QStringLiteral("%1: %2x%3, listed as %4x%5")
                              .arg(l.path)
                              .arg(got.width())
                              .arg(got.height())
                              .arg(l.size.width())
                              .arg(l.size.height());
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));

        const QString sheets = qEnvironmentVariable("ZV_CONTACT_SHEET");
        if (!sheets.isEmpty())
            drawContactSheets(list, sheets);
    }

    // A picture in the resources that the list does not name is either a
    // forgotten checklist entry or a stray file.
    void everyResourcePictureIsListed()
    {
        QString error;
        const QVector<Listed> list = readList(&error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QSet<QString> listed;
        for (const Listed &l : list)
            listed.insert(l.path);
        QStringList stray;
        QDirIterator it(QStringLiteral(":/image"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            if (!listed.contains(p))
                stray << p;
        }
        QVERIFY2(stray.isEmpty(), qPrintable(stray.join(QLatin1Char('\n'))));
    }

    void gifKeepsColoursTransparencyTimingAndLoop()
    {
        QVector<QImage> frames;
        const QColor colours[] = {Qt::red, QColor(10, 200, 30), QColor(40, 60, 220)};
        for (int i = 0; i < 3; ++i) {
            QImage img(40, 30, QImage::Format_ARGB32);
            img.fill(Qt::transparent);
            QPainter p(&img);
            p.fillRect(5 + i * 5, 5, 20, 20, colours[i]);
            p.fillRect(0, 28, 40, 2, Qt::white);
            p.end();
            frames.append(img);
        }
        const QByteArray gif = gifwriter::encode(frames, 120);
        QVERIFY(gif.startsWith("GIF89a"));
        int loops = 0, delay = 0;
        const QVector<QImage> back = decodeAll(gif, &loops, &delay);
        QCOMPARE(back.size(), 3);
        QCOMPARE(delay, 120);
        QCOMPARE(loops, -1); // for ever
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(back[i].size(), QSize(40, 30));
            QCOMPARE(back[i].pixel(10 + i * 5, 10), colours[i].rgba());
            QCOMPARE(qAlpha(back[i].pixel(1, 1)), 0);
            QCOMPARE(back[i].pixel(39, 29), QColor(Qt::white).rgba());
            // Nothing of the earlier frame is left behind.
            if (i > 0)
                QCOMPARE(qAlpha(back[i].pixel(5, 10)), 0);
        }

        QBuffer buf;
        buf.setData(gif);
        buf.open(QIODevice::ReadOnly);
        QMovie movie(&buf, "gif");
        QVERIFY(movie.isValid());
        QCOMPARE(movie.frameCount(), 3);
    }

    // A noisy picture fills the code table many times over, so the code widths
    // and the table restarts are all exercised; the palette holds all 200
    // colours, so the picture must come back exactly.
    void gifRoundTripOfManyColoursIsExact()
    {
        QVector<QRgb> colours;
        for (int i = 0; i < 200; ++i)
            colours.append(qRgb((i * 37) % 256 & 0xF8, (i * 91) % 256 & 0xF8, (i * 13) % 256 & 0xF8));
        QRandomGenerator rng(7);
        QImage img(256, 256, QImage::Format_ARGB32);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                img.setPixel(x, y, (x / 64 + y / 64) % 3 == 0 ? colours[(x + y) % 7] : colours[rng.bounded(200)]);
        QImage second = img.mirrored(true, false);
        const QVector<QImage> back = decodeAll(gifwriter::encode({img, second}, 50));
        QCOMPARE(back.size(), 2);
        QVERIFY(back[0] == img);
        QVERIFY(back[1] == second);
    }

    void lzwOfEmptyAndSingleIndex()
    {
        // Clear and end codes only: 9 bits each, 18 bits in 3 bytes.
        QCOMPARE(gifwriter::lzwCompress(QByteArray(), 8).size(), 3);
        QCOMPARE(gifwriter::lzwCompress(QByteArray(1, char(5)), 8).size(), 4);
    }

    void noFrameGivesNothing()
    {
        QVERIFY(gifwriter::encode({}, 100).isEmpty());
        QVERIFY(gifwriter::encode({QImage()}, 100).isEmpty());
    }
};

ZV_TEST_MAIN(TestPictures)
#include "tst_pictures.moc"
