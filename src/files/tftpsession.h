#pragma once

#include "files/kxtftpmsg.h"
#include "files/tftppacket.h"
#include "files/tftpretransmit.h"

#include <QByteArray>
#include <QHostAddress>
#include <QLoggingCategory>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QFile;
class QSaveFile;
class QUdpSocket;

Q_DECLARE_LOGGING_CATEGORY(lcTftp)

// Called on every status change of a session; setting `cancel` cancels the
// transfer at the next packet.
using KxTFTPHandler = std::function<void(const KxTFTPMsg &msg, bool &cancel)>;
// Milliseconds on a monotonic clock.
using KxTFTPClock = std::function<qint64()>;

struct TFTPSessionSetup
{
    KxTFTPMsg record;
    Tftp::Request request;
    QHostAddress clientAddress;
    quint16 clientPort = 0;
    QHostAddress localAddress;        // where the request arrived
    std::optional<QString> localPath; // nothing when the name is refused
    QPointer<QObject> receiver;
    bool hasReceiver = false;
    KxTFTPHandler handler;
    KxTFTPClock clock;
    int retryLimit = 3;
};

// One read or write transfer with one client, on its own UDP port (the
// session's transfer identifier). Block numbers roll over after 65535.
class TFTPSession final : public QObject
{
    Q_OBJECT

public:
    enum class State { Active, Completed, Failed };

    explicit TFTPSession(TFTPSessionSetup setup, QObject *parent = nullptr);
    ~TFTPSession() override;

    void start();
    // The deadline has passed: the session resends its last packet, or ends
    // with -1113 once its time-out is over.
    void expire();
    // The client sent its request again: it has not seen the first answer.
    void repeatRequested();
    // Ends an active session with the given (negative) status.
    void abort(int status);
    // Closes the socket and reports status 0.
    void close();

    State state() const { return m_state; }
    bool isActive() const { return m_state == State::Active; }
    bool deadlinePassed(qint64 now) const
    {
        return m_retransmit.deadline() >= 0 && now >= m_retransmit.deadline();
    }
    // Whether the client has answered anything yet.
    bool hasBeenAnswered() const { return m_answered; }
    const KxTFTPMsg &record() const { return m_record; }
    quint16 localPort() const;

private:
    bool openSocket(const QHostAddress &address);
    void readDatagrams();
    void handleDatagram(QByteArrayView packet, const QHostAddress &from, quint16 port);
    void startRead();
    void startWrite();
    void handleAck(quint16 wireBlock);
    void handleData(quint16 wireBlock, QByteArrayView data);
    void acceptData(QByteArrayView data);
    bool sendWindow(qint64 firstBlock);
    bool sendAck(qint64 block);
    bool send(const QByteArray &packet);
    void fail(quint16 tftpError, int status);
    bool isKnownMode() const;
    void configureRetransmission();
    void packetSent();
    void clientAnswered();
    bool resendLast();
    void takeStatus(int code);
    void closeFile(bool success);
    void report();

    KxTFTPMsg m_record;
    State m_state = State::Active;
    Tftp::Request m_request;
    Tftp::Negotiation m_options;
    QHostAddress m_peer;
    quint16 m_peerPort = 0;
    std::optional<QString> m_localPath;
    QPointer<QObject> m_receiver;
    bool m_hasReceiver = false;
    KxTFTPHandler m_handler;
    KxTFTPClock m_clock;
    int m_retryLimit = 3;
    bool m_cancel = false;
    QUdpSocket *m_socket = nullptr;
    std::unique_ptr<QFile> m_source;
    std::unique_ptr<QSaveFile> m_target;
    QByteArray m_sendBuffer;
    QByteArray m_receiveBuffer;
    QByteArray m_oack;         // the OACK while the client has not answered it
    qint64 m_acked = 0;        // read: last block acknowledged (-1 while an OACK waits)
    qint64 m_sent = 0;         // read: highest block of the current window sent
    qint64 m_final = -1;       // read: the short block that ends the file, once sent
    qint64 m_received = 0;     // write: last block written
    qint64 m_acknowledged = 0; // write: last block acknowledged to the client
    bool m_gapReported = false;
    bool m_answered = false;
    TftpRetransmission m_retransmit;
};
