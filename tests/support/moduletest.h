#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class SimulatedSwitch;

// Creates the module's SNMP session (boots file in the current directory),
// starts the simulated switch and points the global records at it (SNMPv2c).
bool ConnectModuleTo(SimulatedSwitch &simulated);

// The same with a switch whose data file (written into the folder) is the
// shipped switch followed by the extra lines; null when it did not start.
std::unique_ptr<SimulatedSwitch> ConnectModuleToSwitchWith(const QString &folder,
                                                           const QByteArray &extraLines);

// Points the module's records at another simulated switch for its lifetime.
class ModuleRetargeted
{
public:
    explicit ModuleRetargeted(const SimulatedSwitch &other);
    ~ModuleRetargeted();
    ModuleRetargeted(const ModuleRetargeted &) = delete;
    ModuleRetargeted &operator=(const ModuleRetargeted &) = delete;

private:
    QString m_address;
    quint16 m_port;
};

// The help context of the KxException the call raises, or 0 when it raises none.
int RaisedCode(const std::function<void()> &call);
