#include "files/kxtftpserver.h"

#include "files/tftppacket.h"
#include "snmp/kxexception.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QUdpSocket>

using namespace Qt::StringLiterals;

namespace {

constexpr int TickInterval = 20;
constexpr int StopWait = 10000;

// The first IPv4 address of this PC other than loopback.
QString FirstLocalAddress()
{
    const QList<QHostAddress> addresses = QNetworkInterface::allAddresses();
    for (const QHostAddress &address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
            return address.toString();
    }
    return u"127.0.0.1"_s;
}

// The address this PC sends from towards the peer, as the routing table
// chooses it: the local end of a connected UDP socket, which sends nothing.
QHostAddress LocalAddressTowards(const QHostAddress &peer)
{
    QUdpSocket probe;
    probe.connectToHost(peer, 9);
    if (!probe.waitForConnected(0))
        return {};
    return probe.localAddress();
}

// This PC's address as the switch reaches it, of the switch's family; the
// first IPv4 address when the switch is unknown or unreachable.
QString LocalAddressFor(const QHostAddress &switchAddress)
{
    const QHostAddress local
        = switchAddress.isNull() ? QHostAddress() : LocalAddressTowards(switchAddress);
    return local.isNull() ? FirstLocalAddress() : local.toString();
}

KxTFTPClock MonotonicClock()
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] {
        return timer->elapsed();
    };
}

} // namespace

KxTFTPServer::KxTFTPServer(QObject *parent)
    : QObject(parent)
    , m_clock(MonotonicClock())
{
    m_record.serverAddress = FirstLocalAddress();
    m_timer.setInterval(TickInterval);
    connect(&m_timer, &QTimer::timeout, this, &KxTFTPServer::timerTick);
}

KxTFTPServer::~KxTFTPServer()
{
    Stop();
}

int KxTFTPServer::DefaultPort()
{
    bool ok = false;
    const int port = qEnvironmentVariableIntValue("RQ5160_TFTP_PORT", &ok);
    return ok && port >= 0 && port <= 65535 ? port : 69;
}

void KxTFTPServer::SetTimeouts(int timeout, int retries)
{
    m_record.timeout = timeout;
    m_retries = retries;
}

void KxTFTPServer::SetHandler(KxTFTPHandler handler, QObject *receiver)
{
    m_handler = std::move(handler);
    m_receiver = receiver;
    m_hasReceiver = receiver != nullptr;
}

void KxTFTPServer::Start(const QString &rootFolder, int port, const QHostAddress &switchAddress)
{
    m_names.setRootFolder(rootFolder);
    if (m_socket)
        return;
    m_record.serverPort = port;
    m_record.serverAddress = LocalAddressFor(switchAddress);
    m_socket = listen(QHostAddress::AnyIPv4, port);
    // The IPv6 socket takes the port the IPv4 one got: the switch is told one port.
    if (m_socket && switchAddress.protocol() == QAbstractSocket::IPv6Protocol)
        m_socket6 = listen(QHostAddress::AnyIPv6, m_socket->localPort());
    if (!m_socket || (switchAddress.protocol() == QAbstractSocket::IPv6Protocol && !m_socket6)) {
        Stop();
        throw KxException(KxTFTPStatus::SocketOpenFailed,
                          KxTFTPStatusText(KxTFTPStatus::SocketOpenFailed));
    }
    m_record.serverPort = m_socket->localPort();
    m_timer.start();
}

// A listening socket, or null (logged) when it cannot be bound. No address
// sharing: a second server on the port must fail here rather than split the
// requests with the first.
QUdpSocket *KxTFTPServer::listen(const QHostAddress &address, int port)
{
    auto *socket = new QUdpSocket(this);
    if (!socket->bind(address, quint16(port), QUdpSocket::DontShareAddress)) {
        qCWarning(lcTftp) << "cannot listen on" << address << "port" << port
                          << socket->errorString();
        delete socket;
        return nullptr;
    }
    connect(socket, &QUdpSocket::readyRead, this, [this, socket] { readRequests(socket); });
    return socket;
}

void KxTFTPServer::Stop()
{
    for (QUdpSocket **socket : {&m_socket, &m_socket6}) {
        if (!*socket)
            continue;
        (*socket)->disconnect(this);
        (*socket)->close();
        (*socket)->deleteLater();
        *socket = nullptr;
    }
    const QDeadlineTimer wait(StopWait);
    const qint64 start = m_clock();
    while (!m_sessions.isEmpty() && !wait.hasExpired() && m_clock() - start < StopWait) {
        if (!m_timer.isActive())
            m_timer.start();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    m_timer.stop();
    for (TFTPSession *session : std::as_const(m_sessions))
        session->abort(KxTFTPStatus::Canceled);
    while (!m_sessions.isEmpty())
        removeSession(m_sessions.constFirst());
}

void KxTFTPServer::allowPath(const QString &path, int operation)
{
    m_names.allowPath(path, operation);
}

void KxTFTPServer::clearAllowedPaths()
{
    m_names.clearAllowedPaths();
}

quint16 KxTFTPServer::port() const
{
    return m_socket ? m_socket->localPort() : 0;
}

void KxTFTPServer::setClock(KxTFTPClock clock)
{
    m_clock = std::move(clock);
}

void KxTFTPServer::readRequests(QUdpSocket *socket)
{
    // A handler may stop the server, which closes the socket.
    while ((socket == m_socket || socket == m_socket6) && socket->hasPendingDatagrams())
        handleRequest(socket, socket->receiveDatagram());
}

void KxTFTPServer::handleRequest(QUdpSocket *socket, const QNetworkDatagram &datagram)
{
    const QByteArray data = datagram.data();
    if (data.size() < Tftp::HeaderSize)
        return;
    m_record.status = KxTFTPStatus::Connected;
    m_record.statusText = KxTFTPStatusText(KxTFTPStatus::Connected);
    std::optional<Tftp::Request> request = Tftp::ParseRequest(data);
    if (!request)
        return;
    if (data.size() > Tftp::MaxRequestSize || request->tooManyOptions) {
        qCWarning(lcTftp) << "refused an oversized request from" << datagram.senderAddress();
        socket->writeDatagram(
            Tftp::MakeError(Tftp::NotDefined), datagram.senderAddress(), datagram.senderPort());
        return;
    }
    const int operation
        = request->opcode == Tftp::Rrq ? KxTFTPOperation::Read : KxTFTPOperation::Write;
    m_record.operation = operation;
    m_record.fileName = QString::fromUtf8(request->fileName);
    m_record.mode = QString::fromUtf8(request->mode);
    m_record.clientAddress = datagram.senderAddress().toString();
    m_record.clientPort = datagram.senderPort();
    if (TFTPSession *running = findRepeated(m_record)) {
        running->repeatRequested();
        return;
    }
    if (activeSessions() >= MaxSessions && !makeRoom()) {
        qCWarning(lcTftp) << "too many transfers: request from" << m_record.clientAddress
                          << "left for later";
        return;
    }
    m_record.transmissions = 0;
    ++m_record.sessionNumber;

    TFTPSessionSetup setup;
    setup.record = m_record;
    setup.clientAddress = datagram.senderAddress();
    setup.clientPort = quint16(datagram.senderPort());
    setup.localAddress = datagram.destinationAddress();
    if (request->fileNameTerminated)
        setup.localPath = m_names.resolve(request->fileName, operation);
    setup.request = std::move(*request);
    setup.receiver = m_receiver;
    setup.hasReceiver = m_hasReceiver;
    setup.handler = m_handler;
    setup.clock = m_clock;
    setup.retryLimit = m_retries;
    auto *session = new TFTPSession(std::move(setup), this);
    m_sessions.append(session);
    session->start();
}

TFTPSession *KxTFTPServer::findRepeated(const KxTFTPMsg &request) const
{
    const auto found
        = std::find_if(m_sessions.cbegin(), m_sessions.cend(), [&](const TFTPSession *session) {
              const KxTFTPMsg &running = session->record();
              return running.operation == request.operation && running.mode == request.mode
                     && running.clientAddress == request.clientAddress
                     && running.clientPort == request.clientPort
                     && running.fileName == request.fileName;
          });
    return found == m_sessions.cend() ? nullptr : *found;
}

// Ends the oldest session whose client has never answered: requests that are
// never followed up must not lock real clients out.
bool KxTFTPServer::makeRoom()
{
    const auto found
        = std::find_if(m_sessions.cbegin(), m_sessions.cend(), [](const TFTPSession *session) {
              return session->isActive() && !session->hasBeenAnswered();
          });
    if (found == m_sessions.cend())
        return false;
    TFTPSession *oldest = *found;
    qCInfo(lcTftp) << "table full: ended the unanswered transfer to"
                   << oldest->record().clientAddress;
    oldest->abort(KxTFTPStatus::Timeout);
    removeSession(oldest);
    return true;
}

int KxTFTPServer::activeSessions() const
{
    return int(std::count_if(m_sessions.cbegin(), m_sessions.cend(), [](const TFTPSession *s) {
        return s->isActive();
    }));
}

// Ended sessions leave the list; sessions whose deadline passed resend or
// time out.
void KxTFTPServer::timerTick()
{
    const qint64 now = m_clock();
    const QList<TFTPSession *> sessions = m_sessions;
    for (TFTPSession *session : sessions) {
        if (session->isActive() && session->deadlinePassed(now))
            session->expire();
        // the handler may have stopped the server meanwhile
        if (!session->isActive() && m_sessions.contains(session))
            removeSession(session);
    }
}

void KxTFTPServer::removeSession(TFTPSession *session)
{
    m_sessions.removeOne(session);
    session->close();
    session->deleteLater();
}
