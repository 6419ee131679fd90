#pragma once
// Inside the CRC search: the candidates that the search of one width hands
// back, where they are collected, and that search itself.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/crc_search.h"

namespace orvane::crc_search {

// Variant bits: the index of one (refin, refout, byte order) combination.
inline constexpr unsigned kVarRefin = 1, kVarRefout = 2, kVarLittle = 4;

struct Candidate {
    uint16_t poly, init, xorout;
    uint8_t width;
    uint8_t variant;
    int16_t catalogue;  // index into CrcCatalogue(), -1 for none

    // Catalogue models first, then width, polynomial, refin, refout, byte
    // order (big first), init, final XOR.
    uint64_t Key() const {
        return uint64_t(catalogue < 0) << 56 | uint64_t(width == 16) << 55 | uint64_t(poly) << 39 |
               uint64_t(variant & kVarRefin) << 38 | uint64_t((variant & kVarRefout) != 0) << 37 |
               uint64_t((variant & kVarLittle) != 0) << 36 | uint64_t(init) << 16 | xorout;
    }
};

inline bool KeyLess(const Candidate& a, const Candidate& b) { return a.Key() < b.Key(); }

// Keeps the best candidates (those first in the report's order) and counts
// the ones cut off. The list is cut back to twice the cap whenever it reaches
// kPruneAt entries.
class Collector {
public:
    static constexpr size_t kPruneAt = 4096;

    void Add(const Candidate& c) {
        m_all.push_back(c);
        if (m_all.size() >= kPruneAt) Prune();
    }
    void Finish() { std::sort(m_all.begin(), m_all.end(), KeyLess); }
    const std::vector<Candidate>& Best() const { return m_all; }
    size_t Dropped() const { return m_dropped; }

private:
    void Prune() {
        const size_t keep = 2 * kCrcSearchCap;
        std::nth_element(m_all.begin(), m_all.begin() + keep, m_all.end(), KeyLess);
        m_dropped += m_all.size() - keep;
        m_all.resize(keep);
    }
    std::vector<Candidate> m_all;
    size_t m_dropped = 0;
};

// Which notes the models found call for.
struct Flags {
    bool sameLength = false;
    bool openInit = false;
    bool severalPairs = false;
};

// Adds every model of the width (8 or 16) under which all frames fit. The
// frames are distinct, sorted by length, and each holds at least skip +
// width/8 bytes.
void SearchWidth(int width, const std::vector<std::vector<uint8_t>>& frames, size_t skip,
                 Collector& out, Flags& flags);

}  // namespace orvane::crc_search
