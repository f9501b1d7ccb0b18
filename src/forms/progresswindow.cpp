#include "forms/progresswindow.h"

namespace {

ProgressWindowShower &installedShower()
{
    static ProgressWindowShower shower;
    return shower;
}

} // namespace

void setProgressWindowShower(ProgressWindowShower shower)
{
    installedShower() = std::move(shower);
}

void showProgressWindow(const ProgressWindowRequest &request)
{
    if (installedShower())
        installedShower()(request);
    else if (request.work)
        request.work();
}
