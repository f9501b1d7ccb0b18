#pragma once

#include "forms/pageddialog.h"

// The switch's SSH server: its settings, the user authentication methods it
// accepts and the algorithms it offers, one page each.
class TSSHConfigForm final : public TPagedBindingDialog
{
public:
    explicit TSSHConfigForm(QWidget *parent = nullptr);
};
