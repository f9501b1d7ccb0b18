#include "snmp/request.h"

#include "snmp/conversions.h"
#include "snmp/datetime.h"
#include "snmp/errors.h"
#include "snmp/expression.h"
#include "snmp/kxexception.h"
#include "snmp/numlist.h"
#include "snmp/session.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTimer>
#include <QVarLengthArray>

#include <cmath>
#include <memory>
#include <utility>

using namespace Qt::StringLiterals;
using namespace KxConvert;

Q_LOGGING_CATEGORY(lcSnmp, "rq5160.snmp")

namespace {

const QString NullText = u"(NULL)"_s;
const QString NotDoneText = u"(NOTDONE)"_s;
constexpr int NoSuchName = -102;
int teardownWaitMs = KxSNMPRequest::DefaultTeardownWaitMs;

enum class Family { Numeric, Octets, ObjectId, Address, Null, Unsupported };

Family familyOf(qint32 syntax)
{
    using namespace KxSyntax;
    switch (syntax) {
    case Boolean:
    case Integer:
    case Counter:
    case Gauge:
    case TimeTicks:
    case Counter64:
    case UInteger:
        return Family::Numeric;
    case BitStr:
    case OctetStr:
    case Opaque:
    case MacAddress:
    case Double:
    case DateTime:
    case BcDateTime:
    case DisplayStr:
        return Family::Octets;
    case ObjectId:
        return Family::ObjectId;
    case IpAddress:
    case NsapAddr:
        return Family::Address;
    case Null:
        return Family::Null;
    default:
        return Family::Unsupported;
    }
}

SnmpType wireTypeOf(qint32 syntax)
{
    using namespace KxSyntax;
    switch (syntax) {
    case Boolean:
    case Integer:
        return SnmpType::Integer;
    case Counter:
        return SnmpType::Counter32;
    case Gauge:
    case UInteger:
        return SnmpType::Gauge32;
    case TimeTicks:
        return SnmpType::TimeTicks;
    case Counter64:
        return SnmpType::Counter64;
    case Opaque:
        return SnmpType::Opaque;
    case ObjectId:
        return SnmpType::ObjectId;
    case IpAddress:
    case NsapAddr:
        return SnmpType::IpAddress;
    case Null:
        return SnmpType::Null;
    default:
        return SnmpType::OctetString;
    }
}

// Whether the received value fits the variable's syntax; anything else is
// treated as a binding without value.
bool fits(const SnmpValue &value, Family family)
{
    switch (family) {
    case Family::Numeric:
        return value.isNumeric();
    case Family::Octets:
        return value.isOctets();
    case Family::ObjectId:
        return value.type == SnmpType::ObjectId;
    case Family::Address:
        return value.isOctets() && value.octets.size() == 4;
    default:
        return false;
    }
}

quint64 unsignedOf(const SnmpValue &value)
{
    return value.type == SnmpType::Counter64 ? value.number64 : static_cast<quint64>(value.number);
}

using SubIdentifiers = QVarLengthArray<quint32, 64>;

SubIdentifiers subIdentifiers(const QString &text)
{
    SubIdentifiers values;
    if (text.isEmpty())
        return values;
    quint32 current = 0;
    for (const QChar c : text) {
        if (c == u'.') {
            values.append(current);
            current = 0;
        } else if (c >= u'0' && c <= u'9') {
            current = current * 10u + static_cast<quint32>(c.unicode() - u'0');
        }
    }
    values.append(current);
    return values;
}

// The text after the first count sub-identifiers.
QString afterSubIdentifiers(const QString &text, qsizetype count)
{
    qsizetype at = 0;
    for (qsizetype i = 0; i < count; ++i) {
        at = text.indexOf(u'.', at);
        if (at < 0)
            return {};
        ++at;
    }
    return text.mid(at);
}

QString joined(const SubIdentifiers &values, qsizetype from, qsizetype count)
{
    QString text;
    for (qsizetype i = from; i < from + count; ++i) {
        if (i > from)
            text += u'.';
        AppendDecimal(text, values[i]);
    }
    return text;
}

QByteArray octetsOf(const SubIdentifiers &values, qsizetype from, qsizetype count)
{
    QByteArray octets;
    octets.reserve(count);
    for (qsizetype i = from; i < from + count; ++i)
        octets.append(static_cast<char>(values[i] & 0xff));
    return octets;
}

QString octetKey(const QByteArray &octets, bool implied)
{
    QString text;
    if (!implied)
        AppendDecimal(text, static_cast<quint64>(octets.size()));
    for (const char octet : octets) {
        if (!text.isEmpty())
            text += u'.';
        AppendDecimal(text, static_cast<quint8>(octet));
    }
    return text;
}

QString halvesKey(double value)
{
    quint32 low = 0, high = 0;
    DoubleToHalves(value, low, high);
    return QStringLiteral("%1.%2").arg(low).arg(high);
}

double clamped(double value, double low, double high)
{
    return std::isnan(value) ? 0 : std::clamp(value, low, high);
}

} // namespace

KxSNMPRequest::KxSNMPRequest()
    : timeout(DefaultRequestTimeout())
    , bulkRepetitions(DefaultBulkRepetitions())
    , device(GlobalDevice())
    , scope(GlobalScope())
    , security(GlobalSecurity())
{}

KxSNMPRequest::~KxSNMPRequest()
{
    active = false;
    dropReadAhead();
    waitForOutstanding();
    for (const quint64 id : m_outstanding)
        SnmpAdapter::instance().abandon(id);
}

void KxSNMPRequest::setTeardownWait(int ms)
{
    teardownWaitMs = ms;
}

// Lets the event loop deliver outstanding completions for at most 6 s.
void KxSNMPRequest::waitForOutstanding()
{
    if (m_pending <= 0 || !QCoreApplication::instance())
        return;
    QElapsedTimer clock;
    clock.start();
    while (m_pending > 0) {
        const qint64 remaining = teardownWaitMs - clock.elapsed();
        if (remaining <= 0)
            break;
        QTimer wakeUp;
        wakeUp.setSingleShot(true);
        wakeUp.start(static_cast<int>(remaining));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

SnmpTarget KxSNMPRequest::target() const
{
    return SnmpTarget{device, scope, security, timeout, retries, bulkRepetitions};
}

QString KxSNMPRequest::baseOid(int i) const
{
    const QString &oid = varList.Item(i).oid;
    return varList.indexSuffix.isEmpty() ? oid : oid + u'.' + varList.indexSuffix;
}

bool KxSNMPRequest::hasValidKind() const
{
    return varList.kind <= MVT_UMV;
}

SnmpPduType KxSNMPRequest::readType() const
{
    if (varList.kind == SVT_SV || (varList.kind == MVT_SV && !useGetNext))
        return SnmpPduType::Get;
    return SnmpPduType::GetNext;
}

// SNMPv1 has no GETBULK: its walks stay one row per exchange.
bool KxSNMPRequest::walksInBulk() const
{
    return bulkRepetitions > 0 && varList.IsTable() && security.version != SnmpCode::Version1;
}

SnmpBindings KxSNMPRequest::readBindings(bool first)
{
    if (!first && !varList.IsTable())
        KxException::raise(KxError::GetNextOnSingleValue);
    SnmpBindings bindings;
    bindings.reserve(static_cast<size_t>(varList.Count()));
    for (int i = 0; i < varList.Count(); ++i) {
        if (!varList.IsReadable(i))
            continue;
        KxSNMPVar &var = varList.Item(i);
        if (first) {
            var.lastOid.clear();
            bindings.push_back({varList.kind == SVT_SV ? baseOid(i) + u".0"_s : baseOid(i), {}});
        } else {
            bindings.push_back({var.lastOid, {}});
        }
    }
    return bindings;
}

bool KxSNMPRequest::Read(bool first, bool &ok)
{
    if (!active) {
        ok = false;
        return false;
    }
    if (!hasValidKind()) {
        report(KxError::BadListKind);
        ok = false;
        return false;
    }
    const SnmpBindings sent = readBindings(first);
    if (first)
        m_bulkRows.clear();
    const bool bulk = walksInBulk();
    const SnmpReply reply = bulk ? bulkRead(sent) : exchangeRead(sent, readType());
    const int code = StatusToError(reply.status).code;
    if (code != 0) {
        ok = false;
        if (!(code == NoSuchName && varList.IsTable()))
            report(code);
    } else if (!bulk) {
        readAhead(reply);
    }
    const Pass pass = processBindings(code, reply.bindings, sent);
    if (pass.endOfWalk)
        return false;
    return finishRow(pass);
}

// The reply for the bindings: the read-ahead's when it asked for the same.
SnmpReply KxSNMPRequest::exchangeRead(const SnmpBindings &sent, SnmpPduType type)
{
    const SnmpTarget to = target();
    if (m_readAhead.id) {
        const bool same = m_readAhead.target == to && m_readAhead.type == type
                          && std::equal(sent.cbegin(),
                                        sent.cend(),
                                        m_readAhead.sent.cbegin(),
                                        m_readAhead.sent.cend(),
                                        [](const SnmpBinding &a, const SnmpBinding &b) {
                                            return a.oid == b.oid;
                                        });
        const quint64 id = std::exchange(m_readAhead.id, 0);
        if (same)
            return SnmpAdapter::instance().reply(id);
        SnmpAdapter::instance().abandon(id);
    }
    return SnmpAdapter::instance().exchange(to, type, sent);
}

// The next row of a bulk walk: from the rows already fetched when they hold
// it, otherwise from a new GETBULK.
SnmpReply KxSNMPRequest::bulkRead(const SnmpBindings &sent)
{
    SnmpReply row;
    if (m_bulkRows.answer(sent, row))
        return row;
    SnmpReply reply = exchangeRead(sent, SnmpPduType::GetBulk);
    takeBulkRow(sent, reply);
    if (reply.status == 0)
        bulkReadAhead();
    return reply;
}

// Keeps a GETBULK reply's rows and leaves its first row in the reply; a
// failure or a reply shorter than one row stays as it came.
void KxSNMPRequest::takeBulkRow(const SnmpBindings &sent, SnmpReply &reply)
{
    m_bulkRows.clear();
    if (StatusToError(reply.status).code != 0)
        return;
    m_bulkRows.store(sent, reply);
    SnmpReply row;
    if (m_bulkRows.answer(sent, row))
        reply = std::move(row);
}

// Sends the next row's GET-NEXT of a table walk while no column has ended:
// its bindings are the OIDs just returned.
void KxSNMPRequest::readAhead(const SnmpReply &reply)
{
    if (!varList.IsTable() || !active)
        return;
    SnmpBindings next;
    next.reserve(reply.bindings.size());
    size_t n = 0;
    for (int i = 0; i < varList.Count(); ++i) {
        if (!varList.IsReadable(i))
            continue;
        if (n >= reply.bindings.size())
            return;
        const QString &returned = reply.bindings[n++].oid;
        if (IsColumnEnd(baseOid(i), varList.Item(i).lastOid, returned))
            return;
        next.push_back({returned, {}});
    }
    if (next.empty() || n != reply.bindings.size())
        return;
    startReadAhead(SnmpPduType::GetNext, std::move(next));
}

// Sends the GETBULK that follows the fetched rows while every column is
// still inside the table there.
void KxSNMPRequest::bulkReadAhead()
{
    if (!active)
        return;
    std::vector<QString> bases;
    for (int i = 0; i < varList.Count(); ++i) {
        if (varList.IsReadable(i))
            bases.push_back(baseOid(i));
    }
    SnmpBindings next;
    if (m_bulkRows.continuation(bases, next))
        startReadAhead(SnmpPduType::GetBulk, std::move(next));
}

void KxSNMPRequest::startReadAhead(SnmpPduType type, SnmpBindings next)
{
    int status = 0;
    const SnmpTarget to = target();
    m_readAhead.id = SnmpAdapter::instance().start(to, type, next, status);
    m_readAhead.target = to;
    m_readAhead.type = type;
    m_readAhead.sent = std::move(next);
}

void KxSNMPRequest::dropReadAhead()
{
    if (m_readAhead.id)
        SnmpAdapter::instance().abandon(std::exchange(m_readAhead.id, 0));
}

// Stores one reply into the readable variables, ending the columns that the
// walk has left.
KxSNMPRequest::Pass
KxSNMPRequest::processBindings(int code, const SnmpBindings &received, const SnmpBindings &sent)
{
    Pass pass;
    const bool v1EndPossible = code == NoSuchName && varList.IsTable();
    size_t next = 0;
    for (int i = 0; i < varList.Count(); ++i) {
        if (!varList.IsReadable(i))
            continue;
        if (next >= received.size() && next >= sent.size())
            break;
        const SnmpBinding &binding = next < received.size() ? received[next] : sent[next];
        ++next;
        KxSNMPVar &var = varList.Item(i);
        if (v1EndPossible) {
            if (var.lastOid == binding.oid) {
                pass.endOfWalk = true;
                return pass;
            }
            report(NoSuchName);
        }
        ++pass.processed;
        const QString base = baseOid(i);
        if (IsColumnEnd(base, var.lastOid, binding.oid)) {
            var.value = NotDoneText;
            var.lastOid = base + u'.' + BuildIndex();
            ++pass.ended;
            continue;
        }
        StoreValue(i, binding);
        var.lastOid = binding.oid;
        // Only a column still inside the table tells the row's index.
        if (pass.rowIndex.isEmpty() && binding.oid.size() > base.size())
            pass.rowIndex = binding.oid.mid(base.size() + 1);
    }
    return pass;
}

bool KxSNMPRequest::finishRow(const Pass &pass)
{
    if (pass.ended >= pass.processed)
        return false;
    if (varList.IsTable())
        DecodeIndex(pass.rowIndex);
    for (int i = 0; i < varList.Count(); ++i)
        EvaluateExpression(i, Phase::AfterRead);
    return varList.IsTable();
}

void KxSNMPRequest::ReadAsync(bool first, const KxCompletion &completion, void *user, bool &ok)
{
    if (!active) {
        ok = false;
        return;
    }
    if (!hasValidKind()) {
        report(KxError::BadListKind);
        ok = false;
        return;
    }
    AsyncContext context{completion, user, true, false, {}, readBindings(first)};
    if (first)
        m_bulkRows.clear();
    if (!walksInBulk()) {
        startAsync(readType(), std::move(context), ok);
        return;
    }
    SnmpReply row;
    if (m_bulkRows.answer(context.sent, row)) {
        postAsync(std::move(context), std::move(row));
        return;
    }
    context.bulk = true;
    startAsync(SnmpPduType::GetBulk, std::move(context), ok);
}

std::vector<int> KxSNMPRequest::applyPositions(const QString &positions, const QStringList *values)
{
    std::vector<int> chosen;
    if (positions.isEmpty())
        return chosen;
    KxNumList<int> numbers;
    numbers.separator = u',';
    numbers.Parse(positions);
    for (int i = 0; i < varList.Count(); ++i) {
        KxSNMPVar &var = varList.Item(i);
        const int at = numbers.IndexOf(i);
        if (at < 0) {
            var.access |= KxAccess::Invalid;
            continue;
        }
        var.access &= ~KxAccess::Invalid;
        if (values && at < values->size())
            var.value = values->at(at);
        chosen.push_back(i);
    }
    return chosen;
}

SnmpBindings KxSNMPRequest::writeBindings(std::vector<int> &written)
{
    if (!hasValidKind())
        KxException::raise(KxError::BadListKind);
    SnmpBindings bindings;
    QString rowIndex;
    bool rowIndexBuilt = false;
    for (int i = 0; i < varList.Count(); ++i) {
        if (!varList.IsWritable(i) || (varList.IsTable() && i < varList.keyCount))
            continue;
        SnmpBinding binding;
        if (varList.kind == SVT_SV) {
            binding.oid = baseOid(i) + u".0"_s;
        } else if (varList.kind == MVT_SV) {
            binding.oid = baseOid(i);
        } else {
            if (!rowIndexBuilt) {
                rowIndex = BuildIndex();
                rowIndexBuilt = true;
            }
            binding.oid = baseOid(i) + u'.' + rowIndex;
        }
        binding.value.type = wireTypeOf(varList.Item(i).syntax);
        PutValue(i, binding);
        bindings.push_back(std::move(binding));
        written.push_back(i);
    }
    return bindings;
}

bool KxSNMPRequest::Write(bool readBack,
                          const QString &positions,
                          const QStringList *values,
                          bool &ok)
{
    if (!active) {
        ok = false;
        return false;
    }
    const KxSNMPVarList saved(varList);
    std::vector<int> written;
    SnmpReply reply;
    try {
        applyPositions(positions, values);
        for (int i = 0; i < varList.Count(); ++i)
            EvaluateExpression(i, Phase::BeforeWrite);
        const SnmpBindings sent = writeBindings(written);
        reply = SnmpAdapter::instance().exchange(target(), SnmpPduType::Set, sent);
    } catch (...) {
        varList.Assign(saved);
        throw;
    }
    varList.Assign(saved);
    const int code = StatusToError(reply.status).code;
    if (code != 0) {
        ok = false;
        report(code);
        return false;
    }
    if (!readBack)
        return false;
    storeWritten(written, reply.bindings);
    return true;
}

void KxSNMPRequest::WriteAsync(const KxCompletion &completion,
                               void *user,
                               bool readBack,
                               const QString &positions,
                               const QStringList *values,
                               bool &ok)
{
    if (!active) {
        ok = false;
        return;
    }
    const KxSNMPVarList saved(varList);
    AsyncContext context{completion, user, readBack, true, {}, {}};
    try {
        applyPositions(positions, values);
        for (int i = 0; i < varList.Count(); ++i)
            EvaluateExpression(i, Phase::BeforeWrite);
        context.sent = writeBindings(context.written);
    } catch (...) {
        varList.Assign(saved);
        throw;
    }
    varList.Assign(saved);
    startAsync(SnmpPduType::Set, std::move(context), ok);
}

// Read-back: the reply's bindings, in order, are the written variables'.
void KxSNMPRequest::storeWritten(const std::vector<int> &written, const SnmpBindings &received)
{
    for (size_t n = 0; n < written.size() && n < received.size(); ++n)
        StoreValue(written[n], received[n]);
}

void KxSNMPRequest::startAsync(SnmpPduType type, AsyncContext context, bool &ok)
{
    auto id = std::make_shared<quint64>(0);
    auto shared = std::make_shared<AsyncContext>(std::move(context));
    int status = 0;
    *id = SnmpAdapter::instance().send(
        target(),
        type,
        shared->sent,
        [this, id, shared](SnmpReply &reply) { complete(*id, *shared, reply); },
        status);
    if (*id == 0) {
        report(StatusToError(status).code);
        ok = false;
        return;
    }
    track(*id);
}

// A row already fetched completes like a reply, from the event loop.
void KxSNMPRequest::postAsync(AsyncContext context, SnmpReply reply)
{
    auto id = std::make_shared<quint64>(0);
    auto shared = std::make_shared<AsyncContext>(std::move(context));
    *id = SnmpAdapter::instance().post(
        std::move(reply), [this, id, shared](SnmpReply &row) { complete(*id, *shared, row); });
    track(*id);
}

void KxSNMPRequest::track(quint64 id)
{
    ++m_pending;
    m_outstanding.insert(id);
}

void KxSNMPRequest::complete(quint64 id, const AsyncContext &context, SnmpReply &reply)
{
    m_outstanding.erase(id);
    if (context.bulk)
        takeBulkRow(context.sent, reply);
    KxSNMPError error;
    error.code = StatusToError(reply.status).code;
    error.message = ErrorMessage(error.code);
    error.errorIndex = reply.errorIndex;
    error.agentAddress = reply.agentAddress;
    error.agentPort = reply.agentPort;
    error.done = true;
    try {
        if (!context.isWrite
            && (error.code == 0 || (error.code == NoSuchName && varList.IsTable())))
            completeRead(context, reply, error);
        else if (context.isWrite && error.code == 0 && context.processValues)
            storeWritten(context.written, reply.bindings);
    } catch (const KxException &failure) {
        qCWarning(lcSnmp) << "Reply could not be stored:" << failure.message();
        error.code = failure.helpContext();
        error.message = failure.message();
        error.done = true;
    }
    // The callback may start the next exchange or destroy this request.
    --m_pending;
    if (context.completion)
        context.completion(context.user, error, varList);
}

void KxSNMPRequest::completeRead(const AsyncContext &context,
                                 const SnmpReply &reply,
                                 KxSNMPError &error)
{
    if (error.code == NoSuchName) {
        // SNMPv1 ends a walk with noSuchName for the OID it was given.
        const SnmpBindings &bindings = reply.bindings.empty() ? context.sent : reply.bindings;
        for (int i = 0; i < varList.Count() && !bindings.empty(); ++i) {
            if (!varList.IsReadable(i))
                continue;
            if (varList.Item(i).lastOid == bindings.front().oid) {
                error.code = 0;
                error.message = ErrorMessage(0);
            }
            break;
        }
        return;
    }
    if (!context.processValues)
        return;
    const Pass pass = processBindings(0, reply.bindings, context.sent);
    error.done = pass.ended >= pass.processed;
    if (error.done)
        return;
    if (varList.IsTable())
        DecodeIndex(pass.rowIndex);
    for (int i = 0; i < varList.Count(); ++i)
        EvaluateExpression(i, Phase::AfterRead);
    error.done = !varList.IsTable();
}

void KxSNMPRequest::report(int code)
{
    ++m_errorSequence;
    KxSNMPError error;
    error.code = code;
    error.message = ErrorMessage(code);
    error.sequence = m_errorSequence;
    if (errorHandler)
        errorHandler(error);
}

QString KxSNMPRequest::BuildIndex()
{
    QString index;
    for (int k = 0; k < varList.keyCount; ++k) {
        if (!index.isEmpty())
            index += u'.';
        index += EncodeKey(k);
    }
    return index;
}

void KxSNMPRequest::DecodeIndex(const QString &index)
{
    QString rest = index;
    for (int k = 0; k < varList.keyCount; ++k) {
        if (rest.isEmpty())
            KxException::raise(KxError::BadKeyCount);
        if (!varList.IsReadable(k))
            varList.Item(k).lastOid = baseOid(k) + u'.' + index;
        rest = DecodeKey(k, rest);
    }
}

QString KxSNMPRequest::SubstituteVariables(const QString &text, const QString &marker, bool quote)
{
    using namespace KxSyntax;
    QString result = text;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = result.indexOf(marker, from);
        if (at < 0 || marker.isEmpty())
            return result;
        qsizetype end = at + marker.size();
        while (end < result.size() && result.at(end).isDigit())
            ++end;
        bool ok = false;
        const int p
            = QStringView(result).mid(at + marker.size(), end - at - marker.size()).toInt(&ok);
        if (!ok || p < 0 || p >= varList.Count())
            KxException::raise(KxError::BadSyntaxInExpression);
        const KxSNMPVar &var = varList.Item(p);
        const QString value = var.options ? var.options->TextToValue(var.value) : var.value;
        if (value == NullText)
            KxException::raise(KxError::NullInExpression);
        QString operand;
        switch (var.syntax) {
        case Boolean:
        case Bool8:
        case Bool16:
            operand = value == u"true"_s ? u"1"_s : u"0"_s;
            break;
        case Integer:
        case Counter:
        case Gauge:
        case Counter64:
        case UInteger:
        case Double:
        case Int8:
        case UInt8:
        case Int16:
        case UInt16:
            operand = value;
            break;
        case TimeTicks:
            operand = QString::number(ParseTimeTicks(value));
            break;
        case BcDateTime:
            operand = DoubleText(ParseBcDateTime(value));
            break;
        default:
            if (!quote)
                KxException::raise(KxError::BadSyntaxInExpression);
            operand = u'"' + value + u'"';
        }
        result.replace(at, end - at, operand);
        // Go on after the operand, so that a value holding the marker is not read again.
        from = at + operand.size();
    }
}

QString KxSNMPRequest::DecodeKey(int k, const QString &rest)
{
    using namespace KxSyntax;
    KxSNMPVar &var = varList.Item(k);
    const SubIdentifiers subs = subIdentifiers(rest);
    const bool implied = k == varList.keyCount - 1 && varList.IsImplied(k);
    const auto need = [&subs](qsizetype count) {
        if (subs.size() < count)
            KxException::raise(KxError::BadKeyCount);
    };
    QString text;
    qsizetype used = 1;
    switch (var.syntax) {
    case Boolean:
        need(1);
        text = subs[0] != 0 ? u"true"_s : u"false"_s;
        break;
    case Integer:
        need(1);
        text = QString::number(static_cast<qint32>(subs[0]));
        break;
    case Counter:
    case Gauge:
    case UInteger:
        need(1);
        text = QString::number(subs[0]);
        break;
    case TimeTicks:
        need(1);
        text = TimeTicksText(subs[0]);
        break;
    case BitStr:
    case OctetStr:
    case Opaque:
    case DisplayStr: {
        qsizetype from = 0;
        used = subs.size();
        if (!implied) {
            need(1);
            from = 1;
            used = static_cast<qsizetype>(subs[0]) + 1;
            need(used);
        }
        const QByteArray octets = octetsOf(subs, from, used - from);
        text = var.syntax == DisplayStr ? DisplayText(octets) : HexText(octets);
        break;
    }
    case Null:
        text = NullText;
        used = 0;
        break;
    case ObjectId:
        if (implied) {
            text = rest;
            used = subs.size();
        } else {
            need(1);
            used = static_cast<qsizetype>(subs[0]) + 1;
            need(used);
            text = joined(subs, 1, used - 1);
        }
        break;
    case IpAddress:
    case NsapAddr:
        used = 4;
        need(used);
        text = joined(subs, 0, used);
        break;
    case Counter64:
        used = 2;
        need(used);
        text = QString::number(static_cast<quint64>(subs[0]) << 32 | subs[1]);
        break;
    case Double:
    case BcDateTime: {
        used = 2;
        need(used);
        const double value = DoubleFromHalves(subs[0], subs[1]);
        text = var.syntax == Double ? DoubleText(value) : BcDateTimeText(value);
        break;
    }
    case MacAddress:
        used = 6;
        need(used);
        text = HexText(octetsOf(subs, 0, used));
        break;
    case DateTime:
        used = KxDateTime::OctetCount;
        need(used);
        text = KxDateTime::fromOctets(octetsOf(subs, 0, used)).ToText();
        break;
    default:
        KxException::raise(KxError::BadSyntax);
    }
    var.value = var.options ? var.options->ValueToText(text) : text;
    return used >= subs.size() ? QString() : afterSubIdentifiers(rest, used);
}

QString KxSNMPRequest::EncodeKey(int k)
{
    using namespace KxSyntax;
    const KxSNMPVar &var = varList.Item(k);
    const QString value = var.options ? var.options->TextToValue(var.value) : var.value;
    const bool implied = k == varList.keyCount - 1 && varList.IsImplied(k);
    switch (var.syntax) {
    case Boolean:
        return value == u"true"_s ? u"1"_s : u"0"_s;
    case Integer:
    case Counter:
    case Gauge:
    case UInteger:
        return QString::number(static_cast<quint32>(LenientInteger(value)));
    case TimeTicks:
        return QString::number(ParseTimeTicks(value));
    case BitStr:
    case OctetStr:
    case Opaque:
        return octetKey(HexOctets(value), implied);
    case DisplayStr:
        return octetKey(DisplayOctets(value), implied);
    case Null:
        return {};
    case ObjectId: {
        if (implied)
            return value;
        const SubIdentifiers subs = subIdentifiers(value);
        return subs.empty() ? u"0"_s : QString::number(subs.size()) + u'.' + value;
    }
    case IpAddress:
    case NsapAddr:
        return octetKey(IpOctets(value), true);
    case Counter64: {
        const auto number = static_cast<quint64>(LenientInteger(value));
        return QStringLiteral("%1.%2").arg(number >> 32).arg(number & 0xffffffffu);
    }
    case Double:
        return halvesKey(value.trimmed().toDouble());
    case BcDateTime:
        return halvesKey(ParseBcDateTime(value));
    case MacAddress: {
        const QByteArray octets = HexOctets(value);
        return octets.size() < 6 ? QString() : octetKey(octets.left(6), true);
    }
    case DateTime:
        return octetKey(KxDateTime(value).toOctets(), true);
    default:
        KxException::raise(KxError::BadSyntax);
    }
}

void KxSNMPRequest::StoreValue(int i, const SnmpBinding &binding)
{
    using namespace KxSyntax;
    KxSNMPVar &var = varList.Item(i);
    const Family family = familyOf(var.syntax);
    if (family == Family::Unsupported)
        KxException::raise(KxError::BadSyntax);
    const SnmpValue &value = binding.value;
    const bool present = fits(value, family);
    const bool rawOctets = var.syntax == BitStr || var.syntax == OctetStr || var.syntax == Opaque
                           || var.syntax == MacAddress;
    QString text;
    if (rawOctets) {
        text = present ? HexText(value.octets) : QString();
    } else if (!present) {
        text = var.syntax == DisplayStr ? QString() : NullText;
    } else {
        switch (var.syntax) {
        case Boolean:
            text = unsignedOf(value) != 0 ? u"true"_s : u"false"_s;
            break;
        case Integer:
            text = QString::number(value.type == SnmpType::Integer
                                       ? value.number
                                       : static_cast<qint64>(unsignedOf(value)));
            break;
        case Counter:
        case Gauge:
        case UInteger:
            text = QString::number(static_cast<quint32>(unsignedOf(value)));
            break;
        case TimeTicks:
            text = TimeTicksText(static_cast<quint32>(unsignedOf(value)));
            break;
        case Counter64:
            text = QString::number(unsignedOf(value));
            break;
        case ObjectId:
            text = value.objectId;
            break;
        case IpAddress:
        case NsapAddr:
            text = IpText(value.octets);
            break;
        case Double:
            text = DoubleText(OctetsToDouble(value.octets));
            break;
        case DateTime:
            text = KxDateTime::fromOctets(value.octets).ToText();
            break;
        case BcDateTime:
            text = BcDateTimeText(OctetsToDouble(value.octets));
            break;
        case DisplayStr:
            text = DisplayText(value.octets);
            break;
        default:
            text = NullText;
        }
    }
    var.value = var.options ? var.options->ValueToText(text) : text;
}

void KxSNMPRequest::PutValue(int i, SnmpBinding &binding)
{
    using namespace KxSyntax;
    const KxSNMPVar &var = varList.Item(i);
    const QString text = var.options ? var.options->TextToValue(var.value) : var.value;
    SnmpValue &value = binding.value;
    if (text == NullText || var.syntax == Null) {
        value = SnmpValue();
        value.type = SnmpType::Null;
        return;
    }
    value.type = wireTypeOf(var.syntax);
    switch (var.syntax) {
    case Boolean:
        value.number = text.compare(u"true"_s, Qt::CaseInsensitive) == 0 ? 1 : 0;
        break;
    case Integer:
        value.number = static_cast<qint32>(LenientInteger(text));
        break;
    case Counter:
    case Gauge:
    case UInteger:
        value.number = static_cast<quint32>(LenientInteger(text));
        break;
    case TimeTicks:
        value.number = ParseTimeTicks(text);
        break;
    case Counter64:
        value.number64 = static_cast<quint64>(LenientInteger(text));
        break;
    case BitStr:
    case OctetStr:
    case Opaque:
    case MacAddress:
        value.octets = HexOctets(text);
        break;
    case ObjectId:
        value.objectId = text.trimmed();
        break;
    case IpAddress:
    case NsapAddr:
        value.octets = IpOctets(text);
        break;
    case Double:
        value.octets = DoubleToOctets(text.trimmed().toDouble());
        break;
    case DateTime:
        value.octets = KxDateTime(text).toOctets();
        break;
    case BcDateTime:
        value.octets = DoubleToOctets(ParseBcDateTime(text));
        break;
    case DisplayStr:
        value.octets = DisplayOctets(text);
        break;
    default:
        KxException::raise(KxError::BadSyntax);
    }
}

void KxSNMPRequest::EvaluateExpression(int i, Phase phase)
{
    using namespace KxSyntax;
    KxSNMPVar &var = varList.Item(i);
    const QString &expression = phase == Phase::BeforeWrite ? var.setExpression : var.getExpression;
    if (expression.isEmpty())
        return;
    const double result = KxExpression::Evaluate(SubstituteVariables(expression, u"$"_s, false));
    QString text;
    switch (var.syntax) {
    case Boolean:
        text = result != 0 ? u"true"_s : u"false"_s;
        break;
    case Integer:
        text = QString::number(
            static_cast<qint32>(clamped(std::trunc(result), -2147483648.0, 2147483647.0)));
        break;
    case Counter:
    case Gauge:
    case UInteger:
        text = QString::number(static_cast<quint32>(clamped(std::trunc(result), 0, 4294967295.0)));
        break;
    case TimeTicks:
        text = TimeTicksText(static_cast<quint32>(clamped(std::trunc(result), 0, 4294967295.0)));
        break;
    case Counter64:
        text = QString::number(static_cast<quint64>(clamped(std::trunc(result), 0, 1.8e19)));
        break;
    case Double:
        text = DoubleText(result);
        break;
    case BcDateTime:
        text = BcDateTimeText(result);
        break;
    default:
        KxException::raise(KxError::BadSyntaxInExpression);
    }
    var.value = var.options ? var.options->ValueToText(text) : text;
}

bool KxSNMPRequest::TestCondition(const QString &condition)
{
    if (condition.isEmpty())
        return true;
    return KxExpression::Test(SubstituteVariables(condition, u"$"_s, true));
}

// A returned OID is inside the column only when it starts with the base OID
// followed by "."; 1.3.6.1.2.1.2.2.1.20.1 is not inside 1.3.6.1.2.1.2.2.1.2.
bool KxSNMPRequest::IsColumnEnd(const QString &base, const QString &last, const QString &returned)
{
    if (!varList.IsTable())
        return false;
    const bool inside = returned.size() > base.size() + 1 && returned.startsWith(base)
                        && returned.at(base.size()) == u'.';
    return !inside || returned == last;
}
