#pragma once

#include "forms/bindingpage.h"

#include <array>

class RadioGroup;

// The SSL state with the four cipher suites. The suites are the high four
// bits of the first octet of one bit string; Apply keeps every other bit as
// the switch has it.
class TSSLStatePage final : public TBindingPage
{
public:
    TSSLStatePage();

    void applyPage() override;

protected:
    void afterRead() override;

private:
    bool entriesValid() const;
    // The first octet's high bits from the groups, every other bit as read.
    QString cipherSuitesToWrite() const;

    std::array<RadioGroup *, 4> m_suites{};
    QString m_suitesRead; // the bit string as last read, in hex
};

// The certificate file, its key file and the address they come from.
TBindingPage *makeSSLCertificatePage();
