#pragma once

#include <QStatusBar>

#include <functional>

class KxSNMPRequest;
class QLabel;
struct KxSNMPError;

// The two-panel result bar of a dialog: the time of the last exchange and its
// result text. It may start hidden; a failed exchange shows it, so that a
// refused write never looks like a success. The read that follows a failure
// leaves the failure's text in sight.
class TResultBar final : public QStatusBar
{
    Q_OBJECT

public:
    explicit TResultBar(const QString &name, QWidget *parent = nullptr);

    // Reports every result of the request here; `also` then sees the result too.
    void attach(KxSNMPRequest &request, std::function<void(const KxSNMPError &)> also = {});
    void report(const KxSNMPError &result);

    QString timeText() const;
    QString resultText() const;

private:
    QLabel *m_time;
    QLabel *m_result;
    bool m_keepFailure = false;
};
