#pragma once

#include "value.h"

#include <cstdint>
#include <functional>
#include <string>

namespace sim {

// How a file transfer of the switch's TFTP client ended.
enum class TransferOutcome { Complete, FileNotFound, Violation, DiskFull, TimeOut, InvalidFile };

struct TransferRequest
{
    Bytes server; // IPv4 address, four octets
    uint16_t port = 69;
    std::string file;
    bool upload = false; // true: the switch sends `data`; false: it fetches the file
    Bytes data;
};

// The switch's TFTP client as the switch logic sees it.
class FileTransfers
{
public:
    virtual ~FileTransfers() = default;
    using Done = std::function<void(TransferOutcome, const Bytes &received)>;
    // Starts one transfer; `done` is called exactly once, later, unless cancelled.
    virtual void start(const TransferRequest &request, Done done) = 0;
    virtual void cancel() = 0;
};

} // namespace sim
