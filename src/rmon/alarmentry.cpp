#include "rmon/alarmentry.h"

#include "forms/entrychecks.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 Int32Min = -2147483648LL;
constexpr qint64 Int32Max = 2147483647LL;
constexpr qint64 EventIndexMax = 65535;
constexpr int OwnStringMax = 127;

QString EmptyMessage(const QString &field)
{
    return u"Please enter "_s + field + u"."_s;
}

QString NumberProblem(const QString &text, const QString &field, qint64 min, qint64 max)
{
    if (text.trimmed().isEmpty())
        return EmptyMessage(field);
    if (!isIntegerIn(text.trimmed(), min, max))
        return u"The "_s + field + u" must be a whole number from "_s + QString::number(min)
               + u" to "_s + QString::number(max) + u"."_s;
    return {};
}

QString EventProblem(const QString &text, const QString &field, const std::set<quint32> &events)
{
    const QString problem = NumberProblem(text, field, 0, EventIndexMax);
    if (!problem.isEmpty())
        return problem;
    const quint32 index = text.trimmed().toUInt();
    if (index != 0 && !events.contains(index))
        return u"There is no event "_s + QString::number(index) + u" for the "_s + field
               + u": create the event first, or enter 0 for none."_s;
    return {};
}

} // namespace

bool isObjectIdentifier(const QString &text)
{
    const QString dotted = text.startsWith(u'.') ? text.mid(1) : text;
    const QStringList parts = dotted.split(u'.');
    if (parts.size() < 2)
        return false;
    for (const QString &part : parts) {
        if (!isIntegerIn(part, 0, 4294967295LL))
            return false;
    }
    return true;
}

QString AlarmEntryProblem(const AlarmEntry &entry, const std::set<quint32> &events)
{
    const QString variable = entry.variable.trimmed();
    if (variable.isEmpty())
        return EmptyMessage(u"the variable to sample"_s);
    if (!isObjectIdentifier(variable))
        return u"The variable must be a numeric object identifier such as "
               u"1.3.6.1.2.1.16.1.1.1.4.5."_s;
    const QString checks[] = {
        NumberProblem(entry.interval, u"interval in seconds"_s, 1, Int32Max),
        NumberProblem(entry.rising, u"rising threshold"_s, Int32Min, Int32Max),
        NumberProblem(entry.falling, u"falling threshold"_s, Int32Min, Int32Max),
        EventProblem(entry.risingEvent, u"rising event"_s, events),
        EventProblem(entry.fallingEvent, u"falling event"_s, events),
    };
    for (const QString &problem : checks) {
        if (!problem.isEmpty())
            return problem;
    }
    const qint64 rising = entry.rising.trimmed().toLongLong();
    const qint64 falling = entry.falling.trimmed().toLongLong();
    if (falling > rising)
        return u"The falling threshold ("_s + QString::number(falling)
               + u") must not be above the rising threshold ("_s + QString::number(rising)
               + u")."_s;
    return {};
}

QString EventEntryProblem(const EventEntry &entry)
{
    if (entry.description.trimmed().isEmpty())
        return EmptyMessage(u"the event's description"_s);
    if (entry.description.size() > OwnStringMax)
        return u"The description must not be longer than 127 characters."_s;
    if (entry.community.size() > OwnStringMax)
        return u"The community must not be longer than 127 characters."_s;
    return {};
}
