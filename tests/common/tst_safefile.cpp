#include "common/safefile.h"
#include "testenv.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

static QByteArray readAll(const QString &p)
{
    QFile f(p);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

class TestSafeFile : public QObject
{
    Q_OBJECT
private slots:
    void writeReplacesWhole()
    {
        QTemporaryDir d;
        const QString p = d.path() + "/a.xml";
        QVERIFY(SafeFile::write(p, "first version, long"));
        QVERIFY(SafeFile::write(p, "second"));
        QCOMPARE(readAll(p), QByteArray("second"));
    }

    void writeIntoMissingFolderFailsWithoutTrace()
    {
        QTemporaryDir d;
        QVERIFY(!SafeFile::write(d.path() + "/no/such/a.xml", "x"));
    }

    void badFilesAreKeptAndNeverOverwritten()
    {
        QTemporaryDir d;
        const QString p = d.path() + "/a.xml";
        QCOMPARE(SafeFile::keepBad(p), QString()); // nothing to keep
        QVERIFY(SafeFile::write(p, "broken 1"));
        QCOMPARE(SafeFile::keepBad(p), p + ".bad");
        QVERIFY(SafeFile::write(p, "broken 2"));
        QCOMPARE(SafeFile::keepBad(p), p + ".bad.1");
        QCOMPARE(readAll(p + ".bad"), QByteArray("broken 1"));
        QCOMPARE(readAll(p + ".bad.1"), QByteArray("broken 2"));
    }
};

ZV_TEST_MAIN(TestSafeFile)
#include "tst_safefile.moc"
