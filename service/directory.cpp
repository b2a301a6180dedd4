#include "directory.h"

#include <arpa/inet.h>
#include <cstring>
#include <fstream>
#include <sstream>

namespace dorvex::service {

std::optional<std::array<uint8_t, 16>> ParseAddress(const std::string& text) {
    std::array<uint8_t, 16> a{};
    in_addr v4;
    if (inet_pton(AF_INET, text.c_str(), &v4) == 1) {
        a[10] = a[11] = 0xFF;
        std::memcpy(&a[12], &v4, 4);
        return a;
    }
    in6_addr v6;
    if (inet_pton(AF_INET6, text.c_str(), &v6) == 1) {
        std::memcpy(a.data(), &v6, 16);
        return a;
    }
    return std::nullopt;
}

namespace {

bool Contains(const Network& n, const std::array<uint8_t, 16>& a) {
    for (int bit = 0; bit < n.prefix; ++bit) {
        const int byte = bit / 8, mask = 0x80 >> (bit % 8);
        if ((n.addr[byte] & mask) != (a[byte] & mask))
            return false;
    }
    return true;
}

int ToInt(const std::string& s, int lo, int hi, const std::string& what) {
    size_t used = 0;
    int v = 0;
    try {
        v = std::stoi(s, &used);
    } catch (...) {
        used = 0;
    }
    if (used != s.size() || v < lo || v > hi)
        throw std::invalid_argument(what + " must be a number from " + std::to_string(lo) + " to " +
                                    std::to_string(hi) + ", not '" + s + "'");
    return v;
}

} // namespace

Directory Directory::Parse(const std::string& text, const std::string& name) {
    Directory d;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (const size_t hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string s; words >> s;)
            w.push_back(s);
        if (w.empty())
            continue;
        try {
            Network n;
            const size_t slash = w[0].find('/');
            const std::string host = w[0].substr(0, slash);
            const auto addr = ParseAddress(host);
            if (!addr)
                throw std::invalid_argument("'" + host + "' is no IPv4 or IPv6 address");
            const bool v4 = host.find(':') == std::string::npos;
            const int maxPrefix = v4 ? 32 : 128;
            const int prefix = slash == std::string::npos ? maxPrefix
                                                          : ToInt(w[0].substr(slash + 1), 0,
                                                                  maxPrefix, "the prefix length");
            n.addr = *addr;
            n.prefix = v4 ? prefix + 96 : prefix;
            if (w.size() < 2)
                throw std::invalid_argument("the kind of customer is missing");
            const std::string& kind = w[1];
            if (kind == "home") {
                if (w.size() != 2)
                    throw std::invalid_argument("a home network takes no values");
            } else if (kind == "pcroom") {
                if (w.size() != 6)
                    throw std::invalid_argument("a PC room needs KEY X Y SKIN");
                n.customer.kind = Kind::PcRoom;
                n.customer.key = w[2];
                if (w[2].size() < 11)
                    throw std::invalid_argument("a PC-room key needs 11 characters or more");
                for (char c : w[2])
                    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_')
                        throw std::invalid_argument(
                            "a PC-room key may hold letters, digits, - and _ only");
                n.customer.x = ToInt(w[3], -100000, 100000, "X");
                n.customer.y = ToInt(w[4], -100000, 100000, "Y");
                n.customer.skin = ToInt(w[5], 0, 1, "the skin (0 for A, 1 for B)");
            } else if (kind == "business") {
                if (w.size() != 4)
                    throw std::invalid_argument("a business customer needs CODE SKIN");
                n.customer.kind = Kind::Business;
                n.customer.position = ToInt(w[2], 1, 9, "the position code");
                n.customer.skin = ToInt(w[3], 1, 2, "the skin (1 for A, 2 for B)");
            } else {
                throw std::invalid_argument("unknown kind '" + kind +
                                            "' (home, pcroom or business)");
            }
            for (const Network& other : d.m_networks)
                if (other.prefix == n.prefix && other.addr == n.addr)
                    throw std::invalid_argument("the network " + w[0] + " is listed twice");
            d.m_networks.push_back(n);
        } catch (const std::invalid_argument& e) {
            throw DirectoryError(name + ":" + std::to_string(number) + ": " + e.what());
        }
    }
    return d;
}

Directory Directory::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw DirectoryError(path + ": cannot be read");
    std::ostringstream ss;
    ss << in.rdbuf();
    return Parse(ss.str(), path);
}

Directory Directory::Default() {
    return Parse("0.0.0.0/0 home\n::/0 home\n", "default");
}

Customer Directory::Find(const std::string& address) const {
    const auto a = ParseAddress(address);
    const Network* best = nullptr;
    if (a) {
        for (const Network& n : m_networks)
            if (Contains(n, *a) && (!best || n.prefix > best->prefix))
                best = &n;
    }
    return best ? best->customer : Customer{};
}

} // namespace dorvex::service
