#pragma once

#include <QString>

#include <set>

// What the user typed for a new alarm or event, checked before anything is
// written. Each check returns an empty text when the entry is sound,
// otherwise the message to show.

struct AlarmEntry
{
    QString variable;
    QString interval;
    QString rising;
    QString falling;
    QString risingEvent;
    QString fallingEvent;
};

// events: the indexes of the switch's events; 0 names no event.
QString AlarmEntryProblem(const AlarmEntry &entry, const std::set<quint32> &events);

struct EventEntry
{
    QString description;
    QString community;
};

QString EventEntryProblem(const EventEntry &entry);

// A dotted object identifier of at least two numbers ("1.3.6.1.2.1.16.1.1.1.4.5"),
// a leading "." allowed.
bool isObjectIdentifier(const QString &text);
