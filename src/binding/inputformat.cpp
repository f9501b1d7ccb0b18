#include "binding/inputformat.h"

#include "snmp/errors.h"
#include "snmp/kxexception.h"

#include <QLocale>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr int BadFormat = -2;

[[noreturn]] void reject()
{
    throw KxException(BadFormat, CommonMessage(BadFormat));
}

void setDefaultBounds(InputFormat &format)
{
    switch (format.conversion.unicode()) {
    case 'i':
        format.lower = std::numeric_limits<qint32>::min();
        format.upper = std::numeric_limits<qint32>::max();
        break;
    case 'u':
    case 'n':
        format.lower = 0;
        format.upper = std::numeric_limits<quint32>::max();
        break;
    case 'f':
        format.lower = std::numeric_limits<double>::lowest();
        format.upper = std::numeric_limits<double>::max();
        break;
    default:
        break;
    }
}

// Reads the run of characters from `allowed` at `pos`; rejects an empty run.
QString takeRun(const QString &block, qsizetype &pos, QStringView allowed)
{
    const qsizetype start = pos;
    while (pos < block.size() && allowed.contains(block.at(pos)))
        ++pos;
    if (pos == start)
        reject();
    return block.mid(start, pos - start);
}

double toBound(const QString &run)
{
    bool ok = false;
    const double value = run.toDouble(&ok);
    if (!ok)
        reject();
    return value;
}

int toCount(const QString &run)
{
    bool ok = false;
    const int value = run.toInt(&ok);
    if (!ok)
        reject();
    return value;
}

void parseOptions(const QString &block, InputFormat &format)
{
    static constexpr QStringView number = u"-0123456789.";
    static constexpr QStringView digits = u"0123456789";
    qsizetype pos = 0;
    while (pos < block.size()) {
        const QChar option = block.at(pos++);
        switch (option.unicode()) {
        case 'n':
            format.lower = toBound(takeRun(block, pos, number));
            break;
        case 'x':
            format.upper = toBound(takeRun(block, pos, number));
            break;
        case 'l':
            format.lengthLimit = toCount(takeRun(block, pos, digits));
            for (int taken = 0; taken < 3 && pos < block.size(); ++taken, ++pos) {
                const QChar flag = block.at(pos);
                if (flag == u'a')
                    format.flags |= InputFormat::AdvanceWhenFull;
                else if (flag == u'f')
                    format.flags |= InputFormat::FixedLength;
                else if (flag == u'n')
                    format.flags |= InputFormat::Required;
                else
                    break;
            }
            break;
        case 'w':
            format.width = toCount(takeRun(block, pos, digits));
            break;
        case 'e':
            if (pos >= block.size())
                reject();
            format.endCharacter = block.at(pos++);
            break;
        default:
            reject();
        }
    }
}

QString shortest(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString wholeNumber(double value)
{
    return QString::number(static_cast<quint64>(std::max(0.0, std::trunc(value))));
}

QString fill(int code, std::initializer_list<std::pair<const char *, QString>> values)
{
    QString text = CommonMessage(code);
    for (const auto &[placeholder, value] : values)
        text.replace(QLatin1StringView(placeholder), value);
    return text;
}

bool isHexDigit(QChar c)
{
    return c.isDigit() || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

// Reads the leading decimal digits of a piece of an `n` text; the digits after a
// decimal point are dropped. False for a piece without digits.
bool readWholeNumber(QStringView piece, double &value)
{
    const qsizetype point = piece.indexOf(u'.');
    const QStringView whole = point < 0 ? piece : piece.first(point);
    bool ok = false;
    value = whole.toDouble(&ok);
    return ok && !whole.isEmpty();
}

} // namespace

qsizetype InputFormat::firstMisfit(const QString &text) const
{
    bool seenPoint = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        bool fits = c.isDigit();
        switch (conversion.unicode()) {
        case 'i':
            fits = fits || (c == u'-' && i == 0);
            break;
        case 'f':
            fits = fits || (c == u'-' && i == 0) || (c == u'.' && !seenPoint);
            seenPoint = seenPoint || c == u'.';
            break;
        case 'h':
            fits = isHexDigit(c);
            break;
        case 's':
            fits = true;
            break;
        case 'n':
            fits = fits || (c == delimiter && i > 0 && text.at(i - 1) != delimiter);
            break;
        default:
            break;
        }
        if (!fits)
            return i;
    }
    return -1;
}

int InputFormat::validate(const QString &text, QString *message) const
{
    const auto fail = [message](int code, QString filled) {
        if (message)
            *message = std::move(filled);
        return code;
    };
    if (text.isEmpty())
        return hasFlag(Required) ? fail(-3, CommonMessage(-3)) : 0;

    switch (conversion.unicode()) {
    case 'i':
    case 'u':
    case 'f': {
        bool ok = true;
        const double value = text == u"-"_s ? 0.0 : text.toDouble(&ok);
        if (!ok || value < lower || value > upper)
            return fail(-8, fill(-8, {{"[MIN]", shortest(lower)}, {"[MAX]", shortest(upper)}}));
        return 0;
    }
    case 's':
    case 'h': {
        if (lengthLimit <= 0)
            return 0;
        const bool hex = conversion == u'h';
        const QString limit = QString::number(lengthLimit);
        if (hasFlag(FixedLength) && text.size() != lengthLimit)
            return fail(hex ? -7 : -5, fill(hex ? -7 : -5, {{"[LEN]", limit}}));
        if (!hasFlag(FixedLength) && text.size() > lengthLimit)
            return fail(hex ? -6 : -4, fill(hex ? -6 : -4, {{"[MAXLEN]", limit}}));
        return 0;
    }
    case 'n': {
        const QList<QStringView> pieces = QStringView(text).split(delimiter);
        const QString delimiterText(delimiter);
        const QString count = QString::number(lengthLimit);
        if (lengthLimit > 0 && hasFlag(FixedLength) && pieces.size() != lengthLimit)
            return fail(-10, fill(-10, {{"[DELIMITER]", delimiterText}, {"[COUNT]", count}}));
        if (lengthLimit > 0 && !hasFlag(FixedLength) && pieces.size() > lengthLimit)
            return fail(-9, fill(-9, {{"[DELIMITER]", delimiterText}, {"[MAXCOUNT]", count}}));
        const double low = std::trunc(lower);
        const double high = std::trunc(upper);
        for (QStringView piece : pieces) {
            double value = 0;
            if (!readWholeNumber(piece, value) || value < low || value > high)
                return fail(-11,
                            fill(-11,
                                 {{"[DELIMITER]", delimiterText},
                                  {"[MIN]", wholeNumber(lower)},
                                  {"[MAX]", wholeNumber(upper)}}));
        }
        return 0;
    }
    default:
        return 0;
    }
}

InputFormat ParseInputFormat(const QString &text)
{
    static constexpr QStringView conversions = u"fhinsu";
    if (text.size() < 2 || text.at(0) != u'%' || !conversions.contains(text.at(1)))
        reject();
    InputFormat format;
    format.conversion = text.at(1);
    qsizetype pos = 2;
    if (format.conversion == u'n') {
        if (text.size() < 3)
            reject();
        format.delimiter = text.at(2);
        pos = 3;
    }
    setDefaultBounds(format);
    if (pos < text.size()) {
        if (text.at(pos) != u'{' || !text.endsWith(u'}') || text.size() - pos < 2)
            reject();
        parseOptions(text.mid(pos + 1, text.size() - pos - 2), format);
    }
    return format;
}

QStringList SplitCompositeFormat(const QString &format)
{
    QStringList pieces;
    qsizetype start = 0;
    for (qsizetype i = 1; i <= format.size(); ++i) {
        if (i == format.size() || format.at(i) == u'%') {
            pieces << format.mid(start, i - start);
            start = i;
        }
    }
    return pieces;
}
