#include "platform/power.h"
#include "testenv.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using platform::Power;

// The part of systemd-logind the power requests use, on a private bus.
class FakeLogind : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    QString can = "yes";
    bool refuse = false;
    QStringList calls; // method and interactive flag, "PowerOff true"
    bool authorizationAllowed = false;

public slots:
    QString CanPowerOff() { return ask("CanPowerOff"); }
    QString CanReboot() { return ask("CanReboot"); }
    void PowerOff(bool interactive) { act("PowerOff", interactive); }
    void Reboot(bool interactive) { act("Reboot", interactive); }

private:
    QString ask(const char *what)
    {
        calls << what;
        return can;
    }
    void act(const char *what, bool interactive)
    {
        calls << QString("%1 %2").arg(what, interactive ? "true" : "false");
        authorizationAllowed = message().isInteractiveAuthorizationAllowed();
        if (refuse)
            sendErrorReply(QDBusError::AccessDenied, "Interactive authentication required.");
    }
};

class TestPower : public QObject
{
    Q_OBJECT
    QProcess daemon;
    QString address;

    struct Answer
    {
        bool came = false;
        Power::Outcome outcome = Power::Accepted;
        QString detail;
    };
    Answer ask(Power &power, Power::Action action)
    {
        Answer a;
        QObject context;
        power.request(action, &context, [&a](Power::Outcome o, const QString &d) {
            a = { true, o, d };
        });
        if (a.came)
            qFatal("answered before the request returned");
        (void)QTest::qWaitFor([&a] { return a.came; }, 5000);
        return a;
    }

private slots:
    void initTestCase()
    {
        const QString exe = QStandardPaths::findExecutable("dbus-daemon");
        if (exe.isEmpty())
            QSKIP("no dbus-daemon to run a private bus");
        daemon.start(exe, { "--session", "--nofork", "--print-address" });
        QVERIFY(daemon.waitForReadyRead(10000));
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        QVERIFY(!address.isEmpty());
    }
    void cleanupTestCase()
    {
        daemon.kill();
        daemon.waitForFinished();
    }

    void requests_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("can");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<int>("outcome");
        QTest::newRow("power off") << int(Power::PowerOff) << "yes" << false
                                   << QStringList{ "CanPowerOff", "PowerOff true" } << int(Power::Accepted);
        QTest::newRow("after a password") << int(Power::Reboot) << "challenge" << false
                                          << QStringList{ "CanReboot", "Reboot true" } << int(Power::Accepted);
        QTest::newRow("not allowed") << int(Power::PowerOff) << "no" << false << QStringList{ "CanPowerOff" }
                                     << int(Power::NotAllowed);
        QTest::newRow("not available") << int(Power::Reboot) << "na" << false << QStringList{ "CanReboot" }
                                       << int(Power::NotAllowed);
        QTest::newRow("refused") << int(Power::PowerOff) << "yes" << true
                                 << QStringList{ "CanPowerOff", "PowerOff true" } << int(Power::Failed);
    }
    void requests()
    {
        QFETCH(int, action);
        QFETCH(QString, can);
        QFETCH(bool, refuse);
        QFETCH(QStringList, calls);
        QFETCH(int, outcome);

        QDBusConnection server = QDBusConnection::connectToBus(address, "server");
        FakeLogind logind;
        logind.can = can;
        logind.refuse = refuse;
        QVERIFY(server.registerObject("/org/freedesktop/login1", &logind, QDBusConnection::ExportAllSlots));
        QVERIFY(server.registerService("org.freedesktop.login1"));

        platform::LogindPower power(QDBusConnection::connectToBus(address, "client"));
        const Answer a = ask(power, Power::Action(action));
        QVERIFY(a.came);
        QCOMPARE(int(a.outcome), outcome);
        QCOMPARE(logind.calls, calls);
        if (calls.size() > 1)
            QVERIFY(logind.authorizationAllowed);
        if (refuse)
            QCOMPARE(a.detail, QString("Interactive authentication required."));

        server.unregisterService("org.freedesktop.login1");
        server.unregisterObject("/org/freedesktop/login1");
        QDBusConnection::disconnectFromBus("server");
        QDBusConnection::disconnectFromBus("client");
    }

    void nobodyToAsk()
    {
        platform::LogindPower noLogind(QDBusConnection::connectToBus(address, "client"));
        QCOMPARE(ask(noLogind, Power::PowerOff).outcome, Power::Unavailable);
        QDBusConnection::disconnectFromBus("client");

        platform::LogindPower noBus(QDBusConnection::connectToBus("unix:path=/nonexistent/bus", "none"));
        QCOMPARE(ask(noBus, Power::Reboot).outcome, Power::Unavailable);
    }

};

ZV_TEST_MAIN(TestPower)
#include "tst_power.moc"
