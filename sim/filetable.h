#pragma once

#include "store.h"
#include "transfers.h"

#include <functional>

namespace sim {

// The switch's file table: a row set to "start" makes the switch's TFTP
// client fetch (firmware, configuration) or send (configuration, log) the
// row's file, and the transfer status follows the transfer.
class FileTable
{
public:
    FileTable(Store &store, std::function<uint32_t()> upTimeTicks);

    void install();
    void setTransfers(FileTransfers *transfers) { m_transfers = transfers; }
    void setTftpPort(uint16_t port) { m_tftpPort = port; }
    // Starts a transfer after a SET of a row's control to "start".
    void committed(const Oid &oid, const Value &value);
    // Abandons the running transfer (the switch restarts).
    void cancel();

private:
    void start(uint32_t row);
    void finish(uint32_t row, TransferOutcome outcome, const Bytes &received);
    Bytes configurationText() const;
    Bytes logText() const;

    Store &m_store;
    std::function<uint32_t()> m_upTimeTicks;
    FileTransfers *m_transfers = nullptr;
    uint16_t m_tftpPort = 69;
    bool m_running = false;
};

} // namespace sim
