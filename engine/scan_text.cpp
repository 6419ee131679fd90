#include "engine/scan_text.h"

#include <algorithm>
#include <cstring>

#include "engine/number_text.h"

namespace orvane {

namespace {
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
}  // namespace

ScanText::ScanText(std::string text) : m_buf(std::move(text)) {
    m_off = 0;
    m_end = m_buf.size();
    while (m_off < m_end && static_cast<unsigned char>(m_buf[m_off]) <= 32) ++m_off;
    while (m_end > m_off && static_cast<unsigned char>(m_buf[m_end - 1]) <= 32) --m_end;
    m_pristine = m_off;
    m_origEnd = m_end;
}

void ScanText::Trim() {
    while (m_off < m_end && static_cast<unsigned char>(m_buf[m_off]) <= 32) ++m_off;
    while (m_end > m_off && static_cast<unsigned char>(m_buf[m_end - 1]) <= 32) --m_end;
}

void ScanText::Drop(size_t n) { m_off += std::min(n, size()); }

void ScanText::InvalidateCaches() {
    for (Cache& c : m_cache) c.valid = false;
    m_lastParen.valid = m_lastBracket.valid = false;
}

void ScanText::ReplacePrefix(size_t n, std::string_view r) {
    n = std::min(n, size());
    const size_t callEnd = m_off + n;
    m_pristine = std::max(m_pristine, callEnd);
    if (r.size() <= callEnd) {
        // The space before the call is already consumed: write the result
        // just in front of the untouched rest.
        const size_t at = callEnd - r.size();
        if (!r.empty()) std::memmove(&m_buf[at], r.data(), r.size());
        m_off = at;
        return;
    }
    // Not enough room in front: rebuild with headroom for later results.
    const size_t head = r.size() + 64;
    std::string nb;
    nb.reserve(head + r.size() + (m_end - callEnd));
    nb.append(head, ' ');
    nb.append(r);
    const size_t shift = head + r.size();  // new index of old callEnd
    nb.append(m_buf, callEnd, m_end - callEnd);
    const size_t pristineTail = m_pristine - callEnd;  // pristine starts this far after callEnd
    const size_t origTail = m_origEnd >= callEnd ? m_origEnd - callEnd : 0;
    m_buf.swap(nb);
    m_off = head;
    m_end = shift + (m_end - callEnd);
    m_pristine = shift + pristineTail;
    m_origEnd = std::max(m_pristine, shift + origTail);
    InvalidateCaches();
}

size_t ScanText::SearchRange(std::string_view pat, bool ci, size_t from, size_t to) const {
    // Occurrences starting in [from, to) that fit before m_end.
    const size_t m = pat.size();
    if (m == 0 || from >= m_end || m_end - from < m) return kNone;
    const size_t lastStart = std::min(to, m_end - m + 1);
    if (from >= lastStart) return kNone;
    // Anchor on the first character that is not a letter (every pattern has one).
    size_t k = 0;
    while (k < m && IsLetter(pat[k])) ++k;
    if (k == m) k = 0;
    const char anchor = pat[k];
    const char* base = m_buf.data();
    size_t i = from + k;
    while (i < lastStart + k) {
        const void* hit = std::memchr(base + i, anchor, lastStart + k - i);
        if (!hit) return kNone;
        const size_t at = static_cast<size_t>(static_cast<const char*>(hit) - base) - k;
        bool match = true;
        for (size_t j = 0; j < m; ++j) {
            const char c = base[at + j];
            if (ci ? UpChar(c) != pat[j] : c != pat[j]) {
                match = false;
                break;
            }
        }
        if (match) return at;
        i = at + k + 1;
    }
    return kNone;
}

size_t ScanText::Find(int id, std::string_view pat, bool ci, size_t from) {
    const size_t q = m_off + from;
    if (q >= m_end) return npos;
    // 1. The rewritten front (and patterns straddling into the untouched tail).
    if (q < m_pristine) {
        const size_t hit = SearchRange(pat, ci, q, m_pristine);
        if (hit != kNone) return hit - m_off;
    }
    // 2. The untouched tail, through the cache.
    const size_t q2 = std::max(q, m_pristine);
    if (q2 >= m_end || m_end < m_origEnd) {
        // The tail was trimmed away: only the front exists.
        if (q2 >= m_end) return npos;
        const size_t hit = SearchRange(pat, ci, q2, m_end);
        return hit == kNone ? npos : hit - m_off;
    }
    Cache& c = m_cache[id];
    size_t result;
    if (c.valid && c.qs <= q2 && (c.fp == kNone || c.fp >= q2)) {
        result = c.fp;
    } else if (c.valid && q2 < c.qs && (c.fp == kNone || c.fp >= c.qs)) {
        const size_t hit = SearchRange(pat, ci, q2, c.qs);
        if (hit != kNone) c.fp = hit;
        c.qs = q2;
        result = c.fp;
    } else {
        result = SearchRange(pat, ci, q2, m_end);
        c.valid = true;
        c.qs = q2;
        c.fp = result;
    }
    return result == kNone ? npos : result - m_off;
}

size_t ScanText::RFindChar(char ch) {
    LastCache& lc = ch == ')' ? m_lastParen : m_lastBracket;
    const char* base = m_buf.data();
    if (m_end >= m_origEnd && m_pristine < m_end) {
        if (!lc.valid) {
            const void* hit = memrchr(base + m_pristine, ch, m_end - m_pristine);
            lc.pos = hit ? size_t(static_cast<const char*>(hit) - base) : kNone;
            lc.valid = true;
        }
        if (lc.pos != kNone && lc.pos >= m_pristine && lc.pos >= m_off) return lc.pos - m_off;
    }
    // Nothing in the untouched tail: look in the rewritten front.
    const size_t frontEnd = std::min(m_end, m_pristine);
    if (frontEnd <= m_off) return npos;
    const void* hit = memrchr(base + m_off, ch, frontEnd - m_off);
    return hit ? size_t(static_cast<const char*>(hit) - base) - m_off : npos;
}

}  // namespace orvane
