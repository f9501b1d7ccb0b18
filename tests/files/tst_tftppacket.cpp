#include "files/kxtftpmsg.h"
#include "files/tftppacket.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Tftp::Option;

Q_DECLARE_METATYPE(QList<Option>)

class TestTftpPacket : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseRequest_data();
    void parseRequest();
    void otherDatagramsAreNoRequests_data();
    void otherDatagramsAreNoRequests();
    void errorPacketIsFiveBytes();
    void negotiate_data();
    void negotiate();
    void statusTexts();
};

void TestTftpPacket::parseRequest_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<int>("opcode");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("nameEnds");
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<bool>("modeEnds");
    QTest::addColumn<QList<Option>>("options");

    const QList<Option> none;
    QTest::newRow("plain read") << "\0\1fw.bin\0octet\0"_ba << 1 << "fw.bin"_ba << true
                                << "octet"_ba << true << none;
    QTest::newRow("plain write") << "\0\2cfg\0netascii\0"_ba << 2 << "cfg"_ba << true
                                 << "netascii"_ba << true << none;
    QTest::newRow("name without zero")
        << "\0\1fw.bin"_ba << 1 << "fw.bin"_ba << false << ""_ba << false << none;
    QTest::newRow("mode without zero")
        << "\0\1fw.bin\0oct"_ba << 1 << "fw.bin"_ba << true << "oct"_ba << false << none;
    QTest::newRow("empty name") << "\0\1\0octet\0"_ba << 1 << ""_ba << true << "octet"_ba << true
                                << none;
    QTest::newRow("options") << "\0\1f\0octet\0blksize\0001024\0tsize\0000\0"_ba << 1 << "f"_ba
                             << true << "octet"_ba << true
                             << QList<Option>{{"blksize", "1024"}, {"tsize", "0"}};
    QTest::newRow("option value cut off")
        << "\0\1f\0octet\0blksize\0001024\0tsize\0000"_ba << 1 << "f"_ba << true << "octet"_ba
        << true << QList<Option>{{"blksize", "1024"}};
}

void TestTftpPacket::parseRequest()
{
    QFETCH(QByteArray, datagram);
    const std::optional<Tftp::Request> request = Tftp::ParseRequest(datagram);
    QVERIFY(request);
    QTEST(int(request->opcode), "opcode");
    QTEST(request->fileName, "name");
    QTEST(request->fileNameTerminated, "nameEnds");
    QTEST(request->mode, "mode");
    QTEST(request->modeTerminated, "modeEnds");
    QTEST(request->options, "options");
}

void TestTftpPacket::otherDatagramsAreNoRequests_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("three bytes") << "\0\1f"_ba;
    QTest::newRow("DATA") << "\0\3\0\1abc"_ba;
    QTest::newRow("ACK") << "\0\4\0\1"_ba;
    QTest::newRow("ERROR") << "\0\5\0\1\0"_ba;
    QTest::newRow("OACK") << "\0\6a\0b\0"_ba;
    QTest::newRow("opcode 7") << "\0\7f\0octet\0"_ba;
    QTest::newRow("garbage") << "\xff\xfe\x01\x02zz"_ba;
}

void TestTftpPacket::otherDatagramsAreNoRequests()
{
    QFETCH(QByteArray, datagram);
    QVERIFY(!Tftp::ParseRequest(datagram));
}

void TestTftpPacket::errorPacketIsFiveBytes()
{
    QCOMPARE(Tftp::MakeError(Tftp::AccessViolation), "\0\5\0\2\0"_ba);
    QCOMPARE(Tftp::MakeAck(65535), "\0\4\xff\xff"_ba);
    QCOMPARE(Tftp::MakeData(2, "ab"), "\0\3\0\2ab"_ba);
    QCOMPARE(Tftp::MakeOack({{"blksize", "8"}}), "\0\6blksize\0008\0"_ba);
}

void TestTftpPacket::negotiate_data()
{
    QTest::addColumn<int>("opcode");
    QTest::addColumn<QList<Option>>("options");
    QTest::addColumn<qint64>("fileSize");
    QTest::addColumn<int>("blockSize");
    QTest::addColumn<int>("windowSize");
    QTest::addColumn<int>("timeout");
    QTest::addColumn<QList<Option>>("acknowledged");

    const QList<Option> none;
    QTest::newRow("no options") << 1 << none << 100LL << 512 << 1 << 0 << none;
    QTest::newRow("unknown only") << 1 << QList<Option>{{"multicast", ""}, {"foo", "1"}} << 100LL
                                  << 512 << 1 << 0 << none;
    QTest::newRow("all four, upper case")
        << 1
        << QList<Option>{{"BLKSIZE", "1428"}, {"tsize", "0"}, {"Timeout", "5"}, {"windowsize", "8"}}
        << 3000LL << 1428 << 8 << 5
        << QList<Option>{
               {"blksize", "1428"}, {"tsize", "3000"}, {"timeout", "5"}, {"windowsize", "8"}};
    QTest::newRow("blksize bounds")
        << 1 << QList<Option>{{"blksize", "7"}} << 1LL << 512 << 1 << 0 << none;
    QTest::newRow("blksize 8") << 1 << QList<Option>{{"blksize", "8"}} << 1LL << 8 << 1 << 0
                               << QList<Option>{{"blksize", "8"}};
    QTest::newRow("blksize lowered") << 1 << QList<Option>{{"blksize", "70000"}} << 1LL << 65464
                                     << 1 << 0 << QList<Option>{{"blksize", "65464"}};
    QTest::newRow("blksize not a number")
        << 1 << QList<Option>{{"blksize", "12a"}} << 1LL << 512 << 1 << 0 << none;
    QTest::newRow("first of repeated counts")
        << 1 << QList<Option>{{"blksize", "1024"}, {"blksize", "2048"}} << 1LL << 1024 << 1 << 0
        << QList<Option>{{"blksize", "1024"}};
    QTest::newRow("timeout out of range")
        << 1 << QList<Option>{{"timeout", "0"}, {"Timeout", "256"}} << 1LL << 512 << 1 << 0 << none;
    QTest::newRow("windowsize lowered") << 1 << QList<Option>{{"windowsize", "65535"}} << 1LL << 512
                                        << 64 << 0 << QList<Option>{{"windowsize", "64"}};
    QTest::newRow("windowsize 0") << 1 << QList<Option>{{"windowsize", "0"}} << 1LL << 512 << 1 << 0
                                  << none;
    QTest::newRow("tsize of an empty file")
        << 1 << QList<Option>{{"tsize", "0"}} << 0LL << 512 << 1 << 0 << none;
    QTest::newRow("tsize of a write") << 2 << QList<Option>{{"tsize", "4096"}} << -1LL << 512 << 1
                                      << 0 << QList<Option>{{"tsize", "4096"}};
}

void TestTftpPacket::negotiate()
{
    QFETCH(int, opcode);
    QFETCH(QList<Option>, options);
    QFETCH(qint64, fileSize);
    const Tftp::Negotiation result = Tftp::Negotiate(options, quint16(opcode), fileSize);
    QTEST(result.blockSize, "blockSize");
    QTEST(result.windowSize, "windowSize");
    QTEST(result.timeoutSeconds, "timeout");
    QTEST(result.acknowledged, "acknowledged");
}

void TestTftpPacket::statusTexts()
{
    QCOMPARE(KxTFTPStatusText(3), u"(KxTFTP) Success to transfer file."_s);
    QCOMPARE(KxTFTPStatusText(0), u"(KxTFTP) A TFTP session is disconnected..."_s);
    QCOMPARE(KxTFTPStatusText(-1109),
             u"(KxTFTP) Fail to open socket!Please check if the network is ready."_s);
    QCOMPARE(KxTFTPStatusText(-1114), u"(KxTFTP) Transfer has been canceled."_s);
    QCOMPARE(KxTFTPStatusText(-1115), QString());
    QCOMPARE(KxTFTPStatusOfErrorCode(1), -1102);
    QCOMPARE(KxTFTPStatusOfErrorCode(7), -1108);
    QCOMPARE(KxTFTPStatusOfErrorCode(8), -1101);
    const KxTFTPMsg record;
    QCOMPARE(record.status, -1111);
    QCOMPARE(record.statusText, u"(KxTFTP) Socket is not ready!"_s);
}

QTEST_GUILESS_MAIN(TestTftpPacket)
#include "tst_tftppacket.moc"
