#include "rmon/rmonpage.h"

using namespace Qt::StringLiterals;

RmonPage PageOfArguments(const QStringList &arguments)
{
    const std::pair<QString, RmonPage> selectors[] = {
        {u"/TRmon_Statistics"_s, RmonPage::Statistics},
        {u"/TRmon_History"_s, RmonPage::History},
        {u"/TRmon_AlarmEvent"_s, RmonPage::AlarmEvent},
    };
    for (const QString &argument : arguments) {
        for (const auto &[selector, page] : selectors) {
            if (argument.compare(selector, Qt::CaseInsensitive) == 0)
                return page;
        }
    }
    return RmonPage::Statistics;
}
