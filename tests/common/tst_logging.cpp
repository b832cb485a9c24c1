// The logging categories: quiet at debug level unless a rule switches one on,
// their warnings always shown.
#include "common/logging.h"
#include "testenv.h"

#include <QCoreApplication>
#include <QtTest>

namespace {

struct Said
{
    QtMsgType type;
    QString category;
    QString text;
};
QList<Said> said;
QtMessageHandler previous = nullptr;

void capture(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    said << Said{ type, QString::fromLatin1(context.category), text };
}

using Category = const QLoggingCategory &(*)();
const QList<QPair<QString, Category>> &categories()
{
    static const QList<QPair<QString, Category>> all = {
        { "zorvane.bar", lcBar },        { "zorvane.menus", lcMenus },   { "zorvane.files", lcFiles },
        { "zorvane.net", lcNet },        { "zorvane.desktop", lcDesktop }, { "zorvane.messages", lcMessages },
        { "zorvane.text", lcText },      { "mirelka.notes", lcNotes },   { "tandrel.picker", lcPicker },
    };
    return all;
}

// The categories whose debug message came through.
QStringList debugHeard()
{
    said.clear();
    for (const auto &c : categories())
        qCDebug(c.second) << "probe";
    QStringList heard;
    for (const Said &s : qAsConst(said)) {
        if (s.type == QtDebugMsg && s.text == QLatin1String("probe"))
            heard << s.category;
    }
    return heard;
}

} // namespace

class TestLogging : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        previous = qInstallMessageHandler(capture);
    }
    void cleanup()
    {
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QString());
    }

    void namesAreTheDocumentedOnes()
    {
        for (const auto &c : categories())
            QCOMPARE(QString::fromLatin1(c.second().categoryName()), c.first);
    }

    void debugIsQuietByDefaultWarningsShow()
    {
        QCOMPARE(debugHeard(), QStringList());
        for (const auto &c : categories()) {
            said.clear();
            qCWarning(c.second) << "trouble";
            QCOMPARE(said.size(), 1);
            QVERIFY(said.first().type == QtWarningMsg);
            QCOMPARE(said.first().category, c.first);
        }
    }

    void aRuleSwitchesDebugOn()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("zorvane.bar.debug=true"));
        QCOMPARE(debugHeard(), QStringList{ "zorvane.bar" });

        QLoggingCategory::setFilterRules(QStringLiteral("zorvane.*.debug=true"));
        QStringList zorvane;
        for (const auto &c : categories()) {
            if (c.first.startsWith("zorvane."))
                zorvane << c.first;
        }
        QCOMPARE(debugHeard(), zorvane);

        QLoggingCategory::setFilterRules(QStringLiteral("mirelka.notes.debug=true\ntandrel.*.debug=true"));
        QCOMPARE(debugHeard(), (QStringList{ "mirelka.notes", "tandrel.picker" }));

        // Taken back, the rule leaves the category quiet again.
        QLoggingCategory::setFilterRules(QString());
        QCOMPARE(debugHeard(), QStringList());
    }
};

int main(int argc, char *argv[])
{
    // The defaults are what is tested: rules from the caller's environment
    // would stand above every rule the test sets.
    qunsetenv("QT_LOGGING_RULES");
    qunsetenv("QT_LOGGING_CONF");
    static TestEnv env;
    QCoreApplication app(argc, argv);
    TestLogging tc;
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_logging.moc"
