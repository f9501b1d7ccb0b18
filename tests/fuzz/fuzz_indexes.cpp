// Row indexes and values from the agent: the index decoded into key variables
// of every syntax and built again, and the value conversions.
#include "snmp/conversions.h"
#include "snmp/kxexception.h"
#include "snmp/request.h"

#include <cstddef>
#include <cstdint>

namespace {

const KxSyntax::Code keySyntaxes[] = {
    KxSyntax::Integer,
    KxSyntax::OctetStr,
    KxSyntax::DisplayStr,
    KxSyntax::IpAddress,
    KxSyntax::MacAddress,
    KxSyntax::ObjectId,
    KxSyntax::Counter64,
    KxSyntax::TimeTicks,
    KxSyntax::Double,
    KxSyntax::BcDateTime,
    KxSyntax::UInt16,
    KxSyntax::Gauge,
};

void decodeIndex(const QString &index, KxSyntax::Code syntax, bool implied)
{
    const qint32 access = KxAccess::NotAccess | (implied ? KxAccess::Implied : 0);
    const KxSNMPVarDesc table[]
        = {{"1.3.6.1.4.1.88508.9.1", "key", syntax, access},
           {"1.3.6.1.4.1.88508.9.2", "second", KxSyntax::Integer, KxAccess::NotAccess},
           {"1.3.6.1.4.1.88508.9.3", "column", KxSyntax::Integer, KxAccess::ReadOnly},
           {}};
    KxSNMPRequest request;
    request.varList.Assign(KxSNMPVarList(table, MVT_FMV, implied ? 1 : 2));
    try {
        request.DecodeIndex(index);
        request.BuildIndex();
    } catch (const KxException &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray octets(reinterpret_cast<const char *>(data + 1),
                            static_cast<qsizetype>(size - 1));
    const QString text = QString::fromUtf8(octets);
    const auto syntax = keySyntaxes[data[0] % std::size(keySyntaxes)];
    decodeIndex(text, syntax, data[0] & 0x80);

    KxConvert::HexText(octets);
    KxConvert::HexOctets(text);
    KxConvert::TimeTicksText(KxConvert::ParseTimeTicks(text));
    KxConvert::LenientInteger(text);
    KxConvert::DoubleText(KxConvert::OctetsToDouble(octets));
    KxConvert::BcDateTimeText(KxConvert::ParseBcDateTime(text));
    KxConvert::DisplayOctets(KxConvert::DisplayText(octets));
    KxConvert::IpOctets(KxConvert::IpText(octets));
    KxConvert::IpOctets(text);
    return 0;
}
