#include "snmp/bootcounter.h"
#include "snmp/errors.h"
#include "snmp/kxexception.h"
#include "snmp/records.h"
#include "snmp/session.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

int createSessionCode(const QString &folder)
{
    try {
        CreateGlobalSession(folder);
    } catch (const KxException &error) {
        return error.helpContext();
    }
    return 0;
}

quint32 storedBoots(const QString &folder)
{
    quint32 boots = 0;
    BootCounter::read(folder + u"/KxSNMP_PP_BootCounter"_s, QByteArray(LocalEngineId), boots);
    return boots;
}

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstRunStoresOneThenTwo()
    {
        QTemporaryDir dir;
        QCOMPARE(createSessionCode(dir.path()), 0);
        QCOMPARE(storedBoots(dir.path()), 1u);
        QCOMPARE(EngineBoots(), 1u);
        QCOMPARE(createSessionCode(dir.path()), 0);
        QCOMPARE(storedBoots(dir.path()), 2u);
    }

    void counterKeepsOtherEngines()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"KxSNMP_PP_BootCounter"_s);
        QCOMPARE(BootCounter::save(path, "OtherEngine", 41), 0);
        QCOMPARE(createSessionCode(dir.path()), 0);
        quint32 boots = 0;
        QCOMPARE(BootCounter::read(path, "OtherEngine", boots), BootCounter::Found);
        QCOMPARE(boots, 41u);
        QCOMPARE(storedBoots(dir.path()), 1u);
    }

    void unwritableFolderRaises508()
    {
        QTemporaryDir dir;
        // A plain file where the folder should be: nothing can be created in it.
        const QString notAFolder = dir.filePath(u"plain"_s);
        QFile file(notAFolder);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(createSessionCode(notAFolder), KxError::CannotSaveBootCounter);
    }

    void unreadableCounterRaises507()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(u"KxSNMP_PP_BootCounter"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a counter file\n");
        file.close();
        QCOMPARE(createSessionCode(dir.path()), KxError::CannotLoadBootCounter);
    }

    void creationLoadsDefaultsAndStartsProcessor()
    {
        QTemporaryDir dir;
        GlobalDevice().address = u"10.1.1.1"_s;
        GlobalSecurity().securityLevel = SnmpCode::AuthPriv;
        SetDefaultRequestTimeout(7);
        GlobalEventProcessor().Stop();

        QCOMPARE(createSessionCode(dir.path()), 0);

        QVERIFY(GlobalSessionExists());
        QCOMPARE(GlobalDevice().address, u"127.0.0.1"_s);
        QCOMPARE(GlobalDevice().port, quint16(161));
        QCOMPARE(GlobalSecurity().readCommunity, u"tundra"_s);
        QCOMPARE(GlobalSecurity().writeCommunity, u"granite"_s);
        QCOMPARE(GlobalSecurity().version, qint8(SnmpCode::Version1));
        QCOMPARE(GlobalSecurity().securityLevel, qint32(SnmpCode::NoAuthNoPriv));
        QCOMPARE(GlobalSecurity().privProtocol, quint32(SnmpCode::PrivNone));
        QCOMPARE(DefaultRequestTimeout(), 100);
        QVERIFY(GlobalEventProcessor().isRunning());
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
