#pragma once

#include <QObject>

#include <memory>

class KxSNMPRequest;

// Asks the switch, with one asynchronous GET, whether an object instance
// exists and holds an integer an alarm can sample (INTEGER, Counter32,
// Gauge32 or TimeTicks).
class VariableProbe final : public QObject
{
    Q_OBJECT

public:
    explicit VariableProbe(QObject *parent = nullptr);
    ~VariableProbe() override;

    // False while a probe is under way.
    bool probe(const QString &oid);

Q_SIGNALS:
    // An empty problem when the variable can be sampled, otherwise why not.
    void probed(const QString &oid, const QString &problem);

private:
    std::unique_ptr<KxSNMPRequest> m_request;
    bool m_busy = false;
};
