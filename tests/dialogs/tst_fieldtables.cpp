// Every page built from a field table, checked against the simulated switch:
// each field's control exists under its name, a read fills it, and Apply
// without a change sends no SET.
#include "device/basicinfor.h"
#include "device/portmirror.h"
#include "device/rmonstatus.h"
#include "device/timeunit.h"
#include "forms/bindingpage.h"
#include "layer2/igmpsnooping.h"
#include "layer2/macfdb.h"
#include "layer2/qos.h"
#include "layer2/stp.h"
#include "moduletest.h"
#include "platform/radiogroup.h"
#include "security/aaainfo.h"
#include "security/aaastatus.h"
#include "security/ieee802dot1xstatus.h"
#include "security/sshconfig.h"
#include "simulator.h"
#include "snmpv3/snmpv3.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

using DialogFactory = std::function<std::unique_ptr<QDialog>()>;

// The dialogs with field tables; a new dialog adds its line here.
const std::pair<const char *, DialogFactory> dialogs[] = {
    {"Basic Information",
     [] {
         return std::make_unique<TBasicInforForm>();
     }},
    {"SNMPv3",
     [] {
         return std::make_unique<TSNMPV3Form>();
     }},
    {"Time",
     [] {
         return std::make_unique<Tfrm_Time>();
     }},
    {"Port Mirror",
     [] {
         return std::make_unique<Tfm_PortMirror>();
     }},
    {"RMON Status",
     [] {
         return std::make_unique<Tfrm_RmonStatus>();
     }},
    {"STP",
     [] {
         return std::make_unique<TSTPForm>();
     }},
    {"IGMP Snooping",
     [] {
         return std::make_unique<TIGMPSnoopingForm>();
     }},
    {"QoS",
     [] {
         return std::make_unique<TQOSForm>();
     }},
    {"AAA Status",
     [] {
         return std::make_unique<TAAAStatusForm>();
     }},
    {"SSH",
     [] {
         return std::make_unique<TSSHConfigForm>();
     }},
    {"802.1X Status",
     [] {
         return std::make_unique<TIEEE802dot1XStatusForm>();
     }},
    {"MAC Forwarding",
     [] {
         return std::make_unique<TfrmMacManagement>();
     }},
};

bool showsValue(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return !label->text().isEmpty();
    if (const auto *edit = qobject_cast<const QLineEdit *>(control))
        return !edit->text().isEmpty();
    if (const auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->currentIndex() >= 0;
    if (const auto *group = qobject_cast<const RadioGroup *>(control))
        return group->itemIndex() >= 0;
    return qobject_cast<const QCheckBox *>(control) != nullptr;
}

} // namespace

Q_DECLARE_METATYPE(DialogFactory)

class TestFieldTables : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void everyFieldIsReadAndAnUnchangedApplyWritesNothing_data()
    {
        QTest::addColumn<DialogFactory>("make");
        for (const auto &[name, make] : dialogs)
            QTest::newRow(name) << make;
    }

    void everyFieldIsReadAndAnUnchangedApplyWritesNothing()
    {
        QFETCH(DialogFactory, make);
        const std::unique_ptr<QDialog> dialog = make();
        dialog->show();
        QCoreApplication::processEvents();
        const QList<TBindingPage *> pages = dialog->findChildren<TBindingPage *>();
        QVERIFY(!pages.isEmpty());
        for (TBindingPage *page : pages) {
            page->showPage();
            if (auto *list = page->findChild<QTreeWidget *>()) {
                QVERIFY2(list->topLevelItemCount() > 0, qPrintable(page->objectName()));
                list->setCurrentItem(list->topLevelItem(0));
            }
            for (const KxField &field : page->fields()) {
                if (!field.name)
                    continue;
                const QString name = QString::fromLatin1(field.name);
                const auto *control = dialog->findChild<QWidget *>(name);
                QVERIFY2(control, qPrintable(name));
                QVERIFY2(showsValue(control), qPrintable(name));
            }
            const quint32 setsBefore = m_switch.setRequests();
            page->applyPage();
            QVERIFY2(m_switch.setRequests() == setsBefore, qPrintable(page->objectName()));
        }
    }
};

QTEST_MAIN(TestFieldTables)
#include "tst_fieldtables.moc"
