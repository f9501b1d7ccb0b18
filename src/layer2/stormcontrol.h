#pragma once

#include "forms/bindingpage.h"

class QPushButton;

// Broadcast/multicast storm control: the threshold and the storm controls
// of the switch. Apply is offered once a read has succeeded and writes the
// changed values; the page is read again after every Apply.
class TStormControlPage final : public TBindingPage
{
public:
    TStormControlPage();

    // Reads the four values; false when the switch did not answer.
    bool readPage();
    void showPage() override;
    void applyPage() override;

protected:
    void afterRead() override;

private:
    QPushButton *m_apply;
};
