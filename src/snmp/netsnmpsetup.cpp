#include "snmp/netsnmpsetup.h"

#include <net-snmp/net-snmp-config.h>

#include <net-snmp/net-snmp-includes.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

std::string makePrivateFolder()
{
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error)
        base = "/tmp";
    std::string pattern = (base / "rq5160-netsnmp-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        return base.string();
    return pattern;
}

void removeFolderAtExit(const std::string &folder)
{
    static std::string toRemove;
    toRemove = folder;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(toRemove, ignored);
    });
}

} // namespace

std::string PrepareNetSnmpLibrary()
{
    static const std::string folder = [] {
        const std::string created = makePrivateFolder();
        removeFolderAtExit(created);
        // The TLS code creates this folder at start-up and says so on stderr
        // unless it exists already.
        std::error_code ignored;
        std::filesystem::create_directory(std::filesystem::path(created) / "cert_indexes", ignored);
        return created;
    }();

    unsetenv("SNMPCONFPATH");
    unsetenv("SNMP_PERSISTENT_DIR");
    unsetenv("MIBDIRS");
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_LOAD_HOST_FILES, 1);
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIBDIRS, folder.c_str());
    set_persistent_directory(folder.c_str());
    set_configuration_directory(folder.c_str());
    netsnmp_set_mib_directory(folder.c_str());
    setenv("MIBS", "", 1);
    return folder;
}
