#include "forms/rowwrite.h"

#include "binding/edits.h"
#include "snmp/kxexception.h"
#include "snmp/request.h"

#include <QScopeGuard>

#include <vector>

KxWriteOutcome WriteVariables(KxSNMPRequest2Edits &binding,
                              const std::function<bool(int var)> &write)
{
    binding.CollectValues();
    KxSNMPVarList &vars = binding.varList();
    std::vector<int> leftOut;
    bool anyWritten = false;
    for (int i = 0; i < vars.Count(); ++i) {
        if (!vars.IsWritable(i) || (vars.IsTable() && i < vars.keyCount))
            continue; // the index travels in the instance suffix
        if (write(i))
            anyWritten = true;
        else
            leftOut.push_back(i);
    }
    if (!anyWritten)
        return KxWriteOutcome::NothingToWrite;
    const auto restore = qScopeGuard([&vars, &leftOut] {
        for (int i : leftOut)
            vars.Item(i).access &= ~KxAccess::Invalid;
    });
    for (int i : leftOut)
        vars.Item(i).access |= KxAccess::Invalid;
    binding.request().active = true;
    return binding.Apply(false, false) ? KxWriteOutcome::Written : KxWriteOutcome::Failed;
}

QString
WriteTableRow(const KxSNMPVarDesc *table, int keyCount, const std::map<int, QString> &values)
{
    KxSNMPRequest request;
    request.varList.Assign(KxSNMPVarList(table, MVT_FMV, keyCount));
    KxSNMPVarList &vars = request.varList;
    for (int i = 0; i < vars.Count(); ++i) {
        const auto value = values.find(i);
        if (value == values.end())
            vars.Item(i).access |= KxAccess::Invalid;
        else
            vars.Item(i).value = value->second;
    }
    QString failure;
    request.errorHandler = [&failure](const KxSNMPError &error) {
        failure = error.message;
    };
    try {
        bool ok = true;
        request.Write(false, QString(), nullptr, ok);
        if (!ok && failure.isEmpty())
            failure = QStringLiteral("The switch did not take the entry.");
    } catch (const KxException &error) {
        failure = error.message();
    }
    return failure;
}
