// The simulated switch seen through net-snmp's command-line tools.
#include "simulator.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestSimulator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_switch.start()); }

    void answersEveryVersionAndSecurityLevel_data()
    {
        QTest::addColumn<QStringList>("credentials");
        QTest::newRow("v1") << QStringList{u"-v1"_s, u"-c"_s, u"tundra"_s};
        QTest::newRow("v2c") << QStringList{u"-v2c"_s, u"-c"_s, u"tundra"_s};
        QTest::newRow("v3 noAuthNoPriv")
            << QStringList{u"-v3"_s, u"-l"_s, u"noAuthNoPriv"_s, u"-u"_s, u"noAuthUser"_s};
        QTest::newRow("v3 authNoPriv SHA") << QStringList{u"-v3"_s,
                                                          u"-l"_s,
                                                          u"authNoPriv"_s,
                                                          u"-u"_s,
                                                          u"authNoPrivSha"_s,
                                                          u"-a"_s,
                                                          u"SHA"_s,
                                                          u"-A"_s,
                                                          u"authpass123"_s};
        QTest::newRow("v3 authPriv SHA AES") << QStringList{u"-v3"_s,
                                                            u"-l"_s,
                                                            u"authPriv"_s,
                                                            u"-u"_s,
                                                            u"authPrivShaAes"_s,
                                                            u"-a"_s,
                                                            u"SHA"_s,
                                                            u"-A"_s,
                                                            u"authpass123"_s,
                                                            u"-x"_s,
                                                            u"AES"_s,
                                                            u"-X"_s,
                                                            u"privpass123"_s};
        QTest::newRow("v3 authPriv MD5 DES") << QStringList{u"-v3"_s,
                                                            u"-l"_s,
                                                            u"authPriv"_s,
                                                            u"-u"_s,
                                                            u"authPrivMd5Des"_s,
                                                            u"-a"_s,
                                                            u"MD5"_s,
                                                            u"-A"_s,
                                                            u"authpass123"_s,
                                                            u"-x"_s,
                                                            u"DES"_s,
                                                            u"-X"_s,
                                                            u"privpass123"_s};
    }

    void answersEveryVersionAndSecurityLevel()
    {
        QFETCH(QStringList, credentials);
        const auto result = m_switch.runTool(u"snmpget"_s, credentials << u"1.3.6.1.2.1.1.1.0"_s);
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.out.contains(u"RQ5160"_s), qPrintable(result.out + result.err));
    }

private:
    SimulatedSwitch m_switch;
};

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
