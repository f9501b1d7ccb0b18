#pragma once

#include "snmp/adapter.h"
#include "snmp/bulkrows.h"
#include "snmp/records.h"
#include "snmp/snmpvalue.h"
#include "snmp/varlist.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <set>

// The outcome of an exchange, for error handlers and completion callbacks.
struct KxSNMPError
{
    qint32 code = 0;
    qint32 errorIndex = 0; // completions only
    QString message;
    QString agentAddress;  // completions only
    quint16 agentPort = 0; // completions only
    bool done = false;     // completions: no further exchange follows
    quint64 sequence = 0;  // error-handler reports: the request's error count
};

using KxErrorHandler = std::function<void(const KxSNMPError &error)>;
using KxCompletion = std::function<void(void *user, const KxSNMPError &error, KxSNMPVarList &list)>;

// One SNMP operation context over one variable list: reads the readable
// variables (GET, or a GET-NEXT walk one row per exchange) and writes the
// writable ones (SET), synchronously or asynchronously. Values travel as
// text; the virtual operations convert them and may be overridden. With
// bulkRepetitions above 0 a walk over SNMPv2c or SNMPv3 fetches that many
// rows per GETBULK exchange and still hands them out one row per Read.
class KxSNMPRequest
{
public:
    enum class Phase { BeforeWrite, AfterRead };

    // Copies the global records and the default time-out.
    KxSNMPRequest();
    // Switches active off and waits at most 6 s, processing events, for the
    // asynchronous exchanges still outstanding; later completions are dropped.
    virtual ~KxSNMPRequest();
    KxSNMPRequest(const KxSNMPRequest &) = delete;
    KxSNMPRequest &operator=(const KxSNMPRequest &) = delete;

    // One exchange of a read; true when a table walk has a further row.
    bool Read(bool first, bool &ok);
    void ReadAsync(bool first, const KxCompletion &completion, void *user, bool &ok);
    // positions: "" or decimal variable positions separated by ","; values:
    // the texts for those positions, in the same order, or null.
    bool Write(bool readBack, const QString &positions, const QStringList *values, bool &ok);
    void WriteAsync(const KxCompletion &completion,
                    void *user,
                    bool readBack,
                    const QString &positions,
                    const QStringList *values,
                    bool &ok);

    // The row index made from the key variables, and back.
    QString BuildIndex();
    void DecodeIndex(const QString &index);

    quint64 ErrorCount() const { return m_errorSequence; }
    int pending() const { return m_pending; }

    // The operations subclasses may override, in slot order.
    virtual QString SubstituteVariables(const QString &text, const QString &marker, bool quote);
    virtual QString DecodeKey(int k, const QString &rest);
    virtual QString EncodeKey(int k);
    virtual void StoreValue(int i, const SnmpBinding &binding);
    virtual void PutValue(int i, SnmpBinding &binding);
    virtual void EvaluateExpression(int i, Phase phase);
    virtual bool TestCondition(const QString &condition);
    virtual bool IsColumnEnd(const QString &base, const QString &last, const QString &returned);

    KxErrorHandler errorHandler;
    bool useGetNext = false;
    qint32 timeout;
    qint32 retries = 1;
    qint32 bulkRepetitions;
    KxSNMPDevice device;
    KxSNMPScope scope;
    KxSNMPSecurity security;
    KxSNMPVarList varList;
    QString rowFilter;
    bool active = true;

    // How long the destructor waits for outstanding exchanges; tests shorten it.
    static constexpr int DefaultTeardownWaitMs = 6000;
    static void setTeardownWait(int ms);

private:
    struct AsyncContext
    {
        KxCompletion completion;
        void *user = nullptr;
        bool processValues = true;
        bool isWrite = false;
        std::vector<int> written;
        SnmpBindings sent;
        bool bulk = false;
    };

    // The next row's exchange of a synchronous walk, sent as soon as the
    // row before was received, so that the agent answers while that row is
    // stored and handled.
    struct ReadAhead
    {
        quint64 id = 0;
        SnmpTarget target;
        SnmpPduType type = SnmpPduType::GetNext;
        SnmpBindings sent;
    };

    struct Pass
    {
        int processed = 0;
        int ended = 0;
        bool endOfWalk = false;
        QString rowIndex;
    };

    SnmpTarget target() const;
    QString baseOid(int i) const;
    bool hasValidKind() const;
    SnmpBindings readBindings(bool first);
    SnmpPduType readType() const;
    bool walksInBulk() const;
    SnmpReply exchangeRead(const SnmpBindings &sent, SnmpPduType type);
    SnmpReply bulkRead(const SnmpBindings &sent);
    void takeBulkRow(const SnmpBindings &sent, SnmpReply &reply);
    void readAhead(const SnmpReply &reply);
    void bulkReadAhead();
    void startReadAhead(SnmpPduType type, SnmpBindings next);
    void dropReadAhead();
    std::vector<int> applyPositions(const QString &positions, const QStringList *values);
    SnmpBindings writeBindings(std::vector<int> &written);
    Pass processBindings(int code, const SnmpBindings &received, const SnmpBindings &sent);
    bool finishRow(const Pass &pass);
    void storeWritten(const std::vector<int> &written, const SnmpBindings &received);
    void report(int code);
    void startAsync(SnmpPduType type, AsyncContext context, bool &ok);
    void postAsync(AsyncContext context, SnmpReply reply);
    void track(quint64 id);
    void complete(quint64 id, const AsyncContext &context, SnmpReply &reply);
    void completeRead(const AsyncContext &context, const SnmpReply &reply, KxSNMPError &error);
    void waitForOutstanding();

    int m_pending = 0;
    quint64 m_errorSequence = 0;
    std::set<quint64> m_outstanding;
    ReadAhead m_readAhead;
    SnmpBulkRows m_bulkRows;
};
