#include "tools/net_identity.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netpacket/packet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>

#include "engine/errors.h"

namespace orvane {

namespace {

// The adapter record of the original query holds at most 8 address bytes.
constexpr size_t kMaxLineAddressBytes = 8;
constexpr size_t kMacBytes = 6;

std::string Dotted(const sockaddr* sa) {
    if (!sa || sa->sa_family != AF_INET) return "0.0.0.0";
    char buf[INET_ADDRSTRLEN] = {};
    const auto* in = reinterpret_cast<const sockaddr_in*>(sa);
    if (!::inet_ntop(AF_INET, &in->sin_addr, buf, sizeof buf)) return "0.0.0.0";
    return buf;
}

}  // namespace

std::string AdapterLine(const NetAdapter& adapter) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string line;
    size_t n = std::min(adapter.Address.size(), kMaxLineAddressBytes);
    for (size_t i = 0; i < n; ++i) {
        line += kHex[adapter.Address[i] >> 4];
        line += kHex[adapter.Address[i] & 15];
    }
    line += "  ";
    if (adapter.IPv4.empty()) {
        line += "A: 0.0.0.0 M: 0.0.0.0\r";
    } else {
        for (const auto& [address, mask] : adapter.IPv4) line += "A: " + address + " M: " + mask + "\r";
    }
    return line;
}

std::string SelectMacAddress(const std::vector<NetAdapter>& adapters) {
    std::string chosen = "FFFFFFFFFFFF";
    bool first = true;
    for (const NetAdapter& a : adapters) {
        if (a.Address.size() < kMacBytes) continue;
        std::string line = AdapterLine(a);
        if (first) {
            chosen = std::move(line);
            first = false;
        } else if (line.find("0.0.0.0") == std::string::npos) {
            chosen = std::move(line);
            break;
        }
    }
    std::string mac;
    for (size_t i = 0; i < 12; i += 2) {
        if (i) mac += '-';
        mac += chosen.substr(i, 2);
    }
    return mac;
}

std::vector<NetAdapter> ListNetAdapters() {
    ifaddrs* raw = nullptr;
    if (::getifaddrs(&raw) != 0) {
        int err = errno;
        throw EOrvane("EOSError", "System Error.  Code: " + std::to_string(err) + ". " + std::strerror(err));
    }
    std::unique_ptr<ifaddrs, void (*)(ifaddrs*)> holder(raw, ::freeifaddrs);
    ifaddrs* list = holder.get();
    std::map<std::string, NetAdapter> byName;
    // Packet-level entries first: they say which interfaces are adapters.
    for (ifaddrs* i = list; i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_PACKET || !i->ifa_name) continue;
        if (i->ifa_flags & IFF_LOOPBACK) continue;
        const auto* ll = reinterpret_cast<const sockaddr_ll*>(i->ifa_addr);
        NetAdapter a;
        a.Index = unsigned(ll->sll_ifindex);
        a.Name = i->ifa_name;
        size_t len = std::min<size_t>(ll->sll_halen, sizeof ll->sll_addr);
        a.Address.assign(ll->sll_addr, ll->sll_addr + len);
        byName.emplace(a.Name, std::move(a));
    }
    for (ifaddrs* i = list; i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || !i->ifa_name) continue;
        std::string name = i->ifa_name;
        if (size_t colon = name.find(':'); colon != std::string::npos) name.resize(colon);
        auto it = byName.find(name);
        if (it == byName.end()) continue;
        it->second.IPv4.emplace_back(Dotted(i->ifa_addr), Dotted(i->ifa_netmask));
    }
    std::vector<NetAdapter> out;
    out.reserve(byName.size());
    for (auto& [name, a] : byName) out.push_back(std::move(a));
    std::stable_sort(out.begin(), out.end(),
                     [](const NetAdapter& x, const NetAdapter& y) { return x.Index < y.Index; });
    return out;
}

std::string GetMacAddress_one() { return SelectMacAddress(ListNetAdapters()); }

std::string ResolveIPv4(const std::string& hostName) {
    if (hostName.empty()) return {};
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* res = nullptr;
    if (::getaddrinfo(hostName.c_str(), nullptr, &hints, &res) != 0 || !res) return {};
    std::string out;
    for (addrinfo* r = res; r; r = r->ai_next) {
        if (r->ai_family == AF_INET && r->ai_addr) {
            out = Dotted(r->ai_addr);
            break;
        }
    }
    ::freeaddrinfo(res);
    return out;
}

std::string GetPC_NAME() {
    char buf[256] = {};
    if (::gethostname(buf, sizeof buf - 1) != 0) return {};
    return buf;
}

std::string GetLocalIP() { return ResolveIPv4(GetPC_NAME()); }

}  // namespace orvane
