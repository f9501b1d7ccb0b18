#include "device/portmirror.h"

#include "binding/standardoptions.h"
#include "forms/bindingpage.h"
#include "forms/entrychecks.h"
#include "platform/radiogroup.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;
using enum KxFieldKind;

const char *const PortFormat = "%i{n1x24l2}";

// In this order: the boxes are bound to the variables in table order.
const KxField mirrorFields[] = {
    {{"1.3.6.1.4.1.88508.11.68.1.2.10.1", "Mirror Logic Target Port", Integer, ReadWrite},
     "ed_SourcePort",
     "Source Port:",
     Edit,
     PortFormat,
     1,
     "(1..24)"},
    {{"1.3.6.1.4.1.88508.11.68.1.2.10.2", "Mirror Port Source Ingress", Integer, ReadWrite},
     "ed_TargetIngress",
     "Target Ingress:",
     Edit,
     PortFormat,
     1,
     "(1..24)"},
    {{"1.3.6.1.4.1.88508.11.68.1.2.10.3", "Mirror Port Source Egress", Integer, ReadWrite},
     "ed_TargetEgress",
     "Target Egress:",
     Edit,
     PortFormat,
     1,
     "(1..24)"},
    {{"1.3.6.1.4.1.88508.11.68.1.2.10.4",
      "Mirror Port State",
      Integer,
      ReadWrite,
      &DisabledEnabledOptions},
     "rgp_MirrorPortStatus",
     "Mirror Port Status:",
     Radio,
     "%s",
     2},
};

// Every box must hold a port and the state must be chosen before the SET.
class TPortMirrorPage final : public TBindingPage
{
public:
    TPortMirrorPage()
        : TBindingPage(u"ts_PortMirror"_s, u"Port Mirror"_s, {330, 260}, mirrorFields)
    {
        layOutFields();
    }

    void applyPage() override
    {
        for (const char *box : {"ed_SourcePort", "ed_TargetIngress", "ed_TargetEgress"}) {
            auto *edit = control<QLineEdit>(box);
            if (!checkFormat(edit, QString::fromLatin1(PortFormat)))
                return;
        }
        if (!checkChoice(control<RadioGroup>("rgp_MirrorPortStatus"), u"Mirror Port Status"_s))
            return;
        applyBinding(true); // all four in one SET, in table order
    }
};

} // namespace

Tfm_PortMirror::Tfm_PortMirror(QWidget *parent)
    : TSettingsDialog(new TPortMirrorPage, parent)
{
    setObjectName(u"fm_PortMirror"_s);
    setWindowTitle(u"Port Mirror"_s);
}
