#include "rmon/variableprobe.h"

#include "snmp/kxexception.h"
#include "snmp/request.h"

using namespace Qt::StringLiterals;

namespace {

// How the access layer reports SNMPv1's noSuchName: the instance is missing.
constexpr int NoSuchNameCode = -102;

// A GET that keeps the wire type of the value it received.
class TypeRequest final : public KxSNMPRequest
{
public:
    void StoreValue(int i, const SnmpBinding &binding) override
    {
        type = binding.value.type;
        KxSNMPRequest::StoreValue(i, binding);
    }

    SnmpType type = SnmpType::NoValue;
};

QString ProblemOfType(const QString &oid, SnmpType type)
{
    switch (type) {
    case SnmpType::Integer:
    case SnmpType::Counter32:
    case SnmpType::Gauge32:
    case SnmpType::TimeTicks:
        return {};
    case SnmpType::NoValue:
    case SnmpType::Null:
    case SnmpType::NoSuchObject:
    case SnmpType::NoSuchInstance:
    case SnmpType::EndOfMibView:
        return u"The switch has no variable "_s + oid + u"."_s;
    default:
        return u"The variable "_s + oid
               + u" is not an integer: an alarm can only sample INTEGER, Counter32, Gauge32 or "
                 u"TimeTicks values."_s;
    }
}

} // namespace

VariableProbe::VariableProbe(QObject *parent)
    : QObject(parent)
    , m_request(std::make_unique<TypeRequest>())
{}

// Answers that come in while the request waits for them are ignored.
VariableProbe::~VariableProbe()
{
    blockSignals(true);
}

bool VariableProbe::probe(const QString &oid)
{
    if (m_busy)
        return false;
    const QByteArray oidText = oid.toLatin1();
    const KxSNMPVarDesc variable[] = {
        {oidText.constData(), "alarmVariable", KxSyntax::Integer, KxAccess::ReadOnly},
        {},
    };
    m_request->varList.Assign(KxSNMPVarList(variable, MVT_SV, 0));
    auto &request = static_cast<TypeRequest &>(*m_request);
    request.type = SnmpType::NoValue;
    m_busy = true;
    bool ok = true;
    try {
        m_request->ReadAsync(
            true,
            [this, oid, &request](void *, const KxSNMPError &reply, KxSNMPVarList &) {
                if (signalsBlocked())
                    return;
                m_busy = false;
                if (reply.code != 0 && reply.code != NoSuchNameCode)
                    Q_EMIT probed(oid, reply.message);
                else
                    Q_EMIT probed(
                        oid,
                        ProblemOfType(oid,
                                      reply.code == 0 ? request.type : SnmpType::NoSuchObject));
            },
            this,
            ok);
    } catch (const KxException &error) {
        m_busy = false;
        Q_EMIT probed(oid, error.message());
        return true;
    }
    if (!ok) {
        m_busy = false;
        Q_EMIT probed(oid, u"The request could not be sent."_s);
    }
    return true;
}
