// rq5160-sim: a simulated RQ5160 switch, a real SNMP agent on loopback.
#include "agent.h"
#include "datafile.h"
#include "store.h"
#include "switch.h"
#include "tftpclient.h"
#include "users.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

struct Options
{
    std::string address = "127.0.0.1";
    uint16_t port = 0;
    std::string dataFile;
    std::string usersFile;
    int fdbSize = 32;
    uint16_t tftpPort = 69;
    int tftpTimeoutMs = 1000;
    std::string setLog; // "-": standard output
};

const char Usage[] = "usage: rq5160-sim --listen ADDRESS:PORT [--data FILE] [--users FILE] "
                     "[--fdb N] [--tftp-port N] [--tftp-timeout MS] [--set-log FILE|-]\n";

std::optional<long> Number(const std::string &text, long low, long high)
{
    long v = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (error != std::errc() || end != text.data() + text.size() || v < low || v > high)
        return std::nullopt;
    return v;
}

std::string ExecutableFolder()
{
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

// Returns an empty text or what is wrong with the command line.
std::string Parse(int argc, char **argv, Options &options)
{
    const std::string folder = ExecutableFolder();
    options.dataFile = folder + "/data/rq5160.sim";
    // The shipped users, when they are there; a file given on the command
    // line must exist.
    const std::string shippedUsers = folder + "/data/users.conf";
    if (std::filesystem::exists(shippedUsers))
        options.usersFile = shippedUsers;
    bool listen = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc)
            return option + " needs a value";
        const std::string value = argv[++i];
        if (option == "--listen") {
            const size_t colon = value.rfind(':');
            const auto port = Number(value.substr(colon + 1), 0, 65535);
            if (colon == std::string::npos || colon == 0 || !port)
                return "--listen needs ADDRESS:PORT";
            options.address = value.substr(0, colon);
            options.port = static_cast<uint16_t>(*port);
            listen = true;
        } else if (option == "--data") {
            options.dataFile = value;
        } else if (option == "--users") {
            options.usersFile = value;
        } else if (option == "--fdb") {
            const auto n = Number(value, 0, 1000000);
            if (!n)
                return "--fdb needs a number from 0 to 1000000";
            options.fdbSize = static_cast<int>(*n);
        } else if (option == "--tftp-port") {
            const auto n = Number(value, 1, 65535);
            if (!n)
                return "--tftp-port needs a port number";
            options.tftpPort = static_cast<uint16_t>(*n);
        } else if (option == "--tftp-timeout") {
            const auto n = Number(value, 10, 60000);
            if (!n)
                return "--tftp-timeout needs milliseconds from 10 to 60000";
            options.tftpTimeoutMs = static_cast<int>(*n);
        } else if (option == "--set-log") {
            options.setLog = value;
        } else {
            return "unknown option " + option;
        }
    }
    return listen ? std::string() : "--listen is required";
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (const std::string error = Parse(argc, argv, options); !error.empty()) {
        std::cerr << "rq5160-sim: " << error << "\n" << Usage;
        return 2;
    }
    sim::Store store;
    if (const std::string error = sim::LoadDataFile(options.dataFile, store); !error.empty()) {
        std::cerr << "rq5160-sim: " << error << "\n";
        return 1;
    }
    std::vector<sim::SnmpUser> users;
    if (!options.usersFile.empty()) {
        if (const std::string error = sim::LoadUsersFile(options.usersFile, users);
            !error.empty()) {
            std::cerr << "rq5160-sim: " << error << "\n";
            return 1;
        }
    }
    sim::Switch device(store);
    device.install();
    device.generateForwardingTable(options.fdbSize);
    device.setTftpPort(options.tftpPort);
    std::ofstream setLogFile;
    if (options.setLog == "-") {
        device.setSetLog(&std::cout);
    } else if (!options.setLog.empty()) {
        setLogFile.open(options.setLog, std::ios::app);
        if (!setLogFile) {
            std::cerr << "rq5160-sim: cannot write " << options.setLog << "\n";
            return 1;
        }
        device.setSetLog(&setLogFile);
    }

    sim::Agent agent(store, device);
    if (const std::string error = agent.start(options.address, options.port, users);
        !error.empty()) {
        std::cerr << "rq5160-sim: " << error << "\n";
        return 1;
    }
    sim::TftpClient tftp(agent, options.tftpTimeoutMs);
    device.setFileTransfers(&tftp);

    std::printf("rq5160-sim listening on %s:%u\n", options.address.c_str(), agent.port());
    std::fflush(stdout);
    agent.run();
    return 0;
}
