#include "files/kxtftpserver.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

enum class Direction { Download, Upload };

// How one real TFTP client is called to get or put a file.
struct Client
{
    QString program;
    QStringList options;
    QString host = u"127.0.0.1"_s;
};

QStringList ClientArguments(const Client &client,
                            Direction direction,
                            quint16 port,
                            const QString &remote,
                            const QString &local)
{
    const QString portText = QString::number(port);
    const bool download = direction == Direction::Download;
    if (client.program == u"curl") {
        const QString host = client.host.contains(u':') ? u'[' + client.host + u']' : client.host;
        const QString url = u"tftp://%1:%2/%3"_s.arg(host, portText, remote);
        return QStringList{u"-sS"_s, u"--max-time"_s, u"60"_s} + client.options
               + QStringList{download ? u"-o"_s : u"-T"_s, local, url};
    }
    if (client.program == u"tftp") {
        const QString command
            = download ? u"get %1 %2"_s.arg(remote, local) : u"put %1 %2"_s.arg(local, remote);
        return QStringList{u"-m"_s, u"binary"_s, client.host, portText, u"-c"_s}
               + command.split(u' ');
    }
    return client.options
           + QStringList{download ? u"-g"_s : u"-p"_s,
                         u"-r"_s,
                         remote,
                         u"-l"_s,
                         local,
                         client.host,
                         portText};
}

QByteArray RandomBytes(qsizetype size)
{
    QList<quint32> words((size + 3) / 4);
    QRandomGenerator::global()->fillRange(words.data(), words.size());
    return QByteArray(reinterpret_cast<const char *>(words.constData()), size);
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "(missing)"_ba;
}

} // namespace

Q_DECLARE_METATYPE(Client)
Q_DECLARE_METATYPE(Direction)

// Real clients (curl, tftp-hpa, atftp) against the server on a loopback port:
// what arrives must be byte-identical, and the session must report success.
class TestTftpClients : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void transfersArriveIdentical_data();
    void transfersArriveIdentical();
    void blockNumbersRollOver_data();
    void blockNumbersRollOver();
    void bothFamiliesForAnIpv6Switch_data();
    void bothFamiliesForAnIpv6Switch();

private:
    void transfer(const Client &client, Direction direction, const QByteArray &content);

    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<QTemporaryDir> m_local;
    std::unique_ptr<KxTFTPServer> m_server;
    QList<int> m_statuses;
};

void TestTftpClients::init()
{
    m_root = std::make_unique<QTemporaryDir>(QDir::current().filePath(u"root-XXXXXX"_s));
    m_local = std::make_unique<QTemporaryDir>(QDir::current().filePath(u"local-XXXXXX"_s));
    QVERIFY(m_root->isValid() && m_local->isValid());
    m_statuses.clear();
    m_server = std::make_unique<KxTFTPServer>();
    m_server->SetHandler([this](const KxTFTPMsg &msg, bool &) {
        if (msg.status != KxTFTPStatus::Transferring)
            m_statuses.append(msg.status);
    });
    m_server->Start(m_root->path(), 0);
}

void TestTftpClients::cleanup()
{
    m_server.reset();
    m_root.reset();
    m_local.reset();
}

void TestTftpClients::transfer(const Client &client, Direction direction, const QByteArray &content)
{
    QVERIFY2(!QStandardPaths::findExecutable(client.program).isEmpty(),
             qPrintable(client.program + u" is missing: run scripts/install-deps"_s));
    const bool download = direction == Direction::Download;
    const QString remote = u"image.bin"_s;
    const QString served = m_root->filePath(remote);
    const QString local = m_local->filePath(u"copy.bin"_s);
    QFile source(download ? served : local);
    QVERIFY(source.open(QIODevice::WriteOnly) && source.write(content) == content.size());
    source.close();

    // A real event loop: QTest::qWait sleeps between its rounds, which would
    // hold every lock-step block back by milliseconds.
    QProcess process;
    QEventLoop loop;
    QTimer::singleShot(90000, &loop, &QEventLoop::quit);
    connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(client.program,
                  ClientArguments(client, direction, m_server->port(), remote, local));
    loop.exec();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        QFAIL("the client did not end");
    }
    const QByteArray output = process.readAll();
    QVERIFY2(ReadAll(download ? local : served) == content, output.constData());
    QTRY_COMPARE(m_server->sessionCount(), 0);
    QCOMPARE(m_statuses, (QList<int>{1, 3, 0}));
}

void TestTftpClients::transfersArriveIdentical_data()
{
    QTest::addColumn<Client>("client");
    QTest::addColumn<Direction>("direction");
    QTest::addColumn<int>("size");

    const QList<std::pair<const char *, Client>> clients = {
        {"curl", {u"curl"_s, {}}},
        {"curl without options", {u"curl"_s, {u"--tftp-no-options"_s}}},
        {"curl blksize 1428", {u"curl"_s, {u"--tftp-blksize"_s, u"1428"_s}}},
        {"tftp-hpa", {u"tftp"_s, {}}},
        {"atftp", {u"atftp"_s, {}}},
        {"atftp blksize 1024 windowsize 4",
         {u"atftp"_s, {u"--option"_s, u"blksize 1024"_s, u"--option"_s, u"windowsize 4"_s}}},
    };
    const QList<std::pair<const char *, Direction>> directions
        = {{"download", Direction::Download}, {"upload", Direction::Upload}};
    for (const auto &[clientName, client] : clients) {
        for (const auto &[directionName, direction] : directions) {
            for (const int size : {0, 511, 512, 1024, 3 * 1024 * 1024}) {
                QTest::addRow("%s, %s, %d bytes", clientName, directionName, size)
                    << client << direction << size;
            }
        }
    }
}

void TestTftpClients::transfersArriveIdentical()
{
    QFETCH(Client, client);
    QFETCH(Direction, direction);
    QFETCH(int, size);
    transfer(client, direction, RandomBytes(size));
}

void TestTftpClients::blockNumbersRollOver_data()
{
    QTest::addColumn<Client>("client");
    QTest::addColumn<Direction>("direction");
    QTest::newRow("curl download") << Client{u"curl"_s, {}} << Direction::Download;
    QTest::newRow("tftp-hpa upload") << Client{u"tftp"_s, {}} << Direction::Upload;
}

// 40 MB in 512-byte blocks are 81920 blocks: the block number passes 65535.
void TestTftpClients::blockNumbersRollOver()
{
    QFETCH(Client, client);
    QFETCH(Direction, direction);
    transfer(client, direction, RandomBytes(40 * 1024 * 1024));
}

void TestTftpClients::bothFamiliesForAnIpv6Switch_data()
{
    QTest::addColumn<Client>("client");
    QTest::addColumn<Direction>("direction");
    QTest::newRow("curl over IPv6, download")
        << Client{u"curl"_s, {}, u"::1"_s} << Direction::Download;
    QTest::newRow("curl over IPv6, upload") << Client{u"curl"_s, {}, u"::1"_s} << Direction::Upload;
    QTest::newRow("tftp-hpa over IPv4, upload") << Client{u"tftp"_s, {}} << Direction::Upload;
}

// For a switch managed over IPv6 the server listens on both families at one
// port and names this PC's IPv6 address as its own.
void TestTftpClients::bothFamiliesForAnIpv6Switch()
{
    QUdpSocket probe;
    if (!probe.bind(QHostAddress::LocalHostIPv6, 0))
        QSKIP("this machine has no IPv6 loopback address (::1)");
    QVERIFY(!m_server->listensOnIpv6());
    QVERIFY(m_server->record().serverAddress != u"::1"_s);
    m_server->Stop();
    m_server->Start(m_root->path(), 0, QHostAddress::LocalHostIPv6);
    QVERIFY(m_server->listensOnIpv6());
    QCOMPARE(m_server->record().serverAddress, u"::1"_s);

    QFETCH(Client, client);
    QFETCH(Direction, direction);
    transfer(client, direction, RandomBytes(3000));
}

QTEST_GUILESS_MAIN(TestTftpClients)
#include "tst_tftpclients.moc"
