// The icon outside the painted bar: the picture that follows a dragged icon.
#include "dock/icons/dockface.h"
#include "fakeiconservices.h"
#include "iconhelpers.h"
#include "testenv.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

class TestIconWidget : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_png;
    FakeTrash m_trash;

    static QColor middle(QWidget *w)
    {
        const QImage img = w->grab().toImage();
        return img.pixelColor(img.width() / 2, img.height() / 2);
    }

private slots:
    void initTestCase() { m_png = makePicture(m_dir.path() + "/p.png", Qt::red); }

    // The ghost stands at the normal size and shows its row's face inside a
    // 5-pixel margin; a second row replaces the first one's face.
    void showsTheRowsFace()
    {
        FormCommonIcon ghost;
        ghost.setIcon("ico1", 128, 64, 256, 256, 2, "名字", m_png, "ICON");
        QCOMPARE(ghost.size(), QSize(64, 64));
        QCOMPARE(middle(&ghost), QColor(Qt::red));
        const QImage img = ghost.grab().toImage();
        QVERIFY(img.pixelColor(2, 2) != QColor(Qt::red));
        QPointer<DockFace> first = ghost.face();
        const QString blue = makePicture(m_dir.path() + "/b.png", Qt::blue);
        ghost.setIcon("ico2", 96, 48, 256, 256, 2, "other", blue, "ICON");
        QVERIFY(first.isNull());
        QCOMPARE(ghost.size(), QSize(48, 48));
        QCOMPARE(ghost.id(), QString("ico2"));
        QCOMPARE(middle(&ghost), QColor(Qt::blue));
    }

    // A face runs its timers only while the ghost is shown.
    void faceActiveOnlyWhileShown()
    {
        FormCommonIcon ghost;
        ghost.setIcon("ico1", 128, 64, 256, 256, 2, "gif", makeGif(m_dir.path() + "/a.gif"), "ICON");
        QSignalSpy changed(ghost.face(), &DockFace::changed);
        ghost.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ghost));
        ghost.hide();
        changed.clear();
        QTest::qWait(150);
        QCOMPARE(changed.count(), 0);
    }

    // A taken drop: the ghost shrinks into its centre and hides.
    void closeAnimationHides()
    {
        FormCommonIcon ghost;
        ghost.setIcon("ico1", 128, 64, 256, 256, 2, "名字", m_png, "ICON");
        ghost.move(100, 100);
        ghost.show();
        ghost.closeAnimation();
        QTRY_VERIFY(ghost.isHidden());
        QCOMPARE(ghost.geometry().topLeft(), QPoint(132, 132));
    }
};

ZV_TEST_MAIN(TestIconWidget)
#include "tst_iconwidget.moc"
