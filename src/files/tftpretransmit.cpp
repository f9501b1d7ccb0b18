#include "files/tftpretransmit.h"

#include <algorithm>

void TftpRetransmission::configure(qint64 timeoutMs, int retryLimit, qint64 negotiatedIntervalMs)
{
    m_timeout = std::max<qint64>(timeoutMs, 1);
    m_retryLimit = std::max(retryLimit, 1);
    m_fixedInterval = negotiatedIntervalMs;
}

qint64 TftpRetransmission::baseInterval() const
{
    if (m_fixedInterval > 0)
        return m_fixedInterval;
    if (m_smoothedRtt >= 0)
        return std::clamp(m_smoothedRtt + 4 * m_rttVariation, MinInterval, m_timeout);
    // Sends at 0, r, 3r, 7r ...: the retry limit's sends fit into the time-out.
    const qint64 spread = m_timeout >> std::min(m_retryLimit - 1, 30);
    return std::clamp(spread, qint64(1), UnmeasuredInterval);
}

void TftpRetransmission::sent(qint64 now)
{
    m_firstSent = now;
    m_transmissions = 1;
    m_interval = baseInterval();
    arm(now);
}

// Round-trip samples only from packets sent once (Karn), smoothed as TCP does
// (RFC 6298).
void TftpRetransmission::answered(qint64 now)
{
    if (m_transmissions == 1) {
        const qint64 sample = std::max<qint64>(now - m_lastSent, 0);
        if (m_smoothedRtt < 0) {
            m_smoothedRtt = sample;
            m_rttVariation = sample / 2;
        } else {
            m_rttVariation = (3 * m_rttVariation + std::abs(m_smoothedRtt - sample)) / 4;
            m_smoothedRtt = (7 * m_smoothedRtt + sample) / 8;
        }
    }
    m_deadline = -1;
}

bool TftpRetransmission::mayResend(qint64 now) const
{
    if (m_fixedInterval > 0)
        return m_transmissions < m_retryLimit;
    return now - m_firstSent < m_timeout;
}

void TftpRetransmission::resent(qint64 now)
{
    ++m_transmissions;
    if (m_fixedInterval == 0)
        m_interval = std::min(m_interval * 2, m_timeout);
    arm(now);
}

// The next resend, but never past the moment the session gives up.
void TftpRetransmission::arm(qint64 now)
{
    m_lastSent = now;
    m_deadline = now + m_interval;
    if (m_fixedInterval == 0)
        m_deadline = std::min(m_deadline, m_firstSent + m_timeout);
}
