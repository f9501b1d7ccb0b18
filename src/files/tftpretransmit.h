#pragma once

#include <QtGlobal>

// When a TFTP session sends its current packet again and when it gives up
// (RFC 1123 4.2.3.2). The first retransmission comes near the measured round
// trip and each further one waits twice as long; the session gives up once
// the time-out has passed since its packet first went out. Before a round
// trip is measured the intervals are chosen so that the packet goes out at
// least `retryLimit` times within the time-out, and never later than 1 s
// (what tftpd-hpa waits). A time-out the client negotiated is used as a fixed
// interval instead, the session giving up after `retryLimit` sends.
class TftpRetransmission
{
public:
    static constexpr qint64 MinInterval = 100;
    static constexpr qint64 UnmeasuredInterval = 1000;

    void configure(qint64 timeoutMs, int retryLimit, qint64 negotiatedIntervalMs);

    // A new packet went out.
    void sent(qint64 now);
    // The client answered the current packet.
    void answered(qint64 now);
    // The current packet went out again; returns false (and sends nothing
    // more) when the session should give up instead.
    bool mayResend(qint64 now) const;
    void resent(qint64 now);
    void stop() { m_deadline = -1; }

    // The moment to resend or give up; -1 while nothing is outstanding.
    qint64 deadline() const { return m_deadline; }
    int transmissions() const { return m_transmissions; }
    qint64 sinceLastSent(qint64 now) const { return now - m_lastSent; }
    qint64 interval() const { return m_interval; }

private:
    qint64 baseInterval() const;
    void arm(qint64 now);

    qint64 m_timeout = 10000;
    int m_retryLimit = 3;
    qint64 m_fixedInterval = 0;
    qint64 m_smoothedRtt = -1;
    qint64 m_rttVariation = 0;
    qint64 m_firstSent = 0;
    qint64 m_lastSent = 0;
    qint64 m_interval = 0;
    qint64 m_deadline = -1;
    int m_transmissions = 0;
};
