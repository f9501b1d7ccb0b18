#include "binding/partconvert.h"

#include "snmp/conversions.h"
#include "snmp/datetime.h"
#include "snmp/errors.h"
#include "snmp/kxexception.h"
#include "snmp/varlist.h"

#include <QStringList>
#include <QtEndian>

#include <optional>

using namespace Qt::StringLiterals;
using namespace KxConvert;

namespace {

constexpr int BadSyntax = -511;
constexpr int BadPartValue = -518;
constexpr int PartOutOfRange = -519;
constexpr int RestOfValue = -1;

// The byte size of a syntax, RestOfValue for the variable-length ones, or
// none for an unknown syntax.
std::optional<int> partSize(qint32 syntax)
{
    switch (syntax) {
    case KxSyntax::Boolean:
    case KxSyntax::Integer:
    case KxSyntax::Counter:
    case KxSyntax::Gauge:
    case KxSyntax::UInteger:
    case KxSyntax::TimeTicks:
    case KxSyntax::IpAddress:
    case KxSyntax::NsapAddr:
        return 4;
    case KxSyntax::Counter64:
    case KxSyntax::Double:
    case KxSyntax::BcDateTime:
        return 8;
    case KxSyntax::MacAddress:
        return 6;
    case KxSyntax::DateTime:
        return KxDateTime::OctetCount;
    case KxSyntax::Null:
        return 0;
    case KxSyntax::Bool8:
    case KxSyntax::Int8:
    case KxSyntax::UInt8:
        return 1;
    case KxSyntax::Bool16:
    case KxSyntax::Int16:
    case KxSyntax::UInt16:
        return 2;
    case KxSyntax::BitStr:
    case KxSyntax::OctetStr:
    case KxSyntax::Opaque:
    case KxSyntax::ObjectId:
    case KxSyntax::DisplayStr:
        return RestOfValue;
    default:
        return std::nullopt;
    }
}

int sizeOrRaise(qint32 syntax)
{
    const std::optional<int> size = partSize(syntax);
    if (!size)
        KxException::raise(BadSyntax);
    return *size;
}

template<typename T>
QByteArray littleEndian(T value)
{
    QByteArray bytes(sizeof(T), Qt::Uninitialized);
    qToLittleEndian(value, bytes.data());
    return bytes;
}

template<typename T>
QByteArray bigEndian(T value)
{
    QByteArray bytes(sizeof(T), Qt::Uninitialized);
    qToBigEndian(value, bytes.data());
    return bytes;
}

template<typename T>
T fromLittle(const QByteArray &bytes)
{
    return qFromLittleEndian<T>(bytes.constData());
}

template<typename T>
T fromBig(const QByteArray &bytes)
{
    return qFromBigEndian<T>(bytes.constData());
}

QByteArray objectIdBytes(const QString &text)
{
    QByteArray bytes;
    for (const QString &component : text.split(u'.', Qt::SkipEmptyParts))
        bytes += littleEndian(static_cast<quint32>(LenientInteger(component)));
    return bytes;
}

QString objectIdText(const QByteArray &bytes)
{
    QStringList components;
    for (qsizetype at = 0; at + 4 <= bytes.size(); at += 4)
        components << QString::number(qFromLittleEndian<quint32>(bytes.constData() + at));
    return components.join(u'.');
}

} // namespace

QByteArray PartTextToBytes(const QString &text, qint32 syntax)
{
    sizeOrRaise(syntax);
    if (text == u"(NULL)"_s)
        return {};
    const bool isTrue = text == u"true"_s;
    switch (syntax) {
    case KxSyntax::Boolean:
        return littleEndian<quint32>(isTrue);
    case KxSyntax::Integer:
    case KxSyntax::Counter:
    case KxSyntax::Gauge:
    case KxSyntax::UInteger:
        return littleEndian(static_cast<quint32>(LenientInteger(text)));
    case KxSyntax::TimeTicks:
        return littleEndian(ParseTimeTicks(text));
    case KxSyntax::Counter64:
        return littleEndian(static_cast<quint64>(LenientInteger(text)));
    case KxSyntax::Double:
        return DoubleToOctets(text.toDouble());
    case KxSyntax::IpAddress:
    case KxSyntax::NsapAddr:
        return IpOctets(text);
    case KxSyntax::DateTime:
        return KxDateTime(text).toOctets();
    case KxSyntax::BcDateTime:
        return DoubleToOctets(ParseBcDateTime(text));
    case KxSyntax::MacAddress:
    case KxSyntax::BitStr:
    case KxSyntax::OctetStr:
    case KxSyntax::Opaque:
        return HexOctets(text);
    case KxSyntax::ObjectId:
        return objectIdBytes(text);
    case KxSyntax::DisplayStr:
        return text.toLocal8Bit();
    case KxSyntax::Bool8:
        return QByteArray(1, isTrue ? 1 : 0);
    case KxSyntax::Int8:
    case KxSyntax::UInt8:
        return QByteArray(1, static_cast<char>(LenientInteger(text)));
    case KxSyntax::Bool16:
        return bigEndian<quint16>(isTrue);
    case KxSyntax::Int16:
    case KxSyntax::UInt16:
        return bigEndian(static_cast<quint16>(LenientInteger(text)));
    default:
        return {};
    }
}

QByteArray ExtractPart(const QByteArray &bytes, int offset, qint32 syntax)
{
    const int size = sizeOrRaise(syntax);
    if (bytes.isEmpty())
        return {};
    const qsizetype length = size == RestOfValue ? bytes.size() - offset : size;
    if (offset < 0 || length < 0 || offset + length > bytes.size())
        KxException::raise(PartOutOfRange);
    return bytes.mid(offset, length);
}

QString BytesToPartText(const QByteArray &bytes, qint32 syntax)
{
    const int size = sizeOrRaise(syntax);
    if (bytes.isEmpty())
        return syntax == KxSyntax::DisplayStr ? QString() : u"(NULL)"_s;
    if (bytes.size() < size)
        KxException::raise(BadPartValue);
    const auto truth = [](bool value) {
        return value ? u"true"_s : u"false"_s;
    };
    switch (syntax) {
    case KxSyntax::Boolean:
        return truth(fromLittle<quint32>(bytes) != 0);
    case KxSyntax::Integer:
        return QString::number(fromLittle<qint32>(bytes));
    case KxSyntax::Counter:
    case KxSyntax::Gauge:
    case KxSyntax::UInteger:
        return QString::number(fromLittle<quint32>(bytes));
    case KxSyntax::TimeTicks:
        return TimeTicksText(fromLittle<quint32>(bytes));
    case KxSyntax::Counter64:
        return QString::number(fromLittle<quint64>(bytes));
    case KxSyntax::Double:
        return DoubleText(OctetsToDouble(bytes));
    case KxSyntax::IpAddress:
    case KxSyntax::NsapAddr:
        return IpText(bytes);
    case KxSyntax::DateTime:
        return KxDateTime::fromOctets(bytes).ToText();
    case KxSyntax::BcDateTime:
        return BcDateTimeText(OctetsToDouble(bytes));
    case KxSyntax::MacAddress:
        return HexText(bytes.first(6));
    case KxSyntax::BitStr:
    case KxSyntax::OctetStr:
    case KxSyntax::Opaque:
        return HexText(bytes);
    case KxSyntax::ObjectId:
        return objectIdText(bytes);
    case KxSyntax::DisplayStr:
        return QString::fromLocal8Bit(bytes);
    case KxSyntax::Null:
        return u"(NULL)"_s;
    case KxSyntax::Bool8:
        return truth(bytes.at(0) != 0);
    case KxSyntax::Int8:
        return QString::number(static_cast<qint8>(bytes.at(0)));
    case KxSyntax::UInt8:
        return QString::number(static_cast<quint8>(bytes.at(0)));
    case KxSyntax::Bool16:
        return truth(fromBig<quint16>(bytes) != 0);
    default: // Int16, UInt16: shown unsigned
        return QString::number(fromBig<quint16>(bytes));
    }
}
