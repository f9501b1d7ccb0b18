#include "users.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

namespace sim {

namespace {

const std::set<std::string> AuthProtocols
    = {"MD5", "SHA", "SHA-224", "SHA-256", "SHA-384", "SHA-512"};
const std::set<std::string> PrivProtocols = {"DES", "AES", "AES-128", "AES-192", "AES-256"};

std::string NoneIfDash(const std::string &text)
{
    return text == "-" ? std::string() : text;
}

} // namespace

std::string SnmpUser::group() const
{
    if (authProtocol.empty())
        return "v3noauth";
    return privProtocol.empty() ? "v3auth" : "v3priv";
}

std::string LoadUsersFile(const std::string &path, std::vector<SnmpUser> &users)
{
    std::ifstream in(path);
    if (!in)
        return path + ": cannot be read";
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        line = line.substr(0, line.find('#'));
        std::istringstream fields(line);
        std::vector<std::string> words;
        for (std::string word; fields >> word;)
            words.push_back(word);
        if (words.empty())
            continue;
        const std::string where = path + ":" + std::to_string(number) + ": ";
        if (words.size() != 5)
            return where + "expected: name auth auth-password priv priv-password";
        SnmpUser user{words[0],
                      NoneIfDash(words[1]),
                      NoneIfDash(words[2]),
                      NoneIfDash(words[3]),
                      NoneIfDash(words[4])};
        if (!user.authProtocol.empty() && AuthProtocols.count(user.authProtocol) == 0)
            return where + "unknown authentication protocol " + user.authProtocol;
        if (!user.privProtocol.empty() && PrivProtocols.count(user.privProtocol) == 0)
            return where + "unknown privacy protocol " + user.privProtocol;
        if (user.authProtocol.empty() != user.authPassword.empty()
            || user.privProtocol.empty() != user.privPassword.empty())
            return where + "a protocol needs a password and a password a protocol";
        if (user.authProtocol.empty() && !user.privProtocol.empty())
            return where + "privacy needs authentication";
        if (line.find('"') != std::string::npos)
            return where + "quotes are not allowed";
        if ((!user.authPassword.empty() && user.authPassword.size() < 8)
            || (!user.privPassword.empty() && user.privPassword.size() < 8))
            return where + "passwords need at least 8 characters";
        users.push_back(user);
    }
    return {};
}

} // namespace sim
