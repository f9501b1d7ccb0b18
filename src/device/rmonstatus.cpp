#include "device/rmonstatus.h"

#include "binding/standardoptions.h"
#include "forms/bindingpage.h"

using namespace Qt::StringLiterals;

namespace {

const KxField rmonFields[] = {
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.2.3",
      "RMON State",
      KxSyntax::Integer,
      KxAccess::ReadWrite,
      &DisabledEnabledOptions},
     "rgp_RmonStatus",
     "RMON Status:",
     KxFieldKind::Radio,
     "%s",
     2},
};

TBindingPage *makeRmonPage()
{
    auto *page = new TBindingPage(u"ts_RmonStatus"_s, u"RMON Status"_s, {260, 140}, rmonFields);
    page->layOutFields();
    return page;
}

} // namespace

Tfrm_RmonStatus::Tfrm_RmonStatus(QWidget *parent)
    : TSettingsDialog(makeRmonPage(), parent)
{
    setObjectName(u"frm_RmonStatus"_s);
    setWindowTitle(u"RMON Status"_s);
}

void Tfrm_RmonStatus::bbtnApplyClick()
{
    page()->applyPage();
    accept();
}
