#include "files/kxtftpserver.h"
#include "files/tftppacket.h"
#include "files/tftpretransmit.h"
#include "snmp/kxexception.h"

#include <QDir>
#include <QFile>
#include <QNetworkDatagram>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <csignal>
#include <memory>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray Request(quint16 opcode,
                   const QByteArray &name,
                   const QList<Tftp::Option> &options = {},
                   const QByteArray &mode = "octet")
{
    QByteArray packet(2, '\0');
    packet[1] = char(opcode);
    packet += name + '\0' + mode + '\0';
    for (const Tftp::Option &option : options)
        packet += option.first + '\0' + option.second + '\0';
    return packet;
}

QByteArray Rrq(const QByteArray &name, const QList<Tftp::Option> &options = {})
{
    return Request(Tftp::Rrq, name, options);
}

QByteArray Wrq(const QByteArray &name, const QList<Tftp::Option> &options = {})
{
    return Request(Tftp::Wrq, name, options);
}

QByteArray RandomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(QRandomGenerator::global()->bounded(256));
    return bytes;
}

// A hand-driven TFTP client on its own loopback port.
class RawPeer
{
public:
    RawPeer() { m_socket.bind(QHostAddress::LocalHost, 0); }

    void send(const QByteArray &packet, quint16 port)
    {
        m_socket.writeDatagram(packet, QHostAddress::LocalHost, port);
    }
    // The next datagram, remembering the port it came from.
    QByteArray receive(int timeout = 5000)
    {
        if (!m_socket.hasPendingDatagrams()
            && !QTest::qWaitFor([this] { return m_socket.hasPendingDatagrams(); }, timeout))
            return "(nothing)";
        const QNetworkDatagram datagram = m_socket.receiveDatagram();
        from = quint16(datagram.senderPort());
        return datagram.data();
    }
    bool staysQuiet(int wait = 150)
    {
        QTest::qWait(wait);
        return !m_socket.hasPendingDatagrams();
    }
    quint16 port() const { return m_socket.localPort(); }
    void drain()
    {
        while (m_socket.hasPendingDatagrams())
            m_socket.receiveDatagram();
    }

    quint16 from = 0;

private:
    QUdpSocket m_socket;
};

} // namespace

// Each test gets a server on a free loopback port over a fresh root folder, a
// clock that only moves when the test moves it, and a log of every status
// change the handler saw.
class TestKxTFTPServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void lockStepDownloadOfFullBlocks();
    void repeatedRequestResendsUntilAnswered();
    void repeatedWriteRequestGetsItsAckAgain();
    void unknownModesAreRefused_data();
    void unknownModesAreRefused();
    void oversizedRequestsAreRefused_data();
    void oversizedRequestsAreRefused();
    void floodOfUnansweredRequestsLocksNobodyOut();
    void duplicateAckSendsNothing();
    void vanishedClientTimesOutWhileOthersAreServed();
    void writeReacknowledgesRepeatedBlock();
    void datagramsThatAreNoRequestsAreIgnored_data();
    void datagramsThatAreNoRequestsAreIgnored();
    void refusedNamesGetAccessViolation_data();
    void refusedNamesGetAccessViolation();
    void writeThatCannotCreateItsFile();
    void missingFileGetsFileNotFound();
    void foreignTransferIdGetsUnknownPort_data();
    void foreignTransferIdGetsUnknownPort();
    void failedWriteIsNeverComplete_data();
    void failedWriteIsNeverComplete();
    void oversizedBlockEndsWrite();
    void optionsAreAcknowledged();
    void windowRestartsAfterPartialAck();
    void clientErrorEndsSession_data();
    void clientErrorEndsSession();
    void cancelFlagEndsTransfer();
    void manyRequestsAtOnce();
    void allowedExactPathOutsideRoot();
    void busyPortRaisesSocketError();
    void defaultPortFromEnvironment();
    void stopEndsStalledSessions();

private:
    QString path(const QString &name) const { return m_root->filePath(name); }
    QByteArray writeFile(const QString &name, qsizetype size);
    QList<int> statusesOf(int session) const;
    void tickAfter(qint64 milliseconds);

    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<KxTFTPServer> m_server;
    qint64 m_now = 0;
    QList<KxTFTPMsg> m_log;
    quint16 m_port = 0;
};

void TestKxTFTPServer::init()
{
    m_root = std::make_unique<QTemporaryDir>(QDir::current().filePath(u"root-XXXXXX"_s));
    QVERIFY(m_root->isValid());
    m_now = 0;
    m_log.clear();
    m_server = std::make_unique<KxTFTPServer>();
    m_server->setClock([this] { return m_now; });
    m_server->SetTimeouts(100, 3);
    m_server->SetHandler([this](const KxTFTPMsg &msg, bool &) { m_log.append(msg); });
    m_server->Start(m_root->path(), 0);
    m_port = m_server->port();
    QVERIFY(m_port != 0);
}

void TestKxTFTPServer::cleanup()
{
    // Stop gives running sessions 10 s on the server's clock
    m_server->setClock([this] { return m_now += 1000; });
    m_server.reset();
    m_root.reset();
}

QByteArray TestKxTFTPServer::writeFile(const QString &name, qsizetype size)
{
    const QByteArray content = RandomBytes(size);
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != size)
        qFatal("cannot write a test file");
    return content;
}

QList<int> TestKxTFTPServer::statusesOf(int session) const
{
    QList<int> statuses;
    for (const KxTFTPMsg &msg : m_log) {
        if (msg.sessionNumber == session)
            statuses.append(msg.status);
    }
    return statuses;
}

void TestKxTFTPServer::tickAfter(qint64 milliseconds)
{
    m_now += milliseconds;
    m_server->timerTick();
}

void TestKxTFTPServer::lockStepDownloadOfFullBlocks()
{
    // GIVEN a file of exactly two full blocks
    const QByteArray content = writeFile(u"k.bin"_s, 1024);
    RawPeer peer;
    // WHEN it is read without options
    peer.send(Rrq("k.bin"), m_port);
    // THEN blocks 1 and 2 carry 512 bytes each, block 3 none, and ACK 3 completes
    QCOMPARE(peer.receive(), Tftp::MakeData(1, content.first(512)));
    QVERIFY(peer.from != m_port);
    peer.send(Tftp::MakeAck(1), peer.from);
    QCOMPARE(peer.receive(), Tftp::MakeData(2, content.sliced(512)));
    peer.send(Tftp::MakeAck(2), peer.from);
    QCOMPARE(peer.receive(), Tftp::MakeData(3, {}));
    peer.send(Tftp::MakeAck(3), peer.from);
    QTRY_COMPARE(m_server->sessionCount(), 0);
    QCOMPARE(statusesOf(0), (QList<int>{1, 2, 2, 2, 3, 0}));
    const KxTFTPMsg &done = m_log.at(m_log.size() - 2);
    QCOMPARE(done.transferred, 1024);
    QCOMPARE(done.lastBlockLength, 0);
    QCOMPARE(done.fileName, u"k.bin"_s);
    QCOMPARE(done.clientPort, int(peer.port()));
    QCOMPARE(done.clientAddress, u"127.0.0.1"_s);
    QCOMPARE(done.statusText, u"(KxTFTP) Success to transfer file."_s);
}

// A repeated request means the first answer was lost: the session sends it
// again (not more often than its shortest interval) until the client answers.
void TestKxTFTPServer::repeatedRequestResendsUntilAnswered()
{
    const QByteArray content = writeFile(u"a.bin"_s, 600);
    RawPeer first;
    RawPeer second;
    first.send(Rrq("a.bin"), m_port);
    const QByteArray block1 = first.receive();
    QCOMPARE(block1, Tftp::MakeData(1, content.first(512)));
    first.send(Rrq("a.bin"), m_port);
    QVERIFY(first.staysQuiet());
    m_now = TftpRetransmission::MinInterval;
    first.send(Rrq("a.bin"), m_port);
    QCOMPARE(first.receive(), block1);
    QCOMPARE(m_server->sessionCount(), 1);
    m_now = 200;
    first.send(Tftp::MakeAck(1), first.from);
    QCOMPARE(first.receive(), Tftp::MakeData(2, content.sliced(512)));
    // answered: a late copy of the request changes nothing (DATA 2 is due at 450)
    m_now = 350;
    first.send(Rrq("a.bin"), m_port);
    QVERIFY(first.staysQuiet());

    // the same request from another port is another transfer
    second.send(Rrq("a.bin"), m_port);
    QCOMPARE(second.receive(), block1);
    QCOMPARE(m_server->sessionCount(), 2);
    QCOMPARE(m_server->record().sessionNumber, 1);
}

// GIVEN a write whose ACK 0 is lost
// WHEN the client repeats its WRQ
// THEN the session acknowledges again and the upload completes.
void TestKxTFTPServer::repeatedWriteRequestGetsItsAckAgain()
{
    RawPeer peer;
    peer.send(Wrq("up.bin"), m_port);
    QCOMPARE(peer.receive(), Tftp::MakeAck(0));
    m_now += TftpRetransmission::MinInterval;
    peer.send(Wrq("up.bin"), m_port);
    QCOMPARE(peer.receive(), Tftp::MakeAck(0));
    peer.send(Tftp::MakeData(1, "config"), peer.from);
    QCOMPARE(peer.receive(), Tftp::MakeAck(1));
    QTRY_COMPARE(statusesOf(0), (QList<int>{1, 2, 3, 0}));
    QCOMPARE(m_server->record().sessionNumber, 0);
}

void TestKxTFTPServer::unknownModesAreRefused_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<bool>("served");
    QTest::newRow("octet") << "octet"_ba << true;
    QTest::newRow("NETASCII") << "NETASCII"_ba << true;
    QTest::newRow("OcTeT") << "OcTeT"_ba << true;
    QTest::newRow("mail") << "mail"_ba << false;
    QTest::newRow("path") << "../x"_ba << false;
    QTest::newRow("0xFF bytes") << "\xff\xff"_ba << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestKxTFTPServer::unknownModesAreRefused()
{
    QFETCH(QByteArray, mode);
    QFETCH(bool, served);
    writeFile(u"a.bin"_s, 10);
    for (const quint16 opcode : {Tftp::Rrq, Tftp::Wrq}) {
        RawPeer peer;
        peer.send(Request(opcode, opcode == Tftp::Rrq ? "a.bin" : "b.bin", {}, mode), m_port);
        const QByteArray reply = peer.receive();
        if (served) {
            QCOMPARE(Tftp::OpcodeOf(reply), opcode == Tftp::Rrq ? Tftp::Data : Tftp::Ack);
        } else {
            QCOMPARE(reply, "\0\5\0\4\0"_ba);
            QCOMPARE(m_log.at(1).status, -1105);
        }
        m_log.clear();
    }
    QCOMPARE(QFile::exists(path(u"b.bin"_s)), false);
}

void TestKxTFTPServer::oversizedRequestsAreRefused_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<bool>("served");
    QList<Tftp::Option> options;
    for (int i = 0; i < 32; ++i)
        options.append(Tftp::Option{"x" + QByteArray::number(i), "1"});
    QTest::newRow("32 options") << Rrq("a.bin", options) << true;
    options.append(Tftp::Option{"blksize", "1024"});
    QTest::newRow("33 options") << Rrq("a.bin", options) << false;
    const QByteArray fits = Rrq("a.bin", {{"x", QByteArray(512 - 17, 'v')}});
    QCOMPARE(fits.size(), 512);
    QTest::newRow("512 bytes") << fits << true;
    QTest::newRow("513 bytes") << Rrq("a.bin", {{"x", QByteArray(512 - 16, 'v')}}) << false;
    QList<Tftp::Option> flood;
    for (int i = 0; i < 16000; ++i)
        flood.append(Tftp::Option{"a", ""});
    QTest::newRow("16,000 options") << Rrq("a.bin", flood) << false;
}

void TestKxTFTPServer::oversizedRequestsAreRefused()
{
    QFETCH(QByteArray, request);
    QFETCH(bool, served);
    writeFile(u"a.bin"_s, 10);
    RawPeer peer;
    peer.send(request, m_port);
    const QByteArray reply = peer.receive();
    if (served) {
        QCOMPARE(Tftp::OpcodeOf(reply), Tftp::Data);
    } else {
        QCOMPARE(reply, "\0\5\0\0\0"_ba);
        QCOMPARE(peer.from, m_port);
        QCOMPARE(m_server->sessionCount(), 0);
    }
}

// GIVEN a session table filled by requests that are never followed up
// WHEN a real client asks
// THEN the oldest unanswered session makes room at once, and a transfer
//      whose client answers is never the one ended.
void TestKxTFTPServer::floodOfUnansweredRequestsLocksNobodyOut()
{
    const QByteArray content = writeFile(u"a.bin"_s, 1000);
    RawPeer busy;
    busy.send(Rrq("a.bin"), m_port);
    QCOMPARE(busy.receive(), Tftp::MakeData(1, content.first(512)));
    busy.send(Tftp::MakeAck(1), busy.from);
    QCOMPARE(busy.receive(), Tftp::MakeData(2, content.sliced(512)));

    // one socket, a request per file: no two are repeats; in bursts the
    // socket's receive buffer holds
    RawPeer attacker;
    for (int i = 0; i < 300; ++i) {
        const QByteArray name = "f" + QByteArray::number(i);
        writeFile(QString::fromLatin1(name), 10);
        attacker.send(Rrq(name), m_port);
        if (i % 50 == 49)
            QVERIFY(QTest::qWaitFor([&] { return m_server->record().sessionNumber == i + 1; }));
    }
    QCOMPARE(m_server->sessionCount(), KxTFTPServer::MaxSessions);

    RawPeer client;
    client.send(Rrq("a.bin"), m_port);
    QCOMPARE(client.receive(), Tftp::MakeData(1, content.first(512)));
    QCOMPARE(m_now, 0); // no time-out was needed
    busy.send(Tftp::MakeAck(2), busy.from);
    QTRY_VERIFY(statusesOf(0).contains(3));
}

void TestKxTFTPServer::duplicateAckSendsNothing()
{
    const QByteArray content = writeFile(u"a.bin"_s, 1500);
    RawPeer peer;
    peer.send(Rrq("a.bin"), m_port);
    QCOMPARE(peer.receive(), Tftp::MakeData(1, content.first(512)));
    peer.send(Tftp::MakeAck(1), peer.from);
    const QByteArray second = peer.receive();
    QCOMPARE(second, Tftp::MakeData(2, content.sliced(512, 512)));
    // A late copy of ACK 1 must not trigger a second DATA 2 (Sorcerer's Apprentice)
    peer.send(Tftp::MakeAck(1), peer.from);
    peer.send(Tftp::MakeAck(0), peer.from);
    QVERIFY(peer.staysQuiet());
    // only the deadline resends it: on this clock the round trip took no
    // time, so the shortest interval applies
    tickAfter(TftpRetransmission::MinInterval - 1);
    QVERIFY(peer.staysQuiet(50));
    tickAfter(1);
    QCOMPARE(peer.receive(), second);
    QCOMPARE(m_server->sessionCount(), 1);
}

void TestKxTFTPServer::vanishedClientTimesOutWhileOthersAreServed()
{
    const QByteArray content = writeFile(u"a.bin"_s, 700);
    RawPeer gone;
    gone.send(Rrq("a.bin"), m_port);
    const QByteArray first = gone.receive();
    QCOMPARE(first, Tftp::MakeData(1, content.first(512)));

    // no round trip measured: the 1 s time-out holds three sends (0, 250 and
    // 750 ms), then the session gives up
    tickAfter(250);
    QCOMPARE(gone.receive(), first);
    tickAfter(499);
    QVERIFY(gone.staysQuiet(50));
    tickAfter(1);
    QCOMPARE(gone.receive(), first);
    QCOMPARE(m_log.constLast().transmissions, 1); // resends do not report
    QCOMPARE(statusesOf(0), (QList<int>{1, 2}));
    tickAfter(250);
    QVERIFY(gone.staysQuiet());
    QCOMPARE(statusesOf(0), (QList<int>{1, 2, -1113, 0}));
    QCOMPARE(m_server->sessionCount(), 0);

    RawPeer other;
    other.send(Rrq("a.bin"), m_port);
    QCOMPARE(other.receive(), first);
    other.send(Tftp::MakeAck(1), other.from);
    QCOMPARE(other.receive(), Tftp::MakeData(2, content.sliced(512)));
    other.send(Tftp::MakeAck(2), other.from);
    QTRY_COMPARE(statusesOf(1), (QList<int>{1, 2, 2, 3, 0}));
}

void TestKxTFTPServer::writeReacknowledgesRepeatedBlock()
{
    const QByteArray content = RandomBytes(700);
    RawPeer peer;
    peer.send(Wrq("up.bin"), m_port);
    QCOMPARE(peer.receive(), Tftp::MakeAck(0));
    peer.send(Tftp::MakeData(1, content.first(512)), peer.from);
    QCOMPARE(peer.receive(), Tftp::MakeAck(1));
    // our ACK 1 "got lost": the client sends block 1 again
    peer.send(Tftp::MakeData(1, content.first(512)), peer.from);
    QCOMPARE(peer.receive(), Tftp::MakeAck(1));
    peer.send(Tftp::MakeData(3, content.first(10)), peer.from);
    QVERIFY(peer.staysQuiet());
    QVERIFY(!QFile::exists(path(u"up.bin"_s))); // nothing replaced before the end
    peer.send(Tftp::MakeData(2, content.sliced(512)), peer.from);
    QCOMPARE(peer.receive(), Tftp::MakeAck(2));
    QTRY_COMPARE(statusesOf(0), (QList<int>{1, 2, 2, 3, 0}));
    QFile file(path(u"up.bin"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content);
    // a write session whose ACK is lost resends it, then times out
    peer.send(Wrq("up2.bin"), m_port);
    QCOMPARE(peer.receive(), Tftp::MakeAck(0));
    tickAfter(250);
    QCOMPARE(peer.receive(), Tftp::MakeAck(0));
    tickAfter(500);
    QCOMPARE(peer.receive(), Tftp::MakeAck(0));
    tickAfter(250);
    QVERIFY(peer.staysQuiet());
    QCOMPARE(statusesOf(1), (QList<int>{1, 2, -1113, 0}));
    QVERIFY(!QFile::exists(path(u"up2.bin"_s)));
}

void TestKxTFTPServer::datagramsThatAreNoRequestsAreIgnored_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("1 byte") << "\0"_ba;
    QTest::newRow("2 bytes") << "\0\1"_ba;
    QTest::newRow("3 bytes") << "\0\1a"_ba;
    QTest::newRow("DATA") << Tftp::MakeData(1, "abc");
    QTest::newRow("ACK") << Tftp::MakeAck(0);
    QTest::newRow("ERROR") << Tftp::MakeError(0);
    QTest::newRow("OACK") << Tftp::MakeOack({{"blksize", "512"}});
    QTest::newRow("opcode 7") << Request(7, "a.bin");
    QTest::newRow("garbage") << RandomBytes(600).prepend("\xff\x13");
}

void TestKxTFTPServer::datagramsThatAreNoRequestsAreIgnored()
{
    QFETCH(QByteArray, datagram);
    writeFile(u"a.bin"_s, 10);
    RawPeer peer;
    peer.send(datagram, m_port);
    QVERIFY(peer.staysQuiet());
    QCOMPARE(m_server->sessionCount(), 0);
    QVERIFY(m_log.isEmpty());
    // and the server still serves
    peer.send(Rrq("a.bin"), m_port);
    QCOMPARE(Tftp::OpcodeOf(peer.receive()), Tftp::Data);
}

void TestKxTFTPServer::refusedNamesGetAccessViolation_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QString>("mustNotExist"); // relative to the root's parent

    const QString escape = u"escaped.bin"_s;
    QTest::newRow("read, name without zero") << "\0\1a.bin"_ba << QString();
    QTest::newRow("write, name without zero") << "\0\2new.bin"_ba << u"root/new.bin"_s;
    QTest::newRow("read, over-long") << Rrq(QByteArray(300, 'a')) << QString();
    QTest::newRow("write, over-long")
        << Wrq(QByteArray(256, 'b')) << u"root/"_s + QString(256, u'b');
    QTest::newRow("read, absolute") << Rrq("/etc/passwd") << QString();
    QTest::newRow("write, absolute") << Wrq("/tmp/rq5160-tftp-test-escape") << QString();
    QTest::newRow("read, parent") << Rrq("../a.bin") << QString();
    QTest::newRow("write, parent") << Wrq("../" + escape.toUtf8()) << escape;
    QTest::newRow("write, parent backslash") << Wrq("sub\\..\\..\\" + escape.toUtf8()) << escape;
    QTest::newRow("write, drive") << Wrq("C:\\" + escape.toUtf8()) << u"root/C:\\"_s + escape;
}

void TestKxTFTPServer::refusedNamesGetAccessViolation()
{
    QFETCH(QByteArray, request);
    QFETCH(QString, mustNotExist);
    writeFile(u"a.bin"_s, 10);
    RawPeer peer;
    peer.send(request, m_port);
    QCOMPARE(peer.receive(), "\0\5\0\2\0"_ba);
    QVERIFY(peer.staysQuiet());
    QCOMPARE(statusesOf(0).mid(0, 2), (QList<int>{1, -1103}));
    QVERIFY(!QFile::exists(u"/tmp/rq5160-tftp-test-escape"_s));
    if (!mustNotExist.isEmpty())
        QVERIFY(!QFile::exists(path(u"../"_s + mustNotExist)));
}

void TestKxTFTPServer::writeThatCannotCreateItsFile()
{
    RawPeer peer;
    peer.send(Wrq("no/such/folder/cfg.txt"), m_port);
    QCOMPARE(peer.receive(), "\0\5\0\2\0"_ba);
    QTRY_COMPARE(statusesOf(0), (QList<int>{1, -1103, 0}));
}

void TestKxTFTPServer::missingFileGetsFileNotFound()
{
    QVERIFY(QDir(m_root->path()).mkdir(u"folder"_s));
    RawPeer peer;
    peer.send(Rrq("none.bin"), m_port);
    QCOMPARE(peer.receive(), "\0\5\0\1\0"_ba);
    peer.send(Rrq("folder"), m_port);
    QCOMPARE(peer.receive(), "\0\5\0\1\0"_ba);
    QTRY_COMPARE(statusesOf(0), (QList<int>{1, -1102, 0}));
    QCOMPARE(statusesOf(1), (QList<int>{1, -1102, 0}));
}

void TestKxTFTPServer::foreignTransferIdGetsUnknownPort_data()
{
    QTest::addColumn<bool>("reading");
    QTest::newRow("read") << true;
    QTest::newRow("write") << false;
}

void TestKxTFTPServer::foreignTransferIdGetsUnknownPort()
{
    QFETCH(bool, reading);
    const QByteArray content = reading ? writeFile(u"a.bin"_s, 600) : RandomBytes(600);
    RawPeer peer;
    RawPeer intruder;
    peer.send(reading ? Rrq("a.bin") : Wrq("a.bin"), m_port);
    QCOMPARE(peer.receive(), reading ? Tftp::MakeData(1, content.first(512)) : Tftp::MakeAck(0));
    const QByteArray foreign = reading ? Tftp::MakeAck(1) : Tftp::MakeData(1, RandomBytes(512));
    intruder.send(foreign, peer.from);
    QCOMPARE(intruder.receive(), "\0\5\0\5\0"_ba);
    intruder.send(Tftp::MakeError(0), peer.from); // never answer an ERROR
    QVERIFY(intruder.staysQuiet());
    if (reading) {
        peer.send(Tftp::MakeAck(1), peer.from);
        QCOMPARE(peer.receive(), Tftp::MakeData(2, content.sliced(512)));
        peer.send(Tftp::MakeAck(2), peer.from);
    } else {
        peer.send(Tftp::MakeData(1, content.first(512)), peer.from);
        QCOMPARE(peer.receive(), Tftp::MakeAck(1));
        peer.send(Tftp::MakeData(2, content.sliced(512)), peer.from);
        QCOMPARE(peer.receive(), Tftp::MakeAck(2));
    }
    QTRY_COMPARE(statusesOf(0), (QList<int>{1, 2, 2, 3, 0}));
    QFile file(path(u"a.bin"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content);
}

void TestKxTFTPServer::failedWriteIsNeverComplete_data()
{
    QTest::addColumn<int>("limit");
    QTest::newRow("block written in part") << 4000;
    QTest::newRow("block not written") << 4096;
}

void TestKxTFTPServer::failedWriteIsNeverComplete()
{
    QFETCH(int, limit);
    // GIVEN an earlier file and a file size limit that the upload exceeds
    QFile old(path(u"cfg.txt"_s));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    const QByteArray content = RandomBytes(6000);
    rlimit saved{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    rlimit small = saved;
    small.rlim_cur = rlim_t(limit);
    std::signal(SIGXFSZ, SIG_IGN);
    QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);

    RawPeer peer;
    peer.send(Wrq("cfg.txt"), m_port);
    QByteArray reply = peer.receive();
    for (int block = 1; reply == Tftp::MakeAck(quint16(block - 1)); ++block) {
        peer.send(Tftp::MakeData(quint16(block), content.mid((block - 1) * 512, 512)), peer.from);
        reply = peer.receive();
    }
    setrlimit(RLIMIT_FSIZE, &saved);

    // THEN the client hears "disk full", the status is -1104 and the old file stays
    QCOMPARE(reply, "\0\5\0\3\0"_ba);
    QTRY_COMPARE(statusesOf(0).mid(statusesOf(0).size() - 2), (QList<int>{-1104, 0}));
    QVERIFY(!statusesOf(0).contains(3));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), "old"_ba);
    QCOMPARE(QDir(m_root->path()).entryList(QDir::Files), QStringList{u"cfg.txt"_s});
}

void TestKxTFTPServer::oversizedBlockEndsWrite()
{
    RawPeer peer;
    peer.send(Wrq("up.bin"), m_port);
    QCOMPARE(peer.receive(), Tftp::MakeAck(0));
    peer.send(Tftp::MakeData(1, RandomBytes(513)), peer.from);
    QCOMPARE(peer.receive(), "\0\5\0\4\0"_ba);
    QTRY_COMPARE(statusesOf(0), (QList<int>{1, 2, -1112, 0}));
    QVERIFY(!QFile::exists(path(u"up.bin"_s)));
}

void TestKxTFTPServer::optionsAreAcknowledged()
{
    const QByteArray content = writeFile(u"a.bin"_s, 100);
    RawPeer peer;
    // unknown options alone: the transfer starts as without options
    peer.send(Rrq("a.bin", {{"foo", "bar"}}), m_port);
    QCOMPARE(peer.receive(), Tftp::MakeData(1, content));
    // known ones get an OACK; ACK 0 starts the data
    RawPeer reader;
    reader.send(Rrq("a.bin", {{"blksize", "64"}, {"tsize", "0"}, {"foo", "1"}, {"timeout", "2"}}),
                m_port);
    QCOMPARE(reader.receive(),
             Tftp::MakeOack({{"blksize", "64"}, {"tsize", "100"}, {"timeout", "2"}}));
    tickAfter(1999); // the negotiated time-out replaces the server's
    QVERIFY(reader.staysQuiet(50));
    tickAfter(1);
    QCOMPARE(Tftp::OpcodeOf(reader.receive()), Tftp::Oack);
    reader.send(Tftp::MakeAck(0), reader.from);
    QCOMPARE(reader.receive(), Tftp::MakeData(1, content.first(64)));
    reader.send(Tftp::MakeAck(1), reader.from);
    QCOMPARE(reader.receive(), Tftp::MakeData(2, content.sliced(64)));
    reader.send(Tftp::MakeAck(2), reader.from);
    QTRY_COMPARE(statusesOf(1), (QList<int>{1, 2, 2, 2, 3, 0}));

    RawPeer writer;
    writer.send(Wrq("up.bin", {{"blksize", "16"}, {"tsize", "20"}}), m_port);
    QCOMPARE(writer.receive(), Tftp::MakeOack({{"blksize", "16"}, {"tsize", "20"}}));
    writer.send(Tftp::MakeData(1, content.first(16)), writer.from);
    QCOMPARE(writer.receive(), Tftp::MakeAck(1));
    writer.send(Tftp::MakeData(2, content.sliced(16, 4)), writer.from);
    QCOMPARE(writer.receive(), Tftp::MakeAck(2));
    QTRY_COMPARE(statusesOf(2), (QList<int>{1, 2, 2, 3, 0}));
}

void TestKxTFTPServer::windowRestartsAfterPartialAck()
{
    const QByteArray content = writeFile(u"a.bin"_s, 100);
    auto block = [&](int n) {
        return Tftp::MakeData(quint16(n), content.mid((n - 1) * 16, 16));
    };
    RawPeer peer;
    peer.send(Rrq("a.bin", {{"blksize", "16"}, {"windowsize", "3"}}), m_port);
    QCOMPARE(peer.receive(), Tftp::MakeOack({{"blksize", "16"}, {"windowsize", "3"}}));
    peer.send(Tftp::MakeAck(0), peer.from);
    for (int n = 1; n <= 3; ++n)
        QCOMPARE(peer.receive(), block(n));
    // block 3 went missing: ACK 2 makes the next window start at 3
    peer.send(Tftp::MakeAck(2), peer.from);
    for (int n = 3; n <= 5; ++n)
        QCOMPARE(peer.receive(), block(n));
    peer.send(Tftp::MakeAck(5), peer.from);
    QCOMPARE(peer.receive(), block(6));
    QCOMPARE(peer.receive(), block(7)); // 4 bytes: the end
    QVERIFY(peer.staysQuiet());
    peer.send(Tftp::MakeAck(7), peer.from);
    QTRY_COMPARE(statusesOf(0).constLast(), 0);
    QCOMPARE(statusesOf(0).at(statusesOf(0).size() - 2), 3);

    // the write side acknowledges once per window
    RawPeer writer;
    writer.send(Wrq("up.bin", {{"blksize", "16"}, {"windowsize", "2"}}), m_port);
    QCOMPARE(Tftp::OpcodeOf(writer.receive()), Tftp::Oack);
    writer.send(block(1), writer.from);
    QVERIFY(writer.staysQuiet(50));
    writer.send(block(2), writer.from);
    QCOMPARE(writer.receive(), Tftp::MakeAck(2));
    writer.send(block(4), writer.from); // block 3 lost
    QCOMPARE(writer.receive(), Tftp::MakeAck(2));
    for (int n = 3; n <= 7; ++n)
        writer.send(block(n), writer.from);
    QCOMPARE(writer.receive(), Tftp::MakeAck(4));
    QCOMPARE(writer.receive(), Tftp::MakeAck(6));
    QCOMPARE(writer.receive(), Tftp::MakeAck(7));
    QTRY_COMPARE(statusesOf(1).constLast(), 0);
    QFile file(path(u"up.bin"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content);
}

void TestKxTFTPServer::clientErrorEndsSession_data()
{
    QTest::addColumn<bool>("withOptions");
    QTest::addColumn<int>("errorCode");
    QTest::addColumn<int>("status");
    QTest::newRow("options refused") << true << 8 << -1101;
    QTest::newRow("disk full on the switch") << false << 3 << -1104;
}

void TestKxTFTPServer::clientErrorEndsSession()
{
    QFETCH(bool, withOptions);
    QFETCH(int, errorCode);
    writeFile(u"a.bin"_s, 2000);
    RawPeer peer;
    peer.send(withOptions ? Rrq("a.bin", {{"blksize", "1024"}}) : Rrq("a.bin"), m_port);
    QCOMPARE(Tftp::OpcodeOf(peer.receive()), withOptions ? Tftp::Oack : Tftp::Data);
    peer.send(Tftp::MakeError(quint16(errorCode)), peer.from);
    QTRY_COMPARE(m_server->sessionCount(), 0);
    QFETCH(int, status);
    QCOMPARE(statusesOf(0), (QList<int>{1, 2, status, 0}));
    tickAfter(5000);
    QVERIFY(peer.staysQuiet());
}

void TestKxTFTPServer::cancelFlagEndsTransfer()
{
    writeFile(u"a.bin"_s, 2000);
    m_server->SetHandler([this](const KxTFTPMsg &msg, bool &cancel) {
        m_log.append(msg);
        cancel = msg.transferred >= 1024;
    });
    RawPeer peer;
    peer.send(Rrq("a.bin"), m_port);
    peer.receive();
    peer.send(Tftp::MakeAck(1), peer.from);
    peer.receive();
    peer.send(Tftp::MakeAck(2), peer.from);
    QVERIFY(peer.staysQuiet());
    QTRY_COMPARE(statusesOf(0), (QList<int>{1, 2, 2, -1114, 0}));
}

void TestKxTFTPServer::manyRequestsAtOnce()
{
    const QByteArray content = writeFile(u"a.bin"_s, 1000);
    std::vector<std::unique_ptr<RawPeer>> peers;
    for (int i = 0; i < 200; ++i) {
        peers.push_back(std::make_unique<RawPeer>());
        peers.back()->send(Rrq("a.bin"), m_port);
    }
    QSet<quint16> ports;
    for (const auto &peer : peers) {
        QCOMPARE(peer->receive(), Tftp::MakeData(1, content.first(512)));
        ports.insert(peer->from);
    }
    QCOMPARE(ports.size(), 200);
    QCOMPARE(m_server->sessionCount(), 200);
    for (const auto &peer : peers) {
        peer->send(Tftp::MakeAck(1), peer->from);
        QCOMPARE(peer->receive(), Tftp::MakeData(2, content.sliced(512)));
        peer->send(Tftp::MakeAck(2), peer->from);
    }
    QTRY_COMPARE(m_server->sessionCount(), 0);
    const auto completed = std::count_if(
        m_log.cbegin(), m_log.cend(), [](const KxTFTPMsg &m) { return m.status == 3; });
    QCOMPARE(completed, 200);
}

void TestKxTFTPServer::allowedExactPathOutsideRoot()
{
    // the file the user applied lies outside the root folder
    QTemporaryDir elsewhere(QDir::current().filePath(u"elsewhere-XXXXXX"_s));
    const QString chosen = elsewhere.filePath(u"fw.bin"_s);
    const QString other = elsewhere.filePath(u"other.bin"_s);
    for (const QString &name : {chosen, other}) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("image") == 5);
    }
    m_server->allowPath(chosen, KxTFTPOperation::Read);
    RawPeer peer;
    peer.send(Rrq(chosen.toUtf8()), m_port);
    QCOMPARE(peer.receive(), Tftp::MakeData(1, "image"));
    peer.send(Rrq(other.toUtf8()), m_port);
    QCOMPARE(peer.receive(), "\0\5\0\2\0"_ba);
    peer.send(Wrq(chosen.toUtf8()), m_port);
    QCOMPARE(peer.receive(), "\0\5\0\2\0"_ba);
}

void TestKxTFTPServer::busyPortRaisesSocketError()
{
    KxTFTPServer second;
    try {
        second.Start(QString(), m_port);
        QFAIL("a second server started on a busy port");
    } catch (const KxException &e) {
        QCOMPARE(e.helpContext(), -1109);
        QCOMPARE(e.message(),
                 u"(KxTFTP) Fail to open socket!Please check if the network is ready."_s);
    }
    QVERIFY(!second.isStarted());
}

void TestKxTFTPServer::defaultPortFromEnvironment()
{
    qputenv("RQ5160_TFTP_PORT", "16969");
    QCOMPARE(KxTFTPServer::DefaultPort(), 16969);
    qputenv("RQ5160_TFTP_PORT", "tftp");
    QCOMPARE(KxTFTPServer::DefaultPort(), 69);
    qunsetenv("RQ5160_TFTP_PORT");
    QCOMPARE(KxTFTPServer::DefaultPort(), 69);
}

void TestKxTFTPServer::stopEndsStalledSessions()
{
    writeFile(u"a.bin"_s, 2000);
    m_server->SetTimeouts(1000000, 3);
    RawPeer peer;
    peer.send(Rrq("a.bin"), m_port);
    QCOMPARE(Tftp::OpcodeOf(peer.receive()), Tftp::Data);
    // the stalled client never answers; Stop waits its 10 s on the test clock
    m_server->setClock([this] { return m_now += 500; });
    m_server->Stop();
    QCOMPARE(m_server->sessionCount(), 0);
    QCOMPARE(statusesOf(0), (QList<int>{1, 2, -1114, 0}));
    QVERIFY(!m_server->isStarted());
    peer.drain(); // what the session resent while Stop waited
    peer.send(Rrq("a.bin"), m_port);
    QVERIFY(peer.staysQuiet());
    m_server->Start(m_root->path(), m_port);
    peer.send(Rrq("a.bin"), m_port);
    QCOMPARE(Tftp::OpcodeOf(peer.receive()), Tftp::Data);
}

QTEST_GUILESS_MAIN(TestKxTFTPServer)
#include "tst_kxtftpserver.moc"
