#include <QFile>
#include <QNetworkDatagram>
#include <QProcess>
#include <QTest>
#include <QUdpSocket>

using namespace Qt::StringLiterals;

// The module as a process, against a port where nothing answers.
class TestModule : public QObject
{
    Q_OBJECT

    static QByteArray commandLineOf(qint64 pid)
    {
        QFile file(u"/proc/%1/cmdline"_s.arg(pid));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void startUpHidesSecretsAndPrintsNothing_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArrayList>("secrets");
        QTest::newRow("v2c communities")
            << QStringList{u"/v1"_s, u"/Rsecret-read"_s, u"/Wsecret-write"_s}
            << QByteArrayList{"secret-read", "secret-write"};
        QTest::newRow("v3 passwords") << QStringList{u"/v3"_s,
                                                     u"/m3"_s,
                                                     u"/nfoo"_s,
                                                     u"/l3"_s,
                                                     u"/a2"_s,
                                                     u"/Asecret-auth1"_s,
                                                     u"/p2"_s,
                                                     u"/Psecret-priv1"_s}
                                      << QByteArrayList{"secret-auth1", "secret-priv1"};
    }

    void startUpHidesSecretsAndPrintsNothing()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArrayList, secrets);
        QUdpSocket silent;
        QVERIFY(silent.bind(QHostAddress::LocalHost, 0));
        QProcess module;
        module.setProgram(QStringLiteral(RQ5160_BINARY_DIR "/src/app/rq5160"));
        module.setArguments(QStringList{u"/I127.0.0.1"_s, u"/t%1"_s.arg(silent.localPort())}
                            + options);
        module.start();
        QVERIFY(module.waitForStarted());

        // GIVEN the module has read its command line (its first poll arrives)
        QVERIFY(QTest::qWaitFor([&] { return silent.hasPendingDatagrams(); }, 10000));
        // THEN its argument memory holds none of the secrets
        const QByteArray commandLine = commandLineOf(module.processId());
        QVERIFY(commandLine.contains("/I127.0.0.1"));
        for (const QByteArray &secret : secrets)
            QVERIFY2(!commandLine.contains(secret), commandLine.constData());

        module.terminate();
        QVERIFY(module.waitForFinished());
        const QByteArray errors = module.readAllStandardError();
        QVERIFY2(!errors.contains("Created directory"), errors.constData());
    }

    // The whole program on an IPv6 address: its first poll goes out over IPv6.
    void pollsAnIpv6Switch_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("bare") << u"::1"_s;
        QTest::newRow("in brackets") << u"[::1]"_s;
    }

    void pollsAnIpv6Switch()
    {
        QFETCH(QString, address);
        QUdpSocket silent;
        if (!silent.bind(QHostAddress::LocalHostIPv6, 0))
            QSKIP("this machine has no IPv6 loopback address (::1)");
        QProcess module;
        module.setProgram(QStringLiteral(RQ5160_BINARY_DIR "/src/app/rq5160"));
        module.setArguments(
            {u"/I"_s + address, u"/t%1"_s.arg(silent.localPort()), u"/v1"_s, u"/Rtundra"_s});
        module.start();
        QVERIFY(module.waitForStarted());

        QVERIFY(QTest::qWaitFor([&] { return silent.hasPendingDatagrams(); }, 10000));
        QCOMPARE(silent.receiveDatagram().senderAddress(),
                 QHostAddress(QHostAddress::LocalHostIPv6));

        module.terminate();
        QVERIFY(module.waitForFinished());
    }
};

QTEST_GUILESS_MAIN(TestModule)
#include "tst_module.moc"
