#include "security/sslpages.h"

#include "forms/entrychecks.h"
#include "forms/formbuilder.h"
#include "platform/radiogroup.h"
#include "security/securityoptions.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;
using enum KxFieldKind;

const KxOptionList fileControls{{1, "other"}, {2, "inactive"}, {3, "start"}, {4, "delete"}};

const KxField stateFields[] = {
    {{"1.3.6.1.4.1.88508.12.7.1.1",
      "SSL Status Admin",
      Integer,
      ReadWrite,
      &SecurityDisabledEnabled},
     "rgpSSLStatus",
     " SSL Status ",
     Radio,
     "%s",
     2},
    {{"1.3.6.1.4.1.88508.12.7.1.2", "SSL Cipher Suites", BitStr, ReadWrite},
     "edtCipherSuites",
     "Cipher Suites",
     Edit,
     "%s"},
};

const KxField certificateFields[] = {
    {{"1.3.6.1.4.1.88508.12.7.2.1", "SSL Certificate File IP Address", IpAddress, ReadWrite},
     "edtFileIPAddr",
     "File IP Address",
     Edit,
     "%s{l16}",
     1,
     "IP Address"},
    {{"1.3.6.1.4.1.88508.12.7.2.2", "SSL Certificate File Path", DisplayStr, ReadWrite},
     "edtFilePath",
     "Certificate File Path",
     Edit,
     "%s{l32}",
     1,
     "String <64>"},
    {{"1.3.6.1.4.1.88508.12.7.2.3", "SSL Certificate Key File Path", DisplayStr, ReadWrite},
     "edtKeyFilePath",
     "Key File Path",
     Edit,
     "%s{l64}",
     1,
     "String <64>"},
    {{"1.3.6.1.4.1.88508.12.7.2.4",
      "SSL Certificate File Control",
      Integer,
      ReadWrite,
      &fileControls},
     "rgpFileCtrl",
     " File Control ",
     Radio,
     "%s",
     2},
};

// The suites in the order of their bits, from the octet's highest bit down.
const char *const suiteNames[] = {"RSA-with-RC4-128-MD5",
                                  "RSA-with-3DES-EDE-CBC-SHA",
                                  "DHE-DSS-with-3DES-EDE-CBC-SHA",
                                  "RSA-EXPORT-with-RC4-40-MD5"};
constexpr int SuiteEnabled = 0;
constexpr int SuiteDisabled = 1;
constexpr int PathLimit = 64;

// The first octet of a bit string in hex, or -1 when the text is not one octet.
int singleOctet(const QString &hex)
{
    bool ok = false;
    const int octet = hex.toInt(&ok, 16);
    return hex.size() == 2 && ok ? octet : -1;
}

bool certificateEntriesValid(const TBindingPage &page)
{
    auto *path = page.control<QLineEdit>("edtFilePath");
    auto *keyPath = page.control<QLineEdit>("edtKeyFilePath");
    return checkHostAddress(page.control<QLineEdit>("edtFileIPAddr"), u"File IP Address"_s)
           && checkEntry(!path->text().isEmpty(), path, u"Please input certificate file path."_s)
           && checkEntry(path->text().size() <= PathLimit,
                         path,
                         u"Certificate File Path can not beyond 64 characters."_s)
           && checkEntry(!keyPath->text().isEmpty(), keyPath, u"Please input key file path."_s)
           && checkEntry(keyPath->text().size() <= PathLimit,
                         keyPath,
                         u"Key File Path can not beyond 64 characters."_s)
           && checkChosen(page.control<RadioGroup>("rgpFileCtrl"), u"File Control"_s);
}

} // namespace

TSSLStatePage::TSSLStatePage()
    : TBindingPage(u"tbsStatus"_s, u"State"_s, {440, 380}, stateFields)
{
    control("edtCipherSuites")->hide();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(control("rgpSSLStatus"));
    auto *suites = new QGridLayout;
    for (size_t i = 0; i < m_suites.size(); ++i) {
        m_suites[i] = makeRadioGroup(
            u" %1 "_s.arg(QLatin1StringView(suiteNames[i])), u"rgpBitMeans%1"_s.arg(i + 1), 2);
        m_suites[i]->setItems({u"Enabled"_s, u"Disabled"_s});
        suites->addWidget(m_suites[i], static_cast<int>(i), 0);
    }
    layout->addLayout(suites);
    layout->addWidget(control("edtCipherSuites"));
    layout->addStretch(1);
}

void TSSLStatePage::afterRead()
{
    m_suitesRead = control<QLineEdit>("edtCipherSuites")->text();
    const int octet = singleOctet(m_suitesRead);
    if (octet < 0)
        return; // not one octet: the groups keep what they showed
    for (size_t i = 0; i < m_suites.size(); ++i) {
        const bool enabled = octet & (0x80 >> i);
        m_suites[i]->setItemIndex(enabled ? SuiteEnabled : SuiteDisabled);
    }
}

bool TSSLStatePage::entriesValid() const
{
    if (!checkChosen(control<RadioGroup>("rgpSSLStatus"), u"SSL Status"_s))
        return false;
    for (size_t i = 0; i < m_suites.size(); ++i) {
        if (!checkChosen(m_suites[i], QString::fromLatin1(suiteNames[i])))
            return false;
    }
    return true;
}

QString TSSLStatePage::cipherSuitesToWrite() const
{
    bool ok = false;
    const int firstRead = m_suitesRead.left(2).toInt(&ok, 16);
    int octet = ok ? firstRead & 0x0F : 0;
    for (size_t i = 0; i < m_suites.size(); ++i) {
        if (m_suites[i]->itemIndex() == SuiteEnabled)
            octet |= 0x80 >> i;
    }
    const QString rest = ok ? m_suitesRead.mid(2) : QString();
    return u"%1"_s.arg(octet, 2, 16, QChar(u'0')).toUpper() + rest;
}

void TSSLStatePage::applyPage()
{
    if (!entriesValid())
        return;
    control<QLineEdit>("edtCipherSuites")->setText(cipherSuitesToWrite());
    applyBinding();
}

TBindingPage *makeSSLCertificatePage()
{
    auto *page
        = new TBindingPage(u"tbsCertificate"_s, u"Certificate"_s, {440, 300}, certificateFields);
    auto *grid = new QGridLayout;
    page->addFormRows(grid, {"edtFileIPAddr", "edtFilePath", "edtKeyFilePath"});
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addWidget(page->control("rgpFileCtrl"));
    layout->addStretch(1);
    page->setApplyCheck([page] { return certificateEntriesValid(*page); });
    return page;
}
