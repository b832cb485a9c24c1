// On demand: what magnification costs per pointer move. A row of 30 icons with
// 256 x 256 pictures; the pointer walks along the row and every icon gets the
// size the dock gives it (the hovered one magnified, its neighbours between).
#include "dock/icons/iconpictures.h"
#include "iconhelpers.h"
#include "testenv.h"

#include <QApplication>
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
    int m_x = 0;

    // One pointer move, 4 pixels on along the row.
    void nextMove()
    {
        m_x = (m_x + 4) % int(Icons * N);
        const int hovered = m_x / int(N);
        const float d = m_x - hovered * N;
        for (int i = 0; i < Icons; ++i)
            m_icons[i]->setSize(i == hovered ? M
                                    : i == hovered - 1 ? M - d * (M - N) / M
                                    : i == hovered + 1 ? N + d * (M - N) / M
                                                       : N);
    }

private slots:
    void initTestCase()
    {
        m_bar.resize(Icons * int(M), int(M));
        for (int i = 0; i < Icons; ++i) {
            const QString pic = makePicture(m_dir.path() + QString("/%1.png").arg(i), QColor::fromHsv(i * 12, 200, 200), 256);
            auto *icon = new FormCommonIcon(&m_bar);
            icon->setIcon(QString("ico%1").arg(i), int(M), int(N), 256, 256, 2, "n", pic, "EXE");
            icon->move(i * int(N), 0);
            m_icons << icon;
        }
        m_bar.show();
        for (int i = 0; i < Icons * N / 4; ++i)
            nextMove(); // the cache warmed by one walk
    }

    void perPointerMove() { QBENCHMARK { nextMove(); } }
    void perPointerMoveWithoutCache() { QBENCHMARK { IconPictures::clear(); nextMove(); } }
};

ZV_TEST_MAIN(BenchIconSizes)
#include "bench_iconsizes.moc"
