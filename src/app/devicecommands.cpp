#include "app/devicecommands.h"

#include "binding/edits.h"
#include "snmp/optionlist.h"
#include "snmp/request.h"

#include <QLoggingCategory>

using namespace Qt::StringLiterals;

namespace {

Q_LOGGING_CATEGORY(lcCommands, "rq5160.commands")

const KxOptionList saveStates{{1, "other"}, {2, "idle"}, {3, "set"}};
const KxSNMPVarDesc saveConfigTable[] = {
    {"1.3.6.1.4.1.88508.12.1.2.6",
     "agentSaveCfg",
     KxSyntax::Integer,
     KxAccess::ReadWrite,
     &saveStates},
    {},
};

const KxOptionList resetStates{{1, "other"}, {2, "cold-start"}, {4, "no-reset"}};
const KxSNMPVarDesc systemResetTable[] = {
    {"1.3.6.1.4.1.88508.12.1.2.3",
     "System Reset",
     KxSyntax::Integer,
     KxAccess::ReadWrite,
     &resetStates},
    {},
};

const KxOptionList trunkAlgorithms{
    {2, "mac-source"}, {3, "mac-destination"}, {4, "mac-source-dest"}};
const KxSNMPVarDesc trunkAlgorithmTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.9.1",
     "Max Supported Entries",
     KxSyntax::Integer,
     KxAccess::ReadOnly},
    {"1.3.6.1.4.1.88508.11.68.1.2.9.2",
     "Current Num Entries",
     KxSyntax::Integer,
     KxAccess::ReadOnly},
    {"1.3.6.1.4.1.88508.11.68.1.2.9.4",
     "Link Aggregation Algorithm",
     KxSyntax::Integer,
     KxAccess::ReadWrite,
     &trunkAlgorithms},
    {},
};

// Writes one value with one SET; a failure is only logged.
void writeCommand(const KxSNMPVarDesc *table, const QString &value)
{
    KxSNMPRequest request;
    request.varList.Assign(KxSNMPVarList(table, SVT_SV, 0));
    request.timeout = CommandTimeout;
    request.errorHandler = [name = request.varList.Item(0).name](const KxSNMPError &error) {
        qCInfo(lcCommands) << name << "was not written:" << error.message;
    };
    request.varList.Item(0).value = value;
    bool ok = true;
    request.Write(false, {}, nullptr, ok);
}

} // namespace

void SaveConfigurationOnSwitch()
{
    writeCommand(saveConfigTable, u"3"_s);
}

void ColdStartSwitch()
{
    writeCommand(systemResetTable, u"2"_s);
}

std::unique_ptr<KxSNMPRequest2Edits> CreateTrunkAlgorithmBinding(QWidget *form)
{
    auto binding = std::make_unique<KxSNMPRequest2Edits>(form);
    binding->varList().Assign(KxSNMPVarList(trunkAlgorithmTable, SVT_SV, 0));
    binding->asynchronous = false;
    return binding;
}
