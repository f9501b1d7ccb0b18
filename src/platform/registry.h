#pragma once

#include <QString>

#include <optional>

// The station's install folder, stored by the management station in the
// system-wide settings "Orvane/Vantrel5.1", key "ExePath/Path" (on Windows the
// registry key HKLM\SOFTWARE\Orvane\Vantrel5.1\ExePath, value "Path").
// Empty optional when the key or value does not exist; never creates it.
std::optional<QString> ReadStationPath();
