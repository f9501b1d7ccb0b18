#pragma once

#include "device/settingsdialog.h"

// The switch's RMON state; Apply writes it and closes the dialog, whose
// opener then updates the RMON menu items.
class Tfrm_RmonStatus final : public TSettingsDialog
{
public:
    explicit Tfrm_RmonStatus(QWidget *parent = nullptr);

protected:
    void bbtnApplyClick() override;
};
