#pragma once

#include <QStringList>

// The pages of the RMON program, in tab order.
enum class RmonPage { Statistics, History, AlarmEvent };

// The page the command line's selector ("/TRmon_Statistics", "/TRmon_History",
// "/TRmon_AlarmEvent") names; Statistics without a known selector.
RmonPage PageOfArguments(const QStringList &arguments);
