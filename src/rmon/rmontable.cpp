#include "rmon/rmontable.h"

#include "snmp/kxexception.h"
#include "snmp/request.h"

#include <QLoggingCategory>

using namespace Qt::StringLiterals;

namespace {

Q_LOGGING_CATEGORY(lcRmonTable, "rq5160.rmon")

const QString NotSent = u"The request could not be sent."_s;

QString Positions(const RmonRowValues &values)
{
    QStringList positions;
    for (const auto &entry : values)
        positions << QString::number(entry.first);
    return positions.join(u',');
}

QStringList Values(const RmonRowValues &values)
{
    QStringList texts;
    for (const auto &entry : values)
        texts << entry.second;
    return texts;
}

} // namespace

RmonTable::RmonTable(const KxSNMPVarDesc *table, int keyCount, QObject *parent)
    : QObject(parent)
    , m_request(std::make_unique<KxSNMPRequest>())
{
    m_request->varList.Assign(KxSNMPVarList(table, MVT_FMV, keyCount));
    m_request->errorHandler = [this](const KxSNMPError &error) {
        m_notSent = error.message;
    };
}

RmonTable::~RmonTable()
{
    end();
    m_request.reset();
}

void RmonTable::end()
{
    m_ending = true;
    blockSignals(true);
}

void EndTables(std::initializer_list<RmonTable *> tables)
{
    for (RmonTable *table : tables)
        table->end();
    for (RmonTable *table : tables)
        delete table;
}

void RmonTable::read()
{
    if (m_busy)
        return;
    m_busy = true;
    m_walked.clear();
    walk(true);
}

void RmonTable::walk(bool first)
{
    bool ok = true;
    m_notSent.clear();
    m_request->ReadAsync(
        first,
        [this](void *, const KxSNMPError &reply, KxSNMPVarList &list) {
            if (m_ending)
                return;
            if (reply.code != 0) {
                finish(reply.message);
                return;
            }
            if (reply.done) {
                m_rows = std::move(m_walked);
                m_walked.clear();
                m_busy = false;
                m_read = true;
                Q_EMIT tableRead();
                return;
            }
            QStringList row;
            for (int i = 0; i < list.Count(); ++i)
                row << list.Item(i).value;
            m_walked.push_back(row);
            walk(false);
        },
        this,
        ok);
    if (!ok)
        finish(notSent());
}

bool RmonTable::write(const QList<quint32> &index,
                      const std::vector<RmonRowValues> &steps,
                      const RmonRowValues &undo)
{
    if (m_busy || steps.empty())
        return false;
    m_busy = true;
    for (int k = 0; k < index.size(); ++k)
        m_request->varList.Item(k).value = QString::number(index[k]);
    m_steps = steps;
    m_undo = undo;
    m_step = 0;
    sendStep();
    return true;
}

void RmonTable::sendStep()
{
    const QString failure = send(m_steps[m_step], &RmonTable::stepDone);
    if (!failure.isEmpty())
        finish(failure);
}

QString RmonTable::send(const RmonRowValues &values, void (RmonTable::*next)(const KxSNMPError &))
{
    const QStringList texts = Values(values);
    bool ok = true;
    m_notSent.clear();
    try {
        m_request->WriteAsync([this, next](void *,
                                           const KxSNMPError &reply,
                                           KxSNMPVarList &) { (this->*next)(reply); },
                              this,
                              false,
                              Positions(values),
                              &texts,
                              ok);
    } catch (const KxException &error) {
        return error.message();
    }
    return ok ? QString() : notSent();
}

QString RmonTable::notSent()
{
    const QString reason = m_notSent.isEmpty() ? NotSent : m_notSent;
    m_notSent.clear();
    return reason;
}

void RmonTable::stepDone(const KxSNMPError &reply)
{
    if (reply.code != 0) {
        m_failure = reply.message;
        if (m_step > 0 && !m_undo.empty())
            sendUndo();
        else
            finish(m_failure);
        return;
    }
    if (++m_step < m_steps.size()) {
        sendStep();
        return;
    }
    m_busy = false;
    Q_EMIT written();
}

void RmonTable::sendUndo()
{
    if (!send(m_undo, &RmonTable::undoDone).isEmpty())
        finish(m_failure);
}

void RmonTable::undoDone(const KxSNMPError &reply)
{
    if (reply.code != 0)
        qCInfo(lcRmonTable) << "half-made row not removed:" << reply.code << reply.message;
    finish(m_failure);
}

void RmonTable::finish(const QString &failure)
{
    m_busy = false;
    qCInfo(lcRmonTable) << "RMON table:" << failure;
    Q_EMIT failed(failure);
}
