#include "files/tftppacket.h"

#include <QSet>
#include <QtEndian>

namespace Tftp {

namespace {

// The zero-terminated field starting at `from`; `terminated` tells whether the
// zero byte was there. `from` moves past the field and its terminator.
QByteArray TakeField(QByteArrayView datagram, qsizetype &from, bool &terminated)
{
    const qsizetype end = datagram.indexOf('\0', from);
    terminated = end >= 0;
    const qsizetype stop = terminated ? end : datagram.size();
    QByteArray field = datagram.sliced(from, stop - from).toByteArray();
    from = stop + 1;
    return field;
}

void AppendNumber(QByteArray &packet, quint16 value)
{
    packet.append(char(value >> 8));
    packet.append(char(value & 0xff));
}

std::optional<qint64> DecimalValue(const QByteArray &text)
{
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    qint64 value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<Request> ParseRequest(QByteArrayView datagram)
{
    if (datagram.size() < HeaderSize)
        return std::nullopt;
    Request request;
    request.opcode = OpcodeOf(datagram);
    if (request.opcode != Rrq && request.opcode != Wrq)
        return std::nullopt;
    qsizetype at = 2;
    request.fileName = TakeField(datagram, at, request.fileNameTerminated);
    if (!request.fileNameTerminated)
        return request;
    request.mode = TakeField(datagram, at, request.modeTerminated);
    while (request.modeTerminated && at < datagram.size()) {
        bool nameEnds = false;
        bool valueEnds = false;
        QByteArray name = TakeField(datagram, at, nameEnds);
        if (!nameEnds)
            break;
        QByteArray value = TakeField(datagram, at, valueEnds);
        if (!valueEnds)
            break;
        if (request.options.size() == MaxOptions) {
            request.tooManyOptions = true;
            break;
        }
        request.options.append({std::move(name), std::move(value)});
    }
    return request;
}

quint16 OpcodeOf(QByteArrayView datagram)
{
    return qFromBigEndian<quint16>(datagram.data());
}

quint16 BlockOf(QByteArrayView datagram)
{
    return qFromBigEndian<quint16>(datagram.data() + 2);
}

void PutHeader(char *packet, quint16 opcode, quint16 number)
{
    qToBigEndian<quint16>(opcode, packet);
    qToBigEndian<quint16>(number, packet + 2);
}

QByteArray MakeData(quint16 block, QByteArrayView data)
{
    QByteArray packet(HeaderSize, Qt::Uninitialized);
    PutHeader(packet.data(), Data, block);
    packet.append(data);
    return packet;
}

QByteArray MakeAck(quint16 block)
{
    QByteArray packet;
    AppendNumber(packet, Ack);
    AppendNumber(packet, block);
    return packet;
}

QByteArray MakeError(quint16 code)
{
    QByteArray packet;
    AppendNumber(packet, Error);
    AppendNumber(packet, code);
    packet.append('\0');
    return packet;
}

QByteArray MakeOack(const QList<Option> &options)
{
    QByteArray packet;
    AppendNumber(packet, Oack);
    for (const Option &option : options) {
        packet.append(option.first).append('\0');
        packet.append(option.second).append('\0');
    }
    return packet;
}

Negotiation Negotiate(const QList<Option> &options, quint16 opcode, qint64 fileSize)
{
    Negotiation result;
    QSet<QByteArray> seen;
    for (const Option &option : options) {
        const QByteArray name = option.first.toLower();
        if (seen.contains(name))
            continue;
        seen.insert(name);
        const std::optional<qint64> value = DecimalValue(option.second);
        if (!value)
            continue;
        if (name == "blksize" && *value >= MinBlockSize) {
            result.blockSize = int(qMin<qint64>(*value, MaxBlockSize));
            result.acknowledged.append({name, QByteArray::number(result.blockSize)});
        } else if (name == "timeout" && *value >= 1 && *value <= 255) {
            result.timeoutSeconds = int(*value);
            result.acknowledged.append({name, QByteArray::number(*value)});
        } else if (name == "tsize" && (opcode == Wrq || fileSize > 0)) {
            const qint64 size = opcode == Rrq ? fileSize : *value;
            result.acknowledged.append({name, QByteArray::number(size)});
        } else if (name == "windowsize" && *value >= 1 && *value <= 65535) {
            result.windowSize = int(qMin<qint64>(*value, MaxWindowSize));
            result.acknowledged.append({name, QByteArray::number(result.windowSize)});
        }
    }
    return result;
}

} // namespace Tftp
