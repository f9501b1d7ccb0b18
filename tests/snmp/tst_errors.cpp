#include "snmp/errors.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestErrors : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { ResetMessageTables(); }

    void statusToError_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("success") << 0 << 0 << u"(KxSNMP++) Ok!"_s;
        QTest::newRow("usm success") << 1400 << 0 << u"(KxSNMP++) Ok!"_s;
        QTest::newRow("mp success") << -1401 << 0 << u"(KxSNMP++) Ok!"_s;
        QTest::newRow("noSuchName") << 2 << -102 << u"(SNMP) Variable does not exist!"_s;
        QTest::newRow("inconsistentName")
            << 18 << -118 << u"(SNMP) Cannot create variable, Inconsistent Name!"_s;
        QTest::newRow("timeout") << -5 << -405 << u"(SNMPClass) SNMP request timed out!"_s;
        QTest::newRow("blocked shutdown") << -23 << -423 << u"(SNMPClass) Blocked Mode Shutdown!"_s;
        QTest::newRow("wrong digest") << 1408 << -308 << u"(SNMPv3USM) Authentication failure!"_s;
        QTest::newRow("usm address") << 1414 << -314 << u"(SNMPv3USM) Address error!"_s;
        QTest::newRow("mp first") << -1402 << -201 << u"(SNMPv3) Unsupported Security Model!"_s;
        QTest::newRow("mp last") << -1418 << -217 << u"(SNMPv3) Report sent!"_s;
        QTest::newRow("past usm") << 1415 << -528 << u"(KxSNMP++) Unknown error code!"_s;
        QTest::newRow("past agent") << 19 << -528 << u"(KxSNMP++) Unknown error code!"_s;
        QTest::newRow("past library") << -24 << -528 << u"(KxSNMP++) Unknown error code!"_s;
    }

    void statusToError()
    {
        QFETCH(int, status);
        QFETCH(int, code);
        QFETCH(QString, message);
        const StatusError error = StatusToError(status);
        QCOMPARE(error.code, code);
        QCOMPARE(error.message, message);
    }

    void errorCodeText_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("success") << 0 << u"Success."_s;
        QTest::newRow("too big") << -101 << u"Packet is too big."_s;
        QTest::newRow("general") << -105 << u"General Error"_s;
        QTest::newRow("inconsistent name") << -118 << u"Inconsistent name."_s;
        QTest::newRow("mp model") << -201 << u"Using unsupported security model."_s;
        QTest::newRow("mp context") << -215 << u"Unavaliable context."_s;
        QTest::newRow("usm priv") << -313 << u"Using unsupported private protocol."_s;
        QTest::newRow("timeout") << -405 << u"Time out."_s;
        QTest::newRow("outstanding") << -408 << u"Closing session with outstanding requests."_s;
        QTest::newRow("no short text") << -409 << u"No information."_s;
        QTest::newRow("class") << -410 << u"Class is not valid."_s;
        QTest::newRow("blocked") << -423 << u"Blocked Mode Shutdown."_s;
        QTest::newRow("layer ok") << -500 << u"Success."_s;
        QTest::newRow("address") << -509 << u"Invalid IP Address or DNS name."_s;
        QTest::newRow("unknown") << -528 << u"Unknown error code."_s;
        QTest::newRow("between ranges") << -119 << u"No information."_s;
        QTest::newRow("tftp") << -1101 << u"No information."_s;
    }

    void errorCodeText()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(ErrorCodeText(code), text);
    }

    void messageFileReplacesTable()
    {
        // GIVEN a kxsnmp.err with 29 lines and blank lines between them
        QTemporaryDir dir;
        QFile file(dir.filePath(u"kxsnmp.err"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 29; ++i)
            file.write("\r\n  \n" + QByteArray(" line ") + QByteArray::number(i) + " \r\n");
        file.close();

        LoadMessageFile(MessageTable::KxSnmp, file.fileName());

        // THEN entry n is the n-th non-blank line with its own blanks kept
        QCOMPARE(ErrorMessage(-509), u" line 9 "_s);
        QCOMPARE(ErrorMessage(-528), u" line 28 "_s);
        QCOMPARE(ErrorMessage(0), u" line 0 "_s);
    }

    void shortMessageFileDoesNotFail()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(u"snmp.err"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("first\nsecond\n");
        file.close();

        LoadMessageFile(MessageTable::Snmp, file.fileName());

        QCOMPARE(StatusToError(2).message, u"second"_s);
        QCOMPARE(StatusToError(18).code, -118);
        QVERIFY(StatusToError(18).message.isEmpty());
    }

    void missingOrBlankFileKeepsBuiltIns()
    {
        QTemporaryDir dir;
        QFile blank(dir.filePath(u"blank.err"_s));
        QVERIFY(blank.open(QIODevice::WriteOnly));
        blank.write("\n   \r\n\t\n");
        blank.close();

        LoadMessageFile(MessageTable::SnmpClass, dir.filePath(u"missing.err"_s));
        LoadMessageFile(MessageTable::SnmpClass, blank.fileName());

        QCOMPARE(StatusToError(-5).message, u"(SNMPClass) SNMP request timed out!"_s);
    }

    void lineBreakEscapesBecomeLineBreaks()
    {
        LoadMessageFile(MessageTable::KxCommon,
                        QStringLiteral(RQ5160_SOURCE_DIR "/errmsg/common.err"));
        QCOMPARE(CommonMessage(-9),
                 u"(KxCommon) Please enter a delimited number string with delimiter "
                 "'[DELIMITER]'.\nHere,the count of the number is less than [MAXCOUNT]!"_s);
    }

    // The shipped files hold exactly the built-in texts.
    void shippedFilesMatchBuiltIns_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("entries");
        QTest::newRow("snmp") << int(MessageTable::Snmp) << u"snmp.err"_s << 18;
        QTest::newRow("snmpv3") << int(MessageTable::Snmpv3) << u"snmpv3.err"_s << 17;
        QTest::newRow("usm") << int(MessageTable::Usm) << u"snmpusm.err"_s << 14;
        QTest::newRow("class") << int(MessageTable::SnmpClass) << u"snmpclass.err"_s << 23;
        QTest::newRow("kxsnmp") << int(MessageTable::KxSnmp) << u"kxsnmp.err"_s << 29;
        QTest::newRow("templates") << int(MessageTable::StatusTemplates) << u"snmp.msg"_s << 2;
        QTest::newRow("common") << int(MessageTable::KxCommon) << u"common.err"_s << 19;
    }

    void shippedFilesMatchBuiltIns()
    {
        QFETCH(int, table);
        QFETCH(QString, file);
        QFETCH(int, entries);
        const auto which = MessageTable(table);
        QStringList builtIn;
        for (int i = 0; i < entries; ++i)
            builtIn << MessageText(which, i);
        QVERIFY(MessageText(which, entries).isEmpty());

        LoadMessageFile(which, QStringLiteral(RQ5160_SOURCE_DIR "/errmsg/") + file);

        for (int i = 0; i <= entries; ++i)
            QCOMPARE(MessageText(which, i), builtIn.value(i));
    }
};

QTEST_GUILESS_MAIN(TestErrors)
#include "tst_errors.moc"
