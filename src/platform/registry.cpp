#include "platform/registry.h"

#include <QSettings>

std::optional<QString> ReadStationPath()
{
    const QSettings settings(
        QSettings::SystemScope, QStringLiteral("Orvane"), QStringLiteral("Vantrel5.1"));
    const QVariant value = settings.value(QStringLiteral("ExePath/Path"));
    if (!value.isValid())
        return std::nullopt;
    return value.toString();
}
