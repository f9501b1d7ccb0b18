#pragma once

#include "snmp/snmpvalue.h"

#include <vector>

// The reply of one GETBULK exchange of a table walk, handed out row by row
// as the GET-NEXT answers it stands for. For a column asked from OID q, the
// repetitions r0, r1, ... are the agent's successors of q, r0, r1, ...; an
// OID lying between two neighbours of that chain has the later one as its
// successor, since nothing lies between them. So a column that has ended,
// and is asked from an index of its own past its last row, is answered too,
// and the walk's rows are exactly those of a GET-NEXT walk.
class SnmpBulkRows
{
public:
    // Keeps the reply to a GETBULK (no non-repeaters) sent with one OID per
    // column.
    void store(const SnmpBindings &sent, const SnmpReply &reply);
    // The GET-NEXT answer for each query, one per column, when the stored
    // reply holds every one of them.
    bool answer(const SnmpBindings &queries, SnmpReply &row);
    // The last OID of each column's chain, when no column has left its base
    // OID there: what the walk will ask from once the stored rows are used.
    bool continuation(const std::vector<QString> &bases, SnmpBindings &next) const;
    void clear();

private:
    struct Step
    {
        QString from;
        SnmpBinding to;
    };

    const SnmpBinding *find(size_t column, const QString &query);

    std::vector<std::vector<Step>> m_columns;
    std::vector<size_t> m_cursor;
    QString m_agentAddress;
    quint16 m_agentPort = 0;
};
