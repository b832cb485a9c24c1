// Writes the test-built program files into a folder: the fuzzer's seeds.
#include "pebuilder.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    const QMap<QString, QByteArray> files = PeBuilder::corpus();
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        QFile f(dir + QLatin1Char('/') + it.key());
        if (!f.open(QIODevice::WriteOnly) || f.write(it.value()) != it.value().size())
            return 1;
    }
    return 0;
}
