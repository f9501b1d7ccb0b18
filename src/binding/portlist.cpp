#include "binding/portlist.h"

QString ExpandPortList(const QString &hex)
{
    QString members;
    members.reserve(hex.size() * 4);
    for (const QChar c : hex) {
        bool ok = false;
        const int digit = QString(c).toInt(&ok, 16);
        if (!ok)
            continue;
        for (int bit = 3; bit >= 0; --bit)
            members += (digit >> bit) & 1 ? u'1' : u'0';
    }
    return members;
}

QString PackPortList(const QString &members)
{
    QString hex;
    for (qsizetype i = 0; i < members.size(); i += 4) {
        int digit = 0;
        for (qsizetype bit = 0; bit < 4; ++bit)
            digit = (digit << 1) | (i + bit < members.size() && members.at(i + bit) == u'1');
        hex += QString::number(digit, 16).toUpper();
    }
    return hex;
}
