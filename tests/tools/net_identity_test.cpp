#include "tools/net_identity.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>

namespace orvane {
namespace {

NetAdapter Adapter(std::vector<uint8_t> mac, std::vector<std::pair<std::string, std::string>> ipv4) {
    NetAdapter a;
    a.Address = std::move(mac);
    a.IPv4 = std::move(ipv4);
    return a;
}

// "00-1A-2B-3C-4D-5E": six upper-case hexadecimal pairs joined by "-".
bool IsMacText(const std::string& s) {
    if (s.size() != 17) return false;
    for (size_t i = 0; i < s.size(); ++i) {
        bool dash = i % 3 == 2;
        if (dash ? s[i] != '-' : !(std::isdigit(uint8_t(s[i])) || (s[i] >= 'A' && s[i] <= 'F'))) return false;
    }
    return true;
}

// Four decimal numbers 0..255 joined by ".".
bool IsDottedQuad(const std::string& s) {
    unsigned a, b, c, d;
    char tail;
    return std::sscanf(s.c_str(), "%3u.%3u.%3u.%3u%c", &a, &b, &c, &d, &tail) == 4 && a < 256 && b < 256 &&
           c < 256 && d < 256;
}

const NetAdapter kA = Adapter({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, {{"192.168.0.5", "255.255.255.0"}});
const NetAdapter kB = Adapter({0xBB, 0xBB, 0xBB, 0xBB, 0xBB, 0x01}, {{"0.0.0.0", "0.0.0.0"}});
const NetAdapter kC = Adapter({0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0x02}, {{"10.1.2.3", "255.255.0.0"}});
const NetAdapter kNoIPv4 = Adapter({0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0x03}, {});
const NetAdapter kTenNet = Adapter({0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0x04}, {{"10.0.0.0", "255.0.0.0"}});
const NetAdapter kTunnel = Adapter({}, {{"10.8.0.2", "255.255.255.0"}});
const NetAdapter kLong = Adapter({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {{"172.16.0.1", "255.240.0.0"}});

TEST(MacAddress, AdapterLine) {
    NetAdapter two = kA;
    two.IPv4.push_back({"10.0.0.7", "255.0.0.0"});
    EXPECT_EQ(AdapterLine(two), "001A2B3C4D5E  A: 192.168.0.5 M: 255.255.255.0\rA: 10.0.0.7 M: 255.0.0.0\r");
    EXPECT_EQ(AdapterLine(kNoIPv4), "DDDDDDDDDD03  A: 0.0.0.0 M: 0.0.0.0\r");
    EXPECT_EQ(AdapterLine(kLong), "0102030405060708  A: 172.16.0.1 M: 255.240.0.0\r");  // 8 bytes at most
}

TEST(MacAddress, SelectionRule) {
    struct Row {
        const char* name;
        std::vector<NetAdapter> adapters;
        const char* expected;
    } rows[] = {
        {"none", {}, "FF-FF-FF-FF-FF-FF"},
        {"one, unconfigured", {kB}, "BB-BB-BB-BB-BB-01"},
        {"A B C: first later one without 0.0.0.0", {kA, kB, kC}, "CC-CC-CC-CC-CC-02"},
        {"A B: first kept", {kA, kB}, "00-1A-2B-3C-4D-5E"},
        {"B A C: A replaces B", {kB, kA, kC}, "00-1A-2B-3C-4D-5E"},
        {"no IPv4 counts as 0.0.0.0", {kA, kNoIPv4}, "00-1A-2B-3C-4D-5E"},
        {"10.0.0.0 contains 0.0.0.0", {kB, kTenNet}, "BB-BB-BB-BB-BB-01"},
        {"tunnel without MAC passed over", {kA, kTunnel}, "00-1A-2B-3C-4D-5E"},
        {"only a tunnel", {kTunnel}, "FF-FF-FF-FF-FF-FF"},
        {"long address: first six bytes", {kB, kLong}, "01-02-03-04-05-06"},
    };
    for (const Row& r : rows) EXPECT_EQ(SelectMacAddress(r.adapters), r.expected) << r.name;
}

TEST(MacAddress, ThisMachine) {
    std::vector<NetAdapter> adapters = ListNetAdapters();
    for (size_t i = 0; i < adapters.size(); ++i) {
        EXPECT_NE(adapters[i].Name, "lo");
        if (i) {
            EXPECT_LT(adapters[i - 1].Index, adapters[i].Index);
        }
        for (const auto& [address, mask] : adapters[i].IPv4) {
            EXPECT_LE(address.size(), 15u);
            EXPECT_LE(mask.size(), 15u);
        }
    }
    EXPECT_TRUE(IsMacText(GetMacAddress_one())) << GetMacAddress_one();
    EXPECT_TRUE(IsMacText("00-1A-2B-3C-4D-5E"));
    EXPECT_FALSE(IsMacText("00-1a-2B-3C-4D-5E"));
}

TEST(HostIdentity, NameAndAddress) {
    char name[256] = {};
    ASSERT_EQ(gethostname(name, sizeof name - 1), 0);
    EXPECT_EQ(GetPC_NAME(), name);
    EXPECT_EQ(ResolveIPv4("127.0.0.1"), "127.0.0.1");
    EXPECT_EQ(ResolveIPv4("localhost"), "127.0.0.1");
    EXPECT_EQ(ResolveIPv4(""), "");
    std::string ip = GetLocalIP();
    EXPECT_TRUE(ip.empty() || IsDottedQuad(ip)) << ip;
}

}  // namespace
}  // namespace orvane
