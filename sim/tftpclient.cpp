#include "tftpclient.h"

#include "agent.h"

#include <arpa/inet.h>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace sim {

namespace {

enum Opcode : uint16_t { Rrq = 1, Wrq = 2, Data = 3, Ack = 4, Error = 5 };
constexpr size_t BlockSize = 512;
constexpr int MaxTries = 5;
constexpr size_t MaxDownload = 32 * 1024 * 1024;

Bytes Word(uint16_t v)
{
    return Bytes{static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
}

uint16_t ReadWord(const Bytes &packet, size_t pos)
{
    return static_cast<uint16_t>((static_cast<unsigned char>(packet[pos]) << 8)
                                 | static_cast<unsigned char>(packet[pos + 1]));
}

Bytes ErrorPacket(uint16_t code, const std::string &message)
{
    return Word(Error) + Word(code) + message + '\0';
}

TransferOutcome OutcomeOfError(uint16_t code)
{
    switch (code) {
    case 1:
        return TransferOutcome::FileNotFound;
    case 3:
        return TransferOutcome::DiskFull;
    default:
        return TransferOutcome::Violation;
    }
}

bool SameAddress(const sockaddr_in &a, const sockaddr_in &b)
{
    return a.sin_addr.s_addr == b.sin_addr.s_addr && a.sin_port == b.sin_port;
}

} // namespace

TftpClient::TftpClient(EventLoop &loop, int timeoutMs)
    : m_loop(loop)
    , m_timeoutMs(timeoutMs)
{}

TftpClient::~TftpClient()
{
    close();
}

void TftpClient::start(const TransferRequest &request, Done done)
{
    close();
    m_done = std::move(done);
    m_upload = request.upload;
    m_data = request.upload ? request.data : Bytes();
    m_block = 0;
    m_lastBlockSent = false;
    m_peerKnown = false;
    m_tries = 0;
    m_server = {};
    m_server.sin_family = AF_INET;
    m_server.sin_port = htons(request.port);
    std::memcpy(&m_server.sin_addr, request.server.data(), 4);

    m_socket = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_socket < 0) {
        finish(TransferOutcome::TimeOut);
        return;
    }
    m_loop.watch(m_socket, [this] { readable(); });
    send(Word(request.upload ? Wrq : Rrq) + request.file + '\0' + "octet" + '\0');
}

void TftpClient::cancel()
{
    m_done = nullptr;
    close();
}

void TftpClient::close()
{
    if (m_timer != 0) {
        m_loop.cancel(m_timer);
        m_timer = 0;
    }
    if (m_socket >= 0) {
        m_loop.unwatch(m_socket);
        ::close(m_socket);
        m_socket = -1;
    }
}

void TftpClient::send(const Bytes &packet)
{
    m_last = packet;
    m_tries = 1;
    const sockaddr_in &to = m_peerKnown ? m_peer : m_server;
    sendto(m_socket,
           packet.data(),
           packet.size(),
           0,
           reinterpret_cast<const sockaddr *>(&to),
           sizeof(to));
    armTimer();
}

void TftpClient::armTimer()
{
    if (m_timer != 0)
        m_loop.cancel(m_timer);
    m_timer = m_loop.after(m_timeoutMs, [this] {
        m_timer = 0;
        sendAgain();
    });
}

void TftpClient::sendAgain()
{
    if (m_tries >= MaxTries) {
        finish(TransferOutcome::TimeOut);
        return;
    }
    ++m_tries;
    const sockaddr_in &to = m_peerKnown ? m_peer : m_server;
    sendto(m_socket,
           m_last.data(),
           m_last.size(),
           0,
           reinterpret_cast<const sockaddr *>(&to),
           sizeof(to));
    armTimer();
}

void TftpClient::readable()
{
    char buffer[BlockSize + 4];
    for (;;) {
        sockaddr_in from{};
        socklen_t length = sizeof(from);
        const ssize_t n = recvfrom(
            m_socket, buffer, sizeof(buffer), 0, reinterpret_cast<sockaddr *>(&from), &length);
        if (n < 0)
            return;
        if (from.sin_addr.s_addr != m_server.sin_addr.s_addr)
            continue;
        if (!m_peerKnown) {
            m_peer = from;
            m_peerKnown = true;
        } else if (!SameAddress(from, m_peer)) {
            // A packet of another transfer: tell its sender, keep going.
            const Bytes error = ErrorPacket(5, "Unknown transfer ID");
            sendto(m_socket,
                   error.data(),
                   error.size(),
                   0,
                   reinterpret_cast<const sockaddr *>(&from),
                   sizeof(from));
            continue;
        }
        handle(Bytes(buffer, static_cast<size_t>(n)));
        if (m_socket < 0)
            return;
    }
}

void TftpClient::handle(const Bytes &packet)
{
    if (packet.size() < 4)
        return;
    const uint16_t opcode = ReadWord(packet, 0);
    const uint16_t number = ReadWord(packet, 2);
    if (opcode == Error) {
        finish(OutcomeOfError(number));
    } else if (opcode == Data && !m_upload) {
        if (number == static_cast<uint16_t>(m_block + 1)) {
            m_block = number;
            m_data.append(packet, 4, Bytes::npos);
            if (m_data.size() > MaxDownload) {
                send(ErrorPacket(3, "Disk full"));
                finish(TransferOutcome::DiskFull);
                return;
            }
            send(Word(Ack) + Word(m_block));
            if (packet.size() - 4 < BlockSize)
                finish(TransferOutcome::Complete);
        } else if (number == m_block) {
            send(Word(Ack) + Word(m_block)); // our acknowledgement was lost
        }
    } else if (opcode == Ack && m_upload && number == m_block) {
        if (m_lastBlockSent) {
            finish(TransferOutcome::Complete);
            return;
        }
        ++m_block;
        sendBlock();
    }
}

void TftpClient::sendBlock()
{
    const size_t offset = (static_cast<size_t>(m_block) - 1) * BlockSize;
    const Bytes chunk = offset < m_data.size() ? m_data.substr(offset, BlockSize) : Bytes();
    m_lastBlockSent = chunk.size() < BlockSize;
    send(Word(Data) + Word(m_block) + chunk);
}

void TftpClient::finish(TransferOutcome outcome)
{
    const Bytes received = m_upload ? Bytes() : m_data;
    Done done = std::move(m_done);
    m_done = nullptr;
    close();
    if (done)
        done(outcome, received);
}

} // namespace sim
