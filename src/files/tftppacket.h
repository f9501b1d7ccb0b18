#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>
#include <utility>

// TFTP packets (RFC 1350) and option negotiation (RFC 2347, 2348, 2349, 7440).
namespace Tftp {

enum Opcode : quint16 { Rrq = 1, Wrq = 2, Data = 3, Ack = 4, Error = 5, Oack = 6 };

enum ErrorCode : quint16 {
    NotDefined = 0,
    FileNotFound = 1,
    AccessViolation = 2,
    DiskFull = 3,
    IllegalOperation = 4,
    UnknownTransferId = 5,
    FileExists = 6,
    NoSuchUser = 7,
    OptionRefused = 8,
};

constexpr int HeaderSize = 4;
constexpr int DefaultBlockSize = 512;
constexpr int MinBlockSize = 8;
constexpr int MaxBlockSize = 65464;
constexpr int MaxWindowSize = 64;
constexpr int MaxFileNameLength = 255;
// Larger requests, or requests with more options, are refused (RFC 2347).
constexpr int MaxRequestSize = 512;
constexpr int MaxOptions = 32;

using Option = std::pair<QByteArray, QByteArray>;

struct Request
{
    quint16 opcode = 0;
    QByteArray fileName;
    QByteArray mode;
    bool fileNameTerminated = false;
    bool modeTerminated = false;
    QList<Option> options; // in the order sent, names as sent, at most MaxOptions
    bool tooManyOptions = false;
};

// Parses an RRQ or WRQ; anything shorter than 4 bytes or with another opcode
// gives nothing. Options after a missing terminator are dropped; beyond
// MaxOptions the parse stops with tooManyOptions set.
std::optional<Request> ParseRequest(QByteArrayView datagram);

// Opcode and block number (or error code) of a datagram of at least 4 bytes.
quint16 OpcodeOf(QByteArrayView datagram);
quint16 BlockOf(QByteArrayView datagram);

// Writes opcode and block number (or error code) into the first 4 bytes.
void PutHeader(char *packet, quint16 opcode, quint16 number);
QByteArray MakeData(quint16 block, QByteArrayView data);
QByteArray MakeAck(quint16 block);
// ERROR with an empty message: always 5 bytes.
QByteArray MakeError(quint16 code);
QByteArray MakeOack(const QList<Option> &options);

// The transfer parameters a request asks for and the options acknowledged.
struct Negotiation
{
    int blockSize = DefaultBlockSize;
    int windowSize = 1;
    int timeoutSeconds = 0;     // 0: the server's own time-out
    QList<Option> acknowledged; // empty: no OACK, the transfer starts as plain RFC 1350
};

// Negotiates blksize (8..65464, larger values lowered), timeout (1..255 s),
// tsize (for reads the file size, for writes the client's figure) and
// windowsize (1..65535, lowered to MaxWindowSize). Unknown or malformed
// options are ignored; the first of a repeated option counts. The size of an
// empty file is not acknowledged: clients such as curl take tsize 0 for an
// invalid answer, and without it they read the empty DATA block as usual.
Negotiation Negotiate(const QList<Option> &options, quint16 opcode, qint64 fileSize);

} // namespace Tftp
