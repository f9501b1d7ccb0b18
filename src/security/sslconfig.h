#pragma once

#include "forms/pageddialog.h"

// The switch's SSL server: on or off with the cipher suites it offers, and
// the certificate and key files it loads.
class TSSLConfigForm final : public TPagedBindingDialog
{
public:
    explicit TSSLConfigForm(QWidget *parent = nullptr);
};
