#pragma once

#include <string>
#include <vector>

namespace sim {

// One SNMPv3 user of the users file; empty protocols mean none.
struct SnmpUser
{
    std::string name;
    std::string authProtocol;
    std::string authPassword;
    std::string privProtocol;
    std::string privPassword;

    // The access group that matches the user's security level.
    std::string group() const;
};

// Reads "name auth auth-password priv priv-password" lines ("-" for none,
// "#" starts a comment). Returns an empty text or "file:line: reason".
std::string LoadUsersFile(const std::string &path, std::vector<SnmpUser> &users);

} // namespace sim
