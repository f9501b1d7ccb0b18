#include "moduletest.h"

#include "simulator.h"
#include "snmp/kxexception.h"
#include "snmp/records.h"
#include "snmp/session.h"

#include <QDir>

bool ConnectModuleTo(SimulatedSwitch &simulated)
{
    CreateGlobalSession(QDir::currentPath());
    if (!simulated.start())
        return false;
    GlobalDevice().address = simulated.address();
    GlobalDevice().port = simulated.port();
    GlobalSecurity().version = SnmpCode::Version2c;
    return true;
}

std::unique_ptr<SimulatedSwitch> ConnectModuleToSwitchWith(const QString &folder,
                                                           const QByteArray &extraLines)
{
    SimulatedSwitch::Options options;
    options.dataFile = QDir(folder).filePath(QStringLiteral("switch.sim"));
    if (!WriteSwitchData(options.dataFile, extraLines))
        return nullptr;
    auto simulated = std::make_unique<SimulatedSwitch>(options);
    return ConnectModuleTo(*simulated) ? std::move(simulated) : nullptr;
}

ModuleRetargeted::ModuleRetargeted(const SimulatedSwitch &other)
    : m_address(GlobalDevice().address)
    , m_port(GlobalDevice().port)
{
    GlobalDevice().address = other.address();
    GlobalDevice().port = other.port();
}

ModuleRetargeted::~ModuleRetargeted()
{
    GlobalDevice().address = m_address;
    GlobalDevice().port = m_port;
}

int RaisedCode(const std::function<void()> &call)
{
    try {
        call();
    } catch (const KxException &error) {
        return error.helpContext();
    }
    return 0;
}
