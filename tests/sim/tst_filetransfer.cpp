// File transfers started through SNMP reach a real TFTP server (tftpd-hpa in
// the foreground on a loopback port).
#include "simulator.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString FileEntry = u"1.3.6.1.4.1.88508.12.1.2.1.1"_s;
const QString TransferStatus = u"1.3.6.1.4.1.88508.12.1.1.5.0"_s;
const QStringList WriteV2c{u"-v2c"_s, u"-c"_s, u"granite"_s};

// A loopback UDP port that nothing listens on at this moment.
quint16 FreeUdpPort()
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address));
    getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

QString UserName()
{
    const passwd *user = getpwuid(getuid());
    return user ? QString::fromLocal8Bit(user->pw_name) : QString();
}

// Whether a TFTP server answers on the port within the time: a request for
// a file that does not exist, sent again until an ERROR comes back.
bool TftpServerAnswers(quint16 port, int timeoutMs)
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    server.sin_port = htons(port);
    const timeval wait{0, 50000};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof(wait));
    static const char request[] = "\0\1no-such-file\0octet";
    const QDeadlineTimer deadline(timeoutMs);
    bool answered = false;
    while (!answered && !deadline.hasExpired()) {
        sendto(
            fd, request, sizeof(request), 0, reinterpret_cast<sockaddr *>(&server), sizeof(server));
        char reply[516];
        answered = recv(fd, reply, sizeof(reply), 0) >= 4;
    }
    close(fd);
    return answered;
}

} // namespace

class TestFileTransfer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        QFile::setPermissions(m_root.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                  | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                  | QFileDevice::WriteOther | QFileDevice::ExeOther);
        m_tftpPort = FreeUdpPort();
        m_server.start(u"in.tftpd"_s,
                       {u"-L"_s,
                        u"-a"_s,
                        u"127.0.0.1:%1"_s.arg(m_tftpPort),
                        u"-s"_s,
                        u"-c"_s,
                        u"-p"_s,
                        u"-u"_s,
                        UserName(),
                        m_root.path()});
        QVERIFY2(m_server.waitForStarted(), qPrintable(m_server.errorString()));
        QVERIFY(TftpServerAnswers(m_tftpPort, 5000));
        m_switch = std::make_unique<SimulatedSwitch>(
            SimulatedSwitch::Options{{}, {}, -1, m_tftpPort, 200});
        QVERIFY(m_switch->start());
    }

    void cleanupTestCase()
    {
        m_switch.reset();
        m_server.terminate();
        m_server.waitForFinished();
    }

    void downloadsAFirmwareImage()
    {
        QByteArray image;
        for (int i = 0; i < 1300; ++i)
            image += char(i % 251);
        writeFile(u"image.had"_s, image);            // three blocks, the last one short
        QCOMPARE(transfer(1, 3, u"image.had"_s), 7); // complete
    }

    void missingFileEndsWithFileNotFound() { QCOMPARE(transfer(3, 3, u"missing.cfg"_s), 5); }

    void uploadsTheConfiguration()
    {
        QCOMPARE(transfer(3, 2, u"switch.cfg"_s), 7);
        QFile file(m_root.filePath(u"switch.cfg"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(text.startsWith("# RQ5160 configuration\n"), text.constData());
        QVERIFY(text.contains("sysName = \"RQ5160-Lab\""));
    }

    void silentServerEndsWithTimeOut()
    {
        SimulatedSwitch lonely(SimulatedSwitch::Options{{}, {}, -1, FreeUdpPort(), 50});
        QVERIFY(lonely.start());
        QCOMPARE(transfer(lonely, 1, 3, u"image.had"_s), 8);
    }

private:
    void writeFile(const QString &name, const QByteArray &content)
    {
        QFile file(m_root.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                            | QFileDevice::ReadOther);
    }

    int transfer(int row, int loadType, const QString &file)
    {
        return transfer(*m_switch, row, loadType, file);
    }

    // Starts the row's transfer with one SET and returns the status it ends with.
    static int transfer(const SimulatedSwitch &device, int row, int loadType, const QString &file)
    {
        const QString index = u".%1"_s.arg(row);
        const auto set = device.runTool(u"snmpset"_s,
                                        WriteV2c
                                            + QStringList{FileEntry + u".3"_s + index,
                                                          u"a"_s,
                                                          u"127.0.0.1"_s,
                                                          FileEntry + u".5"_s + index,
                                                          u"s"_s,
                                                          file,
                                                          FileEntry + u".7"_s + index,
                                                          u"i"_s,
                                                          QString::number(loadType),
                                                          FileEntry + u".8"_s + index,
                                                          u"i"_s,
                                                          u"3"_s});
        if (set.exitCode != 0) {
            qWarning("%s", qPrintable(set.err));
            return -1;
        }
        const QDeadlineTimer deadline(10000);
        int status = 2;
        while (status == 2 && !deadline.hasExpired()) {
            const auto get = device.runTool(
                u"snmpget"_s, {u"-v2c"_s, u"-c"_s, u"tundra"_s, u"-Oqv"_s, TransferStatus});
            status = get.out.trimmed().toInt();
            if (status == 2)
                QThread::msleep(20);
        }
        return status;
    }

    QTemporaryDir m_root;
    QProcess m_server;
    quint16 m_tftpPort = 0;
    std::unique_ptr<SimulatedSwitch> m_switch;
};

QTEST_GUILESS_MAIN(TestFileTransfer)
#include "tst_filetransfer.moc"
