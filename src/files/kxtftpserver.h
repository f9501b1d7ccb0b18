#pragma once

#include "files/kxtftpmsg.h"
#include "files/tftpnamepolicy.h"
#include "files/tftpsession.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QNetworkDatagram;
class QUdpSocket;

// The module's own TFTP server: listens for read and write requests and runs
// each in a TFTPSession on a fresh port. Everything runs on the GUI thread:
// datagrams arrive through readyRead and a 20 ms timer scans the sessions for
// passed deadlines.
class KxTFTPServer final : public QObject
{
    Q_OBJECT

public:
    // Sessions beyond this many are not started unless one whose client never
    // answered can be ended; otherwise the client tries again later.
    static constexpr int MaxSessions = 256;

    explicit KxTFTPServer(QObject *parent = nullptr);
    ~KxTFTPServer() override;

    // The port RQ5160_TFTP_PORT names, else 69.
    static int DefaultPort();

    // Time-out in hundredths of a second; how often a DATA block is sent.
    void SetTimeouts(int timeout, int retries);
    void SetHandler(KxTFTPHandler handler, QObject *receiver = nullptr);
    // Listens on all local IPv4 addresses at the port (0: any free port),
    // and on all IPv6 addresses at the same port as well when the switch's
    // address is IPv6. The record's server address becomes this PC's address
    // towards the switch. Raises KxException -1109 when a socket cannot be
    // opened.
    void Start(const QString &rootFolder, int port, const QHostAddress &switchAddress = {});
    // Closes the listening socket and gives running sessions up to 10 s to
    // end; those still running then are canceled.
    void Stop();

    // Serves `path` exactly as requested, for that operation only.
    void allowPath(const QString &path, int operation);
    void clearAllowedPaths();

    bool isStarted() const { return m_socket != nullptr; }
    bool listensOnIpv6() const { return m_socket6 != nullptr; }
    quint16 port() const;
    const KxTFTPMsg &record() const { return m_record; }
    int sessionCount() const { return int(m_sessions.size()); }

    // Replaces the monotonic millisecond clock the deadlines are taken from.
    void setClock(KxTFTPClock clock);
    // The time-out scan the timer runs every 20 ms.
    void timerTick();

private:
    QUdpSocket *listen(const QHostAddress &address, int port);
    void readRequests(QUdpSocket *socket);
    void handleRequest(QUdpSocket *socket, const QNetworkDatagram &datagram);
    TFTPSession *findRepeated(const KxTFTPMsg &request) const;
    bool makeRoom();
    int activeSessions() const;
    void removeSession(TFTPSession *session);

    KxTFTPMsg m_record;
    int m_retries = 3;
    TftpNamePolicy m_names;
    QUdpSocket *m_socket = nullptr;
    QUdpSocket *m_socket6 = nullptr;
    QList<TFTPSession *> m_sessions;
    QTimer m_timer;
    KxTFTPHandler m_handler;
    QPointer<QObject> m_receiver;
    bool m_hasReceiver = false;
    KxTFTPClock m_clock;
};
