// The directory of networks the service decides a client's kind of customer by.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace dorvex::service {

enum class Kind { Home, PcRoom, Business };

struct Customer {
    Kind kind = Kind::Home;
    std::string key;  // PC room: its key, 11 characters or more
    int x = 0, y = 0; // PC room: where the launcher stands
    int skin = 0;     // PC room: 0 skin A, else skin B; business: 1 A, 2 B
    int position = 0; // business: position code 1..9
};

struct Network {
    std::array<uint8_t, 16> addr{}; // IPv4 as ::ffff:a.b.c.d
    int prefix = 0;                 // in bits of the 128
    Customer customer;
};

// "file:line: reason" for a directory that cannot be loaded.
class DirectoryError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Directory {
public:
    // One network a line: "CIDR home", "CIDR pcroom KEY X Y SKIN", "CIDR business CODE SKIN";
    // '#' starts a comment. Throws DirectoryError; nothing is half-loaded.
    static Directory Parse(const std::string& text, const std::string& name);
    static Directory Load(const std::string& path);
    static Directory Default(); // loopback and everything else: home users

    // The most specific network holding the address; home users where none does.
    Customer Find(const std::string& address) const;
    const std::vector<Network>& Networks() const { return m_networks; }

private:
    std::vector<Network> m_networks;
};

// An IPv4 or IPv6 address as 16 bytes (IPv4 mapped), or nothing.
std::optional<std::array<uint8_t, 16>> ParseAddress(const std::string& text);

} // namespace dorvex::service
