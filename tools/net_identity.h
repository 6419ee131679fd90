#pragma once
// Network identity of the machine: the MAC address of the adapter in use, the
// IPv4 address the host name resolves to, and the host name.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace orvane {

// One network adapter as the identity queries see it.
struct NetAdapter {
    unsigned Index = 0;              // interface index
    std::string Name;                // interface name ("eth0")
    std::vector<uint8_t> Address;    // hardware address
    // IPv4 addresses with their masks, dotted ("192.168.1.20", "255.255.255.0").
    std::vector<std::pair<std::string, std::string>> IPv4;
};

// The adapter's line of the MAC choice: its hardware address bytes (at most 8)
// as two upper-case hexadecimal digits each, two spaces, then "A: " + address
// + " M: " + mask + CR for each IPv4 address; an adapter without IPv4 counts
// as one address "0.0.0.0" with mask "0.0.0.0".
std::string AdapterLine(const NetAdapter& adapter);

// The MAC text "00-1A-2B-3C-4D-5E" chosen from `adapters` (in the order
// given): the first adapter's, unless a later adapter's line does not contain
// "0.0.0.0", in which case the first such later one's. Adapters whose
// hardware address has fewer than 6 bytes (tunnels and the like, which have no
// MAC) are passed over. "FF-FF-FF-FF-FF-FF" when no adapter remains.
std::string SelectMacAddress(const std::vector<NetAdapter>& adapters);

// The machine's adapters from getifaddrs, in interface-index order, loopback
// left out: the hardware address from the packet-level entry, the IPv4
// addresses and masks from the IPv4 entries (alias labels such as "eth0:1"
// count for their interface). Raises EOrvane "EOSError" ("System Error.
// Code: <errno>. <text>") when the platform cannot list them.
std::vector<NetAdapter> ListNetAdapters();

// SelectMacAddress(ListNetAdapters()); raises as ListNetAdapters.
std::string GetMacAddress_one();

// The first IPv4 address `hostName` resolves to, dotted; empty when it does
// not resolve.
std::string ResolveIPv4(const std::string& hostName);

// The IPv4 address this machine's host name resolves to; empty text when the
// name cannot be read or does not resolve. Never raises.
std::string GetLocalIP();

// The host name; empty text when it cannot be read. Never raises.
std::string GetPC_NAME();

}  // namespace orvane
