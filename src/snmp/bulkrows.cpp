#include "snmp/bulkrows.h"

namespace {

// Compares dotted OIDs by their sub-identifiers.
int compareOids(QStringView a, QStringView b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        quint64 x = 0, y = 0;
        for (; i < a.size() && a[i] != u'.'; ++i)
            x = x * 10 + (a[i].unicode() - u'0');
        for (; j < b.size() && b[j] != u'.'; ++j)
            y = y * 10 + (b[j].unicode() - u'0');
        if (x != y)
            return x < y ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}

bool inside(const QString &oid, const QString &base)
{
    return oid.size() > base.size() + 1 && oid.startsWith(base) && oid.at(base.size()) == u'.';
}

} // namespace

void SnmpBulkRows::store(const SnmpBindings &sent, const SnmpReply &reply)
{
    const size_t width = sent.size();
    m_columns.assign(width, {});
    m_cursor.assign(width, 0);
    m_agentAddress = reply.agentAddress;
    m_agentPort = reply.agentPort;
    if (width == 0)
        return;
    for (size_t n = 0; n < reply.bindings.size(); ++n) {
        std::vector<Step> &steps = m_columns[n % width];
        const QString &from = steps.empty() ? sent[n % width].oid : steps.back().to.oid;
        steps.push_back({from, reply.bindings[n]});
    }
}

const SnmpBinding *SnmpBulkRows::find(size_t column, const QString &query)
{
    const std::vector<Step> &steps = m_columns[column];
    for (size_t s = m_cursor[column]; s < steps.size(); ++s) {
        if (steps[s].from == query) {
            m_cursor[column] = s + 1;
            return &steps[s].to;
        }
    }
    for (const Step &step : steps) {
        if (compareOids(step.from, query) < 0 && compareOids(query, step.to.oid) < 0)
            return &step.to;
    }
    return nullptr;
}

bool SnmpBulkRows::answer(const SnmpBindings &queries, SnmpReply &row)
{
    if (queries.empty() || queries.size() != m_columns.size())
        return false;
    const std::vector<size_t> cursor = m_cursor;
    row.bindings.clear();
    row.bindings.reserve(queries.size());
    for (size_t column = 0; column < queries.size(); ++column) {
        const SnmpBinding *found = find(column, queries[column].oid);
        if (!found) {
            m_cursor = cursor;
            row.bindings.clear();
            return false;
        }
        row.bindings.push_back(*found);
    }
    row.status = 0;
    row.errorIndex = 0;
    row.agentAddress = m_agentAddress;
    row.agentPort = m_agentPort;
    return true;
}

bool SnmpBulkRows::continuation(const std::vector<QString> &bases, SnmpBindings &next) const
{
    if (m_columns.empty() || bases.size() != m_columns.size())
        return false;
    next.clear();
    for (size_t column = 0; column < m_columns.size(); ++column) {
        const std::vector<Step> &steps = m_columns[column];
        if (steps.empty() || steps.size() != m_columns.front().size())
            return false;
        for (const Step &step : steps) {
            if (!inside(step.to.oid, bases[column]) || step.to.oid == step.from)
                return false;
        }
        next.push_back({steps.back().to.oid, {}});
    }
    return true;
}

void SnmpBulkRows::clear()
{
    m_columns.clear();
    m_cursor.clear();
}
