// Cutting a translucent window's picture to what the X server can show
// without a compositing manager: the outline, the colours of its half-clear
// pixels, and the rows it had to change.
#include "platform/seethrough.h"

#include <QPainter>
#include <QPainterPath>
#include <QtTest>

#include <random>

namespace {

QImage clearImage(const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The outline as the pixels it holds, one bit each.
QVector<bool> pixelsOf(const QRegion &r, const QSize &size)
{
    QVector<bool> in(size.width() * size.height(), false);
    for (const QRect &q : r)
        for (int y = q.top(); y <= q.bottom(); ++y)
            for (int x = q.left(); x <= q.right(); ++x)
                in[y * size.width() + x] = true;
    return in;
}

} // namespace

class TestSeeThrough : public QObject
{
    Q_OBJECT
private slots:
    // Clear stays out, opaque stays in at its colour, and a pixel half
    // opaque over nothing shows at its own colour, not darkened.
    void theOutlineIsWhatIsMostlyDrawn()
    {
        QImage image = clearImage(QSize(40, 30));
        image.setPixel(5, 5, qRgba(200, 100, 50, 255));
        image.setPixel(6, 5, qPremultiply(qRgba(200, 100, 50, 160)));
        image.setPixel(7, 5, qPremultiply(qRgba(200, 100, 50, 100)));
        QRegion touched;
        const QRegion outline = platform::SeeThrough::cut(image, image.rect(), QRegion(), &touched);
        QCOMPARE(outline, QRegion(5, 5, 2, 1));
        QCOMPARE(image.pixel(5, 5), qRgba(200, 100, 50, 255));
        const QRgb half = image.pixel(6, 5);
        QCOMPARE(qAlpha(half), 255);
        QVERIFY(qAbs(qRed(half) - 200) <= 2 && qAbs(qGreen(half) - 100) <= 2 && qAbs(qBlue(half) - 50) <= 2);
        // The faint one is left as it was: it lies outside.
        QCOMPARE(qAlpha(image.pixel(7, 5)), 100);
        QCOMPARE(touched, QRegion(0, 5, 40, 1));
    }

    // Over a picture of what lies beneath, even a faint pixel shows,
    // blended with it; a nearly clear one does not.
    void drawnOverWhatLiesBeneath()
    {
        QImage image = clearImage(QSize(10, 4));
        image.setPixel(1, 1, qPremultiply(qRgba(0, 0, 0, 100)));
        image.setPixel(2, 1, qPremultiply(qRgba(0, 0, 0, 10)));
        QImage beneath(10, 4, QImage::Format_RGB32);
        beneath.fill(qRgb(200, 200, 200));
        const QRegion outline = platform::SeeThrough::cut(image, image.rect(), QRegion(), nullptr, beneath);
        QCOMPARE(outline, QRegion(1, 1, 1, 1));
        const QRgb seen = image.pixel(1, 1);
        QCOMPARE(qAlpha(seen), 255);
        // 200 * (1 - 100/255) = 121.6
        QVERIFY2(qAbs(qRed(seen) - 122) <= 1, qPrintable(QString::number(qRed(seen))));
        // Beneath covers only part of a wider picture: past it, the rule
        // over nothing holds.
        QImage wide = clearImage(QSize(20, 2));
        wide.setPixel(15, 0, qPremultiply(qRgba(0, 0, 0, 100)));
        QCOMPARE(platform::SeeThrough::cut(wide, wide.rect(), QRegion(), nullptr, beneath), QRegion());
    }

    // What must take the pointer stays in, drawn from beneath where nothing
    // is drawn; the outline never leaves `within`.
    void keptAndBounded()
    {
        QImage image = clearImage(QSize(30, 20));
        QPainter(&image).fillRect(QRect(0, 0, 30, 20), Qt::red);
        const QRegion within(5, 5, 10, 10);
        QCOMPARE(platform::SeeThrough::cut(image, within), within);

        QImage strip = clearImage(QSize(30, 2));
        QImage beneath(30, 2, QImage::Format_RGB32);
        beneath.fill(qRgb(10, 20, 30));
        const QRegion keep(0, 0, 30, 2);
        QRegion touched;
        QCOMPARE(platform::SeeThrough::cut(strip, strip.rect(), keep, &touched, beneath), keep);
        QCOMPARE(strip.pixel(12, 1), qRgba(10, 20, 30, 255));
        QCOMPARE(touched, keep);
        // Kept outside `within`: still bounded.
        QImage other = clearImage(QSize(30, 2));
        QCOMPARE(platform::SeeThrough::cut(other, QRegion(0, 0, 10, 2), keep), QRegion(0, 0, 10, 2));
    }

    // A picture painted of random rounded shapes: the outline holds exactly
    // the pixels that show, whatever the shapes, and comes as a region a
    // server takes in bands (sorted, no rectangle touching its neighbour).
    void randomPicturesGiveExactOutlines()
    {
        std::mt19937 random(20261211);
        auto pick = [&random](int n) { return int(random() % unsigned(n)); };
        for (int round = 0; round < 40; ++round) {
            const QSize size(20 + pick(120), 20 + pick(80));
            QImage image = clearImage(size);
            {
                QPainter p(&image);
                p.setRenderHint(QPainter::Antialiasing);
                for (int i = 0, n = 1 + pick(5); i < n; ++i) {
                    QPainterPath path;
                    path.addRoundedRect(QRectF(pick(size.width()), pick(size.height()), 2 + pick(60), 2 + pick(40)),
                                        pick(12), pick(12));
                    p.fillPath(path, QColor(pick(256), pick(256), pick(256), 40 + pick(216)));
                }
            }
            const QImage before = image;
            const QRegion within = pick(3) == 0 ? QRegion(QRect(QPoint(pick(10), pick(10)), size / 2)) : image.rect();
            const QRegion outline = platform::SeeThrough::cut(image, within);
            const QVector<bool> in = pixelsOf(outline, size);
            for (int y = 0; y < size.height(); ++y) {
                for (int x = 0; x < size.width(); ++x) {
                    const bool shows = within.contains(QPoint(x, y)) && qAlpha(before.pixel(x, y)) >= 128;
                    QVERIFY2(in[y * size.width() + x] == shows,
                             qPrintable(QStringLiteral("round %1 at %2,%3").arg(round).arg(x).arg(y)));
                    if (shows)
                        QCOMPARE(qAlpha(image.pixel(x, y)), 255);
                    else
                        QCOMPARE(image.pixel(x, y), before.pixel(x, y));
                }
            }
            // Banded: each rectangle starts a band or follows its left
            // neighbour in the same band with a gap.
            const QRect *previous = nullptr;
            for (const QRect &r : outline) {
                if (previous && previous->top() == r.top()) {
                    QCOMPARE(previous->bottom(), r.bottom());
                    QVERIFY(previous->right() + 1 < r.left());
                } else if (previous) {
                    QVERIFY(previous->bottom() < r.top());
                }
                previous = &r;
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestSeeThrough)
#include "tst_seethrough.moc"
