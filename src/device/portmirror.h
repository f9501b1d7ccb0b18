#pragma once

#include "device/settingsdialog.h"

// The port mirror: the target port that receives the copies, the ports whose
// received and sent traffic is copied, and the mirroring state, written
// together in one SET.
class Tfm_PortMirror final : public TSettingsDialog
{
public:
    explicit Tfm_PortMirror(QWidget *parent = nullptr);
};
