#pragma once

#include "forms/tablepage.h"

class TResultBar;

// The RADIUS servers the switch authenticates 802.1X supplicants with; a
// viewer of the server table.
class TRadiusForm final : public TTableDialog
{
public:
    explicit TRadiusForm(QWidget *parent = nullptr);

    TResultBar *resultBar() const { return m_result; }

private:
    TResultBar *m_result;
};
