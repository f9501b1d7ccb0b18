#pragma once

#include "forms/pageddialog.h"

// The AAA global state: authentication on or off, the servers' response
// time-out and the number of login attempts.
class TAAAStatusForm final : public TPagedBindingDialog
{
public:
    explicit TAAAStatusForm(QWidget *parent = nullptr);
};
