#include "security/aaastatus.h"

#include "forms/bindingpage.h"
#include "forms/entrychecks.h"
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

const KxField statusFields[] = {
    {{"1.3.6.1.4.1.88508.12.5.1.1", "Admin State", Integer, ReadWrite, &SecurityDisabledEnabled},
     "rgpTACACSStatus",
     " TACACS Status ",
     Radio,
     "%s",
     2},
    {{"1.3.6.1.4.1.88508.12.5.8.1", "Param Response Timeout", Integer, ReadWrite},
     "edtTimeout",
     "Response Timeout",
     Edit,
     "%i",
     1,
     "Integer [0..255]"},
    {{"1.3.6.1.4.1.88508.12.5.8.2", "Auth Param Attempt", Integer, ReadWrite},
     "edtAttempt",
     "User Attempts",
     Edit,
     "%i",
     1,
     "Integer [1.255]"},
};

bool statusEntriesValid(const TBindingPage &page)
{
    return checkChoice(page.control<RadioGroup>("rgpTACACSStatus"), u"TACACS Status"_s)
           && checkInteger(page.control<QLineEdit>("edtTimeout"), u"Response Timeout"_s, 0, 255)
           && checkInteger(page.control<QLineEdit>("edtAttempt"), u"User Attempts"_s, 1, 255);
}

} // namespace

TAAAStatusForm::TAAAStatusForm(QWidget *parent)
    : TPagedBindingDialog(u"AAAStatusForm"_s, u"pgcAAAStatus"_s, parent)
{
    setWindowTitle(u"Status :"_s);
    auto *page = new TBindingPage(u"tbsAAAStatus"_s, u"Status"_s, {320, 230}, statusFields);
    auto *grid = new QGridLayout;
    page->addFormRows(grid, {"edtTimeout", "edtAttempt"});
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(page->control("rgpTACACSStatus"));
    layout->addLayout(grid);
    layout->addStretch(1);
    page->setApplyCheck([page] { return statusEntriesValid(*page); });
    addPage(page);
    resize(320, 230);
}
