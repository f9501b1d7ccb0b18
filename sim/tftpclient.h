#pragma once

#include "transfers.h"

#include <netinet/in.h>

namespace sim {

class EventLoop;

// The switch's TFTP client (octet mode, 512-byte blocks): fetches a file from
// or sends one to a TFTP server, retransmitting after a silence.
class TftpClient final : public FileTransfers
{
public:
    TftpClient(EventLoop &loop, int timeoutMs);
    ~TftpClient() override;

    void start(const TransferRequest &request, Done done) override;
    void cancel() override;

private:
    void send(const Bytes &packet);
    void sendAgain();
    void readable();
    void handle(const Bytes &packet);
    void sendBlock();
    void finish(TransferOutcome outcome);
    void close();
    void armTimer();

    EventLoop &m_loop;
    int m_timeoutMs;
    int m_socket = -1;
    unsigned m_timer = 0;
    int m_tries = 0;
    sockaddr_in m_server{};
    bool m_peerKnown = false;
    sockaddr_in m_peer{};
    bool m_upload = false;
    Bytes m_data; // sent or received bytes
    Bytes m_last; // last packet sent, for retransmission
    uint16_t m_block = 0;
    bool m_lastBlockSent = false;
    Done m_done;
};

} // namespace sim
