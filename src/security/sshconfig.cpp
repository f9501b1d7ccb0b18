#include "security/sshconfig.h"

#include "forms/bindingpage.h"
#include "forms/entrychecks.h"
#include "forms/formbuilder.h"
#include "platform/radiogroup.h"
#include "security/securityoptions.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <initializer_list>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;
using enum KxFieldKind;

const KxOptionList rekeyIntervals{{0, "Never"}, {10, "10mins"}, {30, "30mins"}, {60, "60mins"}};

const KxField serverFields[] = {
    {{"1.3.6.1.4.1.88508.12.6.1.1", "SSH Version", Integer, ReadOnly},
     "lblVersionValue",
     "SSH Version :",
     Label},
    {{"1.3.6.1.4.1.88508.12.6.1.2", "SSH Admin", Integer, ReadWrite, &SecurityDisabledEnabled},
     "rgpServerStatus",
     "Server Status",
     Radio,
     "%s",
     2},
    {{"1.3.6.1.4.1.88508.12.6.1.3", "SSH MaxA uth Fail Attempts", Integer, ReadWrite},
     "edtMaxFailAttempts",
     "Max Auth Fail Attempts :",
     Edit,
     "%i{n2x20l2}",
     1,
     "Integer [2..20]"},
    {{"1.3.6.1.4.1.88508.12.6.1.4", "SSH Session Key Retry", Integer, ReadWrite, &rekeyIntervals},
     "rgpRetryTimeout",
     "Rekey Timeout",
     Radio,
     "%s",
     2},
    {{"1.3.6.1.4.1.88508.12.6.1.5", "SSH Max Session", Integer, ReadWrite},
     "edtMaxSession",
     "Max Session :",
     Edit,
     "%i{n1x8l1}",
     1,
     "Integer [1..8]"},
    {{"1.3.6.1.4.1.88508.12.6.1.6", "SSH Connection Timeout", Integer, ReadWrite},
     "edtTimeout",
     "Timeout :",
     Edit,
     "%i{n120x600l3}",
     1,
     "Integer [120..600]"},
};

constexpr KxField onOff(const char *oid, const char *name, const char *control, const char *caption)
{
    return {{oid, name, Integer, ReadWrite, &SecurityDisabledEnabled},
            control,
            caption,
            Radio,
            "%s",
            2};
}

const KxField authFields[] = {
    onOff(
        "1.3.6.1.4.1.88508.12.6.3.2.1", "swSSHAuthenMethodPasswdAdmin", "rgpPassword", "Password"),
    onOff("1.3.6.1.4.1.88508.12.6.3.2.2",
          "swSSHAuthenMethodPubKeyAdmin",
          "rgpPublicKey",
          "Public Key"),
    onOff("1.3.6.1.4.1.88508.12.6.3.2.3",
          "swSSHAuthenMethodHostKeyAdmin",
          "rgpHostbased",
          "Hostbased"),
};

// Blowfish stands after Arcfour and MD5 before SHA1, as the page shows them.
const KxField algorithmFields[] = {
    onOff(
        "1.3.6.1.4.1.88508.12.6.3.1.1", "swSSHEncryptAlg3DESAdmin", "rgp3DESStatus", "3DES Status"),
    onOff("1.3.6.1.4.1.88508.12.6.3.1.3",
          "swSSHEncryptAlgAES128Admin",
          "rgpAES128Status",
          "AES128 Status"),
    onOff("1.3.6.1.4.1.88508.12.6.3.1.4",
          "swSSHEncryptAlgAES192Admin",
          "rgpAES192Status",
          "AES192 Status"),
    onOff("1.3.6.1.4.1.88508.12.6.3.1.5",
          "swSSHEncryptAlgAES256Admin",
          "rgpAES256Status",
          "AES256 Status"),
    onOff("1.3.6.1.4.1.88508.12.6.3.1.6",
          "swSSHEncryptAlgArcfourAdmin",
          "rgpArcfourStatus",
          "Arcfour Status"),
    onOff("1.3.6.1.4.1.88508.12.6.3.1.2",
          "swSSHEncryptAlgBlowfishAdmin",
          "rgpBlowfish",
          "Blowfish Status"),
    onOff("1.3.6.1.4.1.88508.12.6.3.1.7",
          "swSSHEncryptAlgCAST28Admin",
          "rgpCast128Status",
          "Cast128 Status"),
    onOff("1.3.6.1.4.1.88508.12.6.3.1.8",
          "swSSHEncryptAlgTwofish128Admin",
          "rgpTwofish128Status",
          "Twofish128 Status"),
    onOff("1.3.6.1.4.1.88508.12.6.3.1.9",
          "swSSHEncryptAlgTwofish192Admin",
          "rgpTwofish192Status",
          "Twofish192 Status"),
    onOff("1.3.6.1.4.1.88508.12.6.3.1.10",
          "swSSHEncryptAlgTwofish256Admin",
          "rgpTwofish256Status",
          "Twofish256 Status"),
    onOff("1.3.6.1.4.1.88508.12.6.3.3.2", "swSSHInteAlgMD5Admin", "rgpMD5Status", "MD5 Status"),
    onOff("1.3.6.1.4.1.88508.12.6.3.3.1", "swSSHInteAlgSHA1Admin", "rgpSHA1Status", "SHA1 Status"),
    onOff("1.3.6.1.4.1.88508.12.6.3.5.1", "swSSHPublKeyRSAAdmin", "rgpRSAStatus", "RSA Status"),
    onOff("1.3.6.1.4.1.88508.12.6.3.5.2", "swSSHPublKeyDSAAdmin", "rgpDSAStatus", "DSA Status"),
};

bool serverEntriesValid(const TBindingPage &page)
{
    return checkChosen(page.control<RadioGroup>("rgpServerStatus"), u"Server Status"_s)
           && checkInteger(page.control<QLineEdit>("edtMaxSession"), u"Max Session"_s, 1, 8)
           && checkInteger(page.control<QLineEdit>("edtTimeout"), u"Timeout"_s, 120, 600)
           && checkInteger(
               page.control<QLineEdit>("edtMaxFailAttempts"), u"MaxAuthFailAttempts"_s, 2, 20)
           && checkChosen(page.control<RadioGroup>("rgpRetryTimeout"), u"Retry Timeout"_s);
}

// Every radio group of the page has a choice, tried in the order of its fields;
// the message names the group's caption.
bool everyGroupChosen(const TBindingPage &page)
{
    for (const KxField &field : page.fields()) {
        if (!checkChosen(page.control<RadioGroup>(field.name), QString::fromLatin1(field.caption)))
            return false;
    }
    return true;
}

TBindingPage *makeServerPage()
{
    auto *page = new TBindingPage(u"tbsServer"_s, u"Server"_s, {420, 330}, serverFields);
    page->control("rgpRetryTimeout")->setToolTip(u"Retry Timeout"_s);
    auto *grid = new QGridLayout;
    page->addFormRows(grid, {"lblVersionValue"});
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addWidget(page->control("rgpServerStatus"));
    auto *numbers = new QGridLayout;
    page->addFormRows(numbers, {"edtMaxSession", "edtTimeout", "edtMaxFailAttempts"});
    layout->addLayout(numbers);
    layout->addWidget(page->control("rgpRetryTimeout"));
    layout->addStretch(1);
    page->setApplyCheck([page] { return serverEntriesValid(*page); });
    return page;
}

TBindingPage *makeAuthModePage()
{
    auto *page = new TBindingPage(u"tbsAuthMode"_s, u"Auth Mode"_s, {420, 330}, authFields);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(makeLabel(u"The SSH User Authentication Support"_s));
    for (const KxField &field : authFields)
        layout->addWidget(page->control(field.name));
    layout->addStretch(1);
    page->setApplyCheck([page] { return everyGroupChosen(*page); });
    return page;
}

void addSection(QVBoxLayout *layout,
                const TBindingPage &page,
                const QString &heading,
                std::initializer_list<const char *> groups)
{
    layout->addWidget(makeLabel(heading));
    layout->addLayout(page.controlGrid(groups, 3));
}

TBindingPage *makeAlgorithmPage()
{
    auto *page = new TBindingPage(u"tbsAlgorithm"_s, u"Algorithm"_s, {620, 520}, algorithmFields);
    auto *layout = new QVBoxLayout(page);
    addSection(layout,
               *page,
               u"Encryption Algorithm"_s,
               {"rgp3DESStatus",
                "rgpAES128Status",
                "rgpAES192Status",
                "rgpAES256Status",
                "rgpArcfourStatus",
                "rgpBlowfish",
                "rgpCast128Status",
                "rgpTwofish128Status",
                "rgpTwofish192Status",
                "rgpTwofish256Status"});
    addSection(layout, *page, u"Data Integrity Algorithm"_s, {"rgpMD5Status", "rgpSHA1Status"});
    addSection(layout, *page, u"Public Key Algorithm"_s, {"rgpRSAStatus", "rgpDSAStatus"});
    layout->addStretch(1);
    page->setApplyCheck([page] { return everyGroupChosen(*page); });
    return page;
}

} // namespace

TSSHConfigForm::TSSHConfigForm(QWidget *parent)
    : TPagedBindingDialog(u"SSHConfigForm"_s, u"pgcSSHConfig"_s, parent)
{
    setWindowTitle(u"SSH Configuration"_s);
    addPage(makeServerPage());
    addPage(makeAuthModePage());
    addPage(makeAlgorithmPage());
    resize(620, 560);
}
