#include "tools/base64.h"

#include <array>
#include <cstdint>

namespace orvane {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Six-bit value of each character; 0 for characters outside the alphabet.
constexpr std::array<uint8_t, 256> MakeValues() {
    std::array<uint8_t, 256> v{};
    for (int i = 0; i < 64; ++i) v[uint8_t(kAlphabet[i])] = uint8_t(i);
    return v;
}
constexpr std::array<uint8_t, 256> kValues = MakeValues();

// Two characters for each 12-bit value: halves the table look-ups.
struct PairTable {
    std::array<char, 2 * 4096> c{};
    constexpr PairTable() {
        for (int i = 0; i < 4096; ++i) {
            c[size_t(2 * i)] = kAlphabet[i >> 6];
            c[size_t(2 * i + 1)] = kAlphabet[i & 63];
        }
    }
};
constexpr PairTable kPairs;

}  // namespace

void Base64EncodeAppend(std::string_view bytes, std::string& out) {
    const size_t n = bytes.size();
    const size_t start = out.size();
    out.resize(start + Base64Length(n), '=');
    const auto* in = reinterpret_cast<const uint8_t*>(bytes.data());
    char* o = out.data() + start;
    size_t i = 0;
    for (; i + 3 <= n; i += 3, o += 4) {
        const uint32_t v = uint32_t(in[i]) << 16 | uint32_t(in[i + 1]) << 8 | in[i + 2];
        const char* hi = &kPairs.c[size_t(v >> 12) * 2];
        const char* lo = &kPairs.c[size_t(v & 0xFFF) * 2];
        o[0] = hi[0];
        o[1] = hi[1];
        o[2] = lo[0];
        o[3] = lo[1];
    }
    if (i < n) {  // one or two bytes left: the rest of the group stays "="
        const uint32_t v = uint32_t(in[i]) << 16 | (i + 1 < n ? uint32_t(in[i + 1]) << 8 : 0u);
        o[0] = kAlphabet[v >> 18];
        o[1] = kAlphabet[(v >> 12) & 63];
        if (i + 1 < n) o[2] = kAlphabet[(v >> 6) & 63];
    }
}

std::string Base64Encode(std::string_view bytes) {
    std::string out;
    Base64EncodeAppend(bytes, out);
    return out;
}

std::string Base64DecodeGroups(std::string_view text) {
    const size_t groups = text.size() / 4;
    std::string out;
    out.resize(groups * 3);
    char* o = out.data();
    const auto* t = reinterpret_cast<const uint8_t*>(text.data());
    for (size_t g = 0; g < groups; ++g, t += 4) {
        const uint32_t v = uint32_t(kValues[t[0]]) << 18 | uint32_t(kValues[t[1]]) << 12 |
                           uint32_t(kValues[t[2]]) << 6 | kValues[t[3]];
        *o++ = char(v >> 16);
        if (t[2] == '=') continue;
        *o++ = char(v >> 8);
        if (t[3] == '=') continue;
        *o++ = char(v);
    }
    out.resize(size_t(o - out.data()));
    return out;
}

}  // namespace orvane
