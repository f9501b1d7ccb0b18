// TFTP datagrams as the server's socket and a session's socket see them.
#include "files/tftppacket.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView datagram(reinterpret_cast<const char *>(data),
                                  static_cast<qsizetype>(size));
    if (datagram.size() >= Tftp::HeaderSize) {
        Tftp::OpcodeOf(datagram);
        Tftp::BlockOf(datagram);
    }
    if (const std::optional<Tftp::Request> request = Tftp::ParseRequest(datagram)) {
        if (request->options.size() > Tftp::MaxOptions)
            __builtin_trap();
        for (const qint64 fileSize : {qint64(-1), qint64(0), qint64(1) << 40}) {
            const Tftp::Negotiation result
                = Tftp::Negotiate(request->options, request->opcode, fileSize);
            if (result.blockSize < Tftp::MinBlockSize || result.blockSize > Tftp::MaxBlockSize
                || result.windowSize < 1 || result.windowSize > Tftp::MaxWindowSize)
                __builtin_trap();
            Tftp::MakeOack(result.acknowledged);
        }
    }
    return 0;
}
