#include "files/tftpsession.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUdpSocket>

Q_LOGGING_CATEGORY(lcTftp, "rq5160.tftp")

namespace {

// Room for the largest DATA packet plus one byte, so that an oversized block
// shows as such instead of being cut to size.
int ReceiveBufferSize(int blockSize)
{
    return qMax(2048, Tftp::HeaderSize + blockSize + 1);
}

} // namespace

TFTPSession::TFTPSession(TFTPSessionSetup setup, QObject *parent)
    : QObject(parent)
    , m_record(std::move(setup.record))
    , m_request(std::move(setup.request))
    , m_peer(setup.clientAddress)
    , m_peerPort(setup.clientPort)
    , m_localPath(std::move(setup.localPath))
    , m_receiver(setup.receiver)
    , m_hasReceiver(setup.hasReceiver)
    , m_handler(std::move(setup.handler))
    , m_clock(std::move(setup.clock))
    , m_retryLimit(setup.retryLimit)
    , m_receiveBuffer(ReceiveBufferSize(Tftp::DefaultBlockSize), Qt::Uninitialized)
{
    takeStatus(KxTFTPStatus::Connected);
    if (!openSocket(setup.localAddress))
        takeStatus(KxTFTPStatus::SocketOpenFailed);
}

TFTPSession::~TFTPSession()
{
    closeFile(false);
}

// Binds to the address the request was sent to, so that replies come from the
// address the client talks to; any address of the client's family when that
// is not possible.
bool TFTPSession::openSocket(const QHostAddress &address)
{
    m_socket = new QUdpSocket(this);
    const bool unicast = !address.isNull() && !address.isMulticast()
                         && address != QHostAddress(QHostAddress::Broadcast);
    const QHostAddress any = m_peer.protocol() == QAbstractSocket::IPv6Protocol
                                 ? QHostAddress::AnyIPv6
                                 : QHostAddress::AnyIPv4;
    if (!(unicast && m_socket->bind(address, 0)) && !m_socket->bind(any, 0)) {
        qCWarning(lcTftp) << "cannot open a session socket:" << m_socket->errorString();
        return false;
    }
    connect(m_socket, &QUdpSocket::readyRead, this, &TFTPSession::readDatagrams);
    return true;
}

quint16 TFTPSession::localPort() const
{
    return m_socket ? m_socket->localPort() : 0;
}

void TFTPSession::start()
{
    if (!isActive())
        return;
    if (m_cancel)
        return takeStatus(KxTFTPStatus::Canceled);
    if (!m_request.modeTerminated && m_request.fileNameTerminated)
        return fail(Tftp::IllegalOperation, KxTFTPStatus::BadPacket);
    if (!m_localPath) {
        qCWarning(lcTftp) << "refused" << m_record.clientAddress << "the name"
                          << m_request.fileName;
        return fail(Tftp::AccessViolation, KxTFTPStatus::AccessViolation);
    }
    if (!isKnownMode()) {
        qCWarning(lcTftp) << "refused" << m_record.clientAddress << "the mode" << m_request.mode;
        return fail(Tftp::IllegalOperation, KxTFTPStatus::BadOperation);
    }
    if (m_record.operation == KxTFTPOperation::Read)
        startRead();
    else
        startWrite();
}

// Both modes are served as the file's bytes.
bool TFTPSession::isKnownMode() const
{
    const QByteArray mode = m_request.mode.toLower();
    return mode == "octet" || mode == "netascii";
}

void TFTPSession::startRead()
{
    auto source = std::make_unique<QFile>(*m_localPath);
    if (!QFileInfo(*m_localPath).isFile() || !source->open(QIODevice::ReadOnly))
        return fail(Tftp::FileNotFound, KxTFTPStatus::FileNotFound);
    m_options = Tftp::Negotiate(m_request.options, Tftp::Rrq, source->size());
    configureRetransmission();
    m_source = std::move(source);
    m_sendBuffer.reserve(Tftp::HeaderSize + m_options.blockSize);
    if (!m_options.acknowledged.isEmpty()) {
        m_oack = Tftp::MakeOack(m_options.acknowledged);
        m_acked = -1;
        m_sent = 0;
        if (!send(m_oack))
            return;
    } else if (!sendWindow(1)) {
        return;
    }
    packetSent();
    takeStatus(KxTFTPStatus::Transferring);
}

void TFTPSession::startWrite()
{
    // The file replaces an existing one only when the transfer completes.
    // Unbuffered, so that a failed write shows at the block that failed.
    auto target = std::make_unique<QSaveFile>(*m_localPath);
    if (!target->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(Tftp::AccessViolation, KxTFTPStatus::AccessViolation);
    m_target = std::move(target);
    m_options = Tftp::Negotiate(m_request.options, Tftp::Wrq, -1);
    configureRetransmission();
    m_receiveBuffer.resize(ReceiveBufferSize(m_options.blockSize));
    if (!m_options.acknowledged.isEmpty())
        m_oack = Tftp::MakeOack(m_options.acknowledged);
    if (!(m_oack.isEmpty() ? sendAck(0) : send(m_oack)))
        return;
    packetSent();
    takeStatus(KxTFTPStatus::Transferring);
}

void TFTPSession::readDatagrams()
{
    while (m_socket->hasPendingDatagrams()) {
        QHostAddress from;
        quint16 port = 0;
        const qint64 size
            = m_socket->readDatagram(m_receiveBuffer.data(), m_receiveBuffer.size(), &from, &port);
        if (size < Tftp::HeaderSize || !(m_source || m_target))
            continue;
        handleDatagram(QByteArrayView(m_receiveBuffer.constData(), size), from, port);
    }
}

void TFTPSession::handleDatagram(QByteArrayView packet, const QHostAddress &from, quint16 port)
{
    const quint16 opcode = Tftp::OpcodeOf(packet);
    if (port != m_peerPort || !from.isEqual(m_peer, QHostAddress::TolerantConversion)) {
        // Another transfer identifier: tell it, and leave this transfer alone.
        if (opcode != Tftp::Error)
            m_socket->writeDatagram(Tftp::MakeError(Tftp::UnknownTransferId), from, port);
        return;
    }
    if (opcode == Tftp::Error) {
        qCInfo(lcTftp) << "the client ended the transfer with error" << Tftp::BlockOf(packet);
        return takeStatus(KxTFTPStatusOfErrorCode(Tftp::BlockOf(packet)));
    }
    if (m_source && opcode == Tftp::Ack)
        handleAck(Tftp::BlockOf(packet));
    else if (m_target && opcode == Tftp::Data)
        handleData(Tftp::BlockOf(packet), packet.sliced(Tftp::HeaderSize));
}

void TFTPSession::handleAck(quint16 wireBlock)
{
    // The sent block the number stands for; older ones are duplicates.
    const qint64 block = m_sent - quint16(quint16(m_sent) - wireBlock);
    if (block <= m_acked)
        return;
    clientAnswered();
    m_acked = block;
    if (m_cancel)
        return takeStatus(KxTFTPStatus::Canceled);
    if (block == m_final)
        return takeStatus(KxTFTPStatus::Success);
    if (!sendWindow(block + 1))
        return;
    packetSent();
    takeStatus(KxTFTPStatus::Transferring);
}

// Sends DATA blocks from `firstBlock` on, up to the window size or the short
// block that ends the file.
bool TFTPSession::sendWindow(qint64 firstBlock)
{
    const int blockSize = m_options.blockSize;
    const qint64 offset = (firstBlock - 1) * blockSize;
    if (m_source->pos() != offset && !m_source->seek(offset)) {
        fail(Tftp::NotDefined, KxTFTPStatus::Undefined);
        return false;
    }
    for (qint64 block = firstBlock; block < firstBlock + m_options.windowSize; ++block) {
        m_sendBuffer.resize(Tftp::HeaderSize + blockSize);
        const qint64 length = m_source->read(m_sendBuffer.data() + Tftp::HeaderSize, blockSize);
        if (length < 0) {
            qCWarning(lcTftp) << "cannot read" << *m_localPath << m_source->errorString();
            fail(Tftp::NotDefined, KxTFTPStatus::Undefined);
            return false;
        }
        m_sendBuffer.resize(Tftp::HeaderSize + length);
        Tftp::PutHeader(m_sendBuffer.data(), Tftp::Data, quint16(block));
        if (!send(m_sendBuffer))
            return false;
        m_sent = block;
        m_record.lastBlockLength = int(length);
        m_record.transferred = qMax(m_record.transferred, m_source->pos());
        if (length < blockSize) {
            m_final = block;
            break;
        }
    }
    return true;
}

void TFTPSession::handleData(quint16 wireBlock, QByteArrayView data)
{
    if (wireBlock == quint16(m_received + 1))
        return acceptData(data);
    if (m_received > 0 && wireBlock == quint16(m_received)) {
        // The client missed the acknowledgement of the last block written.
        sendAck(m_received);
    } else if (m_options.windowSize > 1 && !m_gapReported) {
        // A block of the window went missing: have the client resend from here.
        m_gapReported = true;
        sendAck(m_received);
    }
}

void TFTPSession::acceptData(QByteArrayView data)
{
    // The first block after an acknowledgement answers it.
    if (m_received == m_acknowledged)
        clientAnswered();
    ++m_received;
    m_gapReported = false;
    if (m_cancel)
        return takeStatus(KxTFTPStatus::Canceled);
    if (data.size() > m_options.blockSize)
        return fail(Tftp::IllegalOperation, KxTFTPStatus::BadPacket);
    if (m_target->write(data.data(), data.size()) != data.size()) {
        qCWarning(lcTftp) << "cannot write" << *m_localPath << m_target->errorString();
        return fail(Tftp::DiskFull, KxTFTPStatus::DiskFull);
    }
    m_record.lastBlockLength = int(data.size());
    m_record.transferred += data.size();
    if (data.size() < m_options.blockSize) {
        if (!m_target->flush() || !m_target->commit()) {
            qCWarning(lcTftp) << "cannot save" << *m_localPath << m_target->errorString();
            return fail(Tftp::DiskFull, KxTFTPStatus::DiskFull);
        }
        if (sendAck(m_received))
            takeStatus(KxTFTPStatus::Success);
        return;
    }
    if (m_received - m_acknowledged >= m_options.windowSize && !sendAck(m_received))
        return;
    packetSent();
    takeStatus(KxTFTPStatus::Transferring);
}

bool TFTPSession::sendAck(qint64 block)
{
    m_acknowledged = qMax(m_acknowledged, block);
    return send(Tftp::MakeAck(quint16(block)));
}

// Sends to the client; a failure other than a full send queue ends the session.
bool TFTPSession::send(const QByteArray &packet)
{
    if (m_socket->writeDatagram(packet, m_peer, m_peerPort) == packet.size())
        return true;
    if (m_socket->error() == QAbstractSocket::TemporaryError)
        return true; // as if lost on the way: resent when the deadline passes
    qCWarning(lcTftp) << "cannot send to" << m_record.clientAddress << m_socket->errorString();
    takeStatus(KxTFTPStatus::SocketIoFailed);
    return false;
}

void TFTPSession::fail(quint16 tftpError, int status)
{
    if (send(Tftp::MakeError(tftpError)))
        takeStatus(status);
}

void TFTPSession::configureRetransmission()
{
    m_retransmit.configure(
        m_record.timeout * 10LL, m_retryLimit, m_options.timeoutSeconds * 1000LL);
}

void TFTPSession::packetSent()
{
    m_retransmit.sent(m_clock());
    m_record.transmissions = 1;
}

void TFTPSession::clientAnswered()
{
    m_retransmit.answered(m_clock());
    m_answered = true;
    m_oack.clear();
}

// The OACK, the current window or the last ACK again.
bool TFTPSession::resendLast()
{
    if (!m_oack.isEmpty())
        return send(m_oack);
    return m_source ? sendWindow(m_acked + 1) : sendAck(m_received);
}

void TFTPSession::expire()
{
    if (!isActive())
        return;
    const qint64 now = m_clock();
    if (!m_retransmit.mayResend(now))
        return takeStatus(KxTFTPStatus::Timeout);
    if (!resendLast())
        return;
    m_retransmit.resent(now);
    m_record.transmissions = m_retransmit.transmissions();
}

// Only before the client's first answer, and at most once per shortest
// retransmission interval, so that repeated requests cannot multiply traffic.
void TFTPSession::repeatRequested()
{
    const qint64 now = m_clock();
    if (!isActive() || m_answered || !(m_source || m_target) || !m_retransmit.mayResend(now)
        || m_retransmit.sinceLastSent(now) < TftpRetransmission::MinInterval)
        return;
    if (!resendLast())
        return;
    m_retransmit.resent(now);
    m_record.transmissions = m_retransmit.transmissions();
}

void TFTPSession::abort(int status)
{
    if (isActive())
        takeStatus(status);
}

void TFTPSession::close()
{
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->close();
    }
    closeFile(false);
    m_record.status = KxTFTPStatus::Disconnected;
    m_record.statusText = KxTFTPStatusText(KxTFTPStatus::Disconnected);
    report();
}

void TFTPSession::takeStatus(int code)
{
    m_record.status = code;
    m_record.statusText = KxTFTPStatusText(code);
    if (code == KxTFTPStatus::Success || code < 0) {
        m_state = code == KxTFTPStatus::Success ? State::Completed : State::Failed;
        m_retransmit.stop();
        closeFile(code == KxTFTPStatus::Success);
        if (code < 0)
            qCInfo(lcTftp) << m_record.fileName << "from" << m_record.clientAddress << ":"
                           << m_record.statusText;
    }
    report();
}

// A write that did not complete leaves no file behind and the old one intact.
void TFTPSession::closeFile(bool success)
{
    m_source.reset();
    if (m_target && !success)
        m_target->cancelWriting();
    m_target.reset();
}

void TFTPSession::report()
{
    if (m_handler && (!m_hasReceiver || m_receiver))
        m_handler(m_record, m_cancel);
}
