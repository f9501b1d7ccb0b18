#include "device/trafficportctrl.h"

#include "binding/edits.h"
#include "binding/standardoptions.h"
#include "forms/bindingpage.h"
#include "forms/formbuilder.h"
#include "platform/radiogroup.h"

#include <QGridLayout>
#include <QLabel>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;
using enum KxFieldKind;

const KxField trafficFields[] = {
    {{"1.3.6.1.4.1.88508.11.68.1.2.13.5.1.1", "Group Index", Integer, NotAccess}},
    {{"1.3.6.1.4.1.88508.11.68.1.2.13.5.1.3",
      "Port Status",
      Integer,
      ReadWrite,
      &DisabledEnabledOptions},
     "rgp_TrafficPortStatus",
     "Port Status:",
     Radio,
     "%s",
     2},
};

// One row of the table: its index travels as the list's index suffix.
class TTrafficPortPage final : public TBindingPage
{
public:
    TTrafficPortPage(const QString &index, const QString &state)
        : TBindingPage(u"ts_TrafficPortCtrl"_s,
                       u"Traffic Port Control"_s,
                       {260, 160},
                       trafficFields,
                       MVT_SV,
                       1)
    {
        auto *grid = new QGridLayout;
        addGridRow(grid, u"Index:"_s, makeLabel(index, u"lb_index"_s));
        auto *layout = new QVBoxLayout(this);
        layout->addLayout(grid);
        layout->addWidget(control("rgp_TrafficPortStatus"));
        layout->addStretch(1);
        binding().varList().indexSuffix = index;
        // A state other than the two leaves the group without a selection,
        // so that Apply never writes a state nobody chose.
        auto *status = control<RadioGroup>("rgp_TrafficPortStatus");
        status->setItemIndex(DisabledEnabledOptions.IndexOfText(state));
    }

    // Nothing is written while no state is chosen.
    void applyPage() override
    {
        if (control<RadioGroup>("rgp_TrafficPortStatus")->itemIndex() >= 0)
            applyBinding();
    }
};

} // namespace

Tfrm_TrafficPortCtrl::Tfrm_TrafficPortCtrl(const QTreeWidgetItem &row, QWidget *parent)
    : TSettingsDialog(new TTrafficPortPage(row.text(0), row.text(1)), parent, false)
{
    setObjectName(u"frm_TrafficPortCtrl"_s);
    setWindowTitle(u"Traffic Port Control"_s);
}

void Tfrm_TrafficPortCtrl::bbtnApplyClick()
{
    page()->applyPage();
    accept();
}

std::unique_ptr<QDialog> MakeTrafficPortCtrlEditor(const QTreeWidgetItem *row, QWidget *parent)
{
    if (!row)
        return nullptr;
    return std::make_unique<Tfrm_TrafficPortCtrl>(*row, parent);
}
