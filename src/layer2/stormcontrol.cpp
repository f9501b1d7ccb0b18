#include "layer2/stormcontrol.h"

#include "binding/standardoptions.h"
#include "forms/formbuilder.h"

#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const KxOptionList stormThresholds{{1, "packets-10"},
                                   {2, "packets-100"},
                                   {3, "packets-1000"},
                                   {4, "packets-10000"},
                                   {5, "packets-15000"}};

using namespace KxSyntax;
using namespace KxAccess;
using enum KxFieldKind;

const KxField stormFields[] = {
    {{"1.3.6.1.4.1.88508.11.68.1.2.13.1",
      "Broadcast/Multicast Strom threshold",
      Integer,
      ReadWrite,
      &stormThresholds},
     "rgp_BMStromthreshold",
     "   Storm Threshold:",
     Radio,
     "%s",
     3},
    {{"1.3.6.1.4.1.88508.11.68.1.2.13.2",
      "Broadcast Strom Control",
      Integer,
      ReadOnly,
      &DisabledEnabledOptions},
     "rgp_BcastStromCtrl",
     "Broadcast Storm Control:",
     Radio,
     "%s",
     2},
    {{"1.3.6.1.4.1.88508.11.68.1.2.13.3",
      "Multicast Strom Control",
      Integer,
      ReadWrite,
      &DisabledEnabledOptions},
     "rgp_McastStromCtrl",
     "Multicast Storm Control:",
     Radio,
     "%s",
     2},
    {{"1.3.6.1.4.1.88508.11.68.1.2.13.4",
      "Destination Lookup Fail Strom Control",
      Integer,
      ReadWrite,
      &DisabledEnabledOptions},
     "rgp_DLFStromCtrl",
     "  DLF Storm Controll:",
     Radio,
     "%s",
     2},
};

} // namespace

TStormControlPage::TStormControlPage()
    : TBindingPage(
        u"tsBMStormControl"_s, u"Broadcast/Multicast Storm Control"_s, QSize(640, 420), stormFields)
    , m_apply(makeButton(u"Apply"_s, u"btnBMStormControlEdit"_s))
{
    layOutFields();
    QPushButton *refresh = makeButton(u"Refresh"_s, u"btnBMStormControlRefresh"_s);
    QPushButton *close = makeButton(u"Close"_s, u"btnBMStormControlClose"_s);
    QPushButton *help = makeButton(u"Help"_s, u"btnBMStormControlHelp"_s);
    QPushButton *save = makeButton(u"Save"_s, u"btnBMStormControlSave"_s);
    QPushButton *print = makeButton(u"Print"_s, u"btnBMStormControlPrint"_s);
    for (QPushButton *unused : {help, save, print})
        unused->setEnabled(false);
    m_apply->setEnabled(false);
    connect(refresh, &QPushButton::clicked, this, &TStormControlPage::showPage);
    connect(m_apply, &QPushButton::clicked, this, &TStormControlPage::applyPage);
    connect(close, &QPushButton::clicked, this, [this] { window()->close(); });
    static_cast<QVBoxLayout *>(layout())->addLayout(
        makeButtonBar({refresh, m_apply, close, help, save, print}));
}

bool TStormControlPage::readPage()
{
    const bool read = refreshBinding();
    m_apply->setEnabled(read);
    return read;
}

void TStormControlPage::showPage()
{
    readPage();
}

void TStormControlPage::applyPage()
{
    if (!m_apply->isEnabled())
        return;
    applyBinding();
    readPage();
}

// The broadcast storm control is shown only: the switch sets it itself.
void TStormControlPage::afterRead()
{
    control("rgp_BcastStromCtrl")->setEnabled(false);
}
