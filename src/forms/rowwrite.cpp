#include "forms/rowwrite.h"

#include "binding/edits.h"

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
