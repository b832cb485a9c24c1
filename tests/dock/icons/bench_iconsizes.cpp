// On demand: what magnification costs per pointer move. A row of 30 icons
// with 256 x 256 pictures; the pointer sweeps along the row and every icon
// gets the size the dock gives it (the hovered one magnified, its neighbours
// interpolated, the rest at rest), as Widget::IconMouseMove does.
#include "fakeiconservices.h"
#include "iconhelpers.h"
#include "testenv.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmapCache>
#include "dock/icons/iconpictures.h"
#include <QTemporaryDir>
#include <QtTest>

class BenchIconSizes : public QObject
{
    Q_OBJECT
    static constexpr int Icons = 30;
    static constexpr float N = 64, M = 128;
    QTemporaryDir m_dir;
    QWidget m_bar;
    QList<FormCommonIcon *> m_icons;
    int m_moves = 0;

    // One pointer position along the row, in steps of 4 pixels.
    void pointerAt(int x)
    {
        const int hovered = qBound(0, int(x / N), Icons - 1);
        const float d = x - hovered * N;
        for (int i = 0; i < Icons; ++i) {
            float s = N;
            if (i == hovered)
                s = M;
            else if (i == hovered - 1)
                s = M - d * (M - N) / M;
            else if (i == hovered + 1)
                s = N + d * (M - N) / M;
            m_icons[i]->setSize(s);
        }
    }
    void sweep(bool coldEveryMove)
    {
        for (int x = 0; x < Icons * N; x += 4) {
            if (coldEveryMove)
                IconPictures::clear();
            pointerAt(x);
            ++m_moves;
        }
    }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet("ZV_BENCH_CACHE_KB"))
            QPixmapCache::setCacheLimit(qEnvironmentVariableIntValue("ZV_BENCH_CACHE_KB"));
        m_bar.resize(Icons * int(M), int(M));
        for (int i = 0; i < Icons; ++i) {
            const QString pic = makePicture(m_dir.path() + QString("/%1.png").arg(i), QColor::fromHsv(i * 12, 200, 200), 256);
            auto *icon = new FormCommonIcon(&m_bar);
            icon->setIcon(QString("ico%1").arg(i), int(M), int(N), 256, 256, 2, "n", pic, "EXE");
            icon->move(i * int(N), 0);
            m_icons << icon;
        }
        m_bar.show();
        sweep(false); // warm the cache once
    }

    // Each iteration is one pointer move; the pointer walks on along the row.
    void perPointerMove()
    {
        sweep(false);
        int x = 0;
        QBENCHMARK {
            pointerAt(x);
            x = (x + 4) % int(Icons * N);
        }
    }
    void perPointerMoveWithoutCache()
    {
        int x = 0;
        QBENCHMARK {
            IconPictures::clear();
            pointerAt(x);
            x = (x + 4) % int(Icons * N);
        }
    }
    void report()
    {
        for (bool cold : { false, true }) {
            sweep(false); // warm
            m_moves = 0;
            QElapsedTimer t;
            t.start();
            for (int r = 0; r < 5; ++r)
                sweep(cold);
            const double us = t.nsecsElapsed() / 1000.0 / m_moves;
            qInfo("%s: %.1f microseconds per pointer move (%d moves, %d icons)",
                  cold ? "rescaled every move" : "cached scaling", us, m_moves, Icons);
        }
    }
};

ZV_TEST_MAIN(BenchIconSizes)
#include "bench_iconsizes.moc"
