#pragma once

#include <QString>

// Status codes of the TFTP server and its sessions.
namespace KxTFTPStatus {
constexpr int Success = 3;
constexpr int Transferring = 2;
constexpr int Connected = 1;
constexpr int Disconnected = 0;
constexpr int Undefined = -1101; // -1101 - n stands for TFTP error code n (0..7)
constexpr int FileNotFound = -1102;
constexpr int AccessViolation = -1103;
constexpr int DiskFull = -1104;
constexpr int BadOperation = -1105;
constexpr int UnknownPort = -1106;
constexpr int FileExists = -1107;
constexpr int NoSuchUser = -1108;
constexpr int SocketOpenFailed = -1109;
constexpr int SocketIoFailed = -1110;
constexpr int SocketNotReady = -1111;
constexpr int BadPacket = -1112;
constexpr int Timeout = -1113;
constexpr int Canceled = -1114;
} // namespace KxTFTPStatus

// The text of a status code; unknown codes give an empty text.
QString KxTFTPStatusText(int code);

// The status that stands for a TFTP error code received from a peer.
int KxTFTPStatusOfErrorCode(int tftpErrorCode);

namespace KxTFTPOperation {
constexpr int Read = 1;  // the switch reads a file from this PC
constexpr int Write = 2; // the switch writes a file to this PC
} // namespace KxTFTPOperation

// The transfer record: the server keeps one for the last request and each
// session works on its own copy.
struct KxTFTPMsg
{
    int status = KxTFTPStatus::SocketNotReady;
    QString statusText = KxTFTPStatusText(KxTFTPStatus::SocketNotReady);
    int operation = KxTFTPOperation::Read;
    QString mode = QStringLiteral("octet");
    QString clientAddress = QStringLiteral("0.0.0.0");
    QString serverAddress = QStringLiteral("127.0.0.1");
    int serverPort = 69;
    QString fileName;
    qint64 transferred = 0;
    int lastBlockLength = -1;
    int clientPort = 0;
    int sessionNumber = -1;
    int timeout = 1000; // hundredths of a second
    int transmissions = 0;
};
