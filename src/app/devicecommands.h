#pragma once

#include <memory>

class KxSNMPRequest2Edits;
class QWidget;

// The switch commands of the main menu. Each writes one value with one SET
// and a time-out of 5 s; a failure is not shown, only logged.
inline constexpr int CommandTimeout = 500; // hundredths of a second

// agentSaveCfg = 3 (set): the switch stores its running configuration.
void SaveConfigurationOnSwitch();
// System Reset = 2 (cold-start).
void ColdStartSwitch();

// A synchronous binding over the maximum and current number of trunks and
// the link-aggregation algorithm, for the trunk-algorithm form.
std::unique_ptr<KxSNMPRequest2Edits> CreateTrunkAlgorithmBinding(QWidget *form);
