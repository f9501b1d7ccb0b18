#pragma once

#include "device/settingsdialog.h"

#include <memory>

class QTreeWidgetItem;

// The state of one row of the traffic port control table, taken from the
// opener's list row (its index and state cells); Apply writes the state of
// that row and closes the dialog.
class Tfrm_TrafficPortCtrl final : public TSettingsDialog
{
public:
    explicit Tfrm_TrafficPortCtrl(const QTreeWidgetItem &row, QWidget *parent = nullptr);

protected:
    void bbtnApplyClick() override;
};

// The editor of the list row, or null without a row.
std::unique_ptr<QDialog> MakeTrafficPortCtrlEditor(const QTreeWidgetItem *row, QWidget *parent);
