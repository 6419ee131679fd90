#include "engine/scan_text.h"

#include <algorithm>
#include <cstring>


namespace orvane {

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

bool ScanText::MostlyBehind() const {
    // Only when the dropped part is twice the rest, which keeps the copies
    // linear in all.
    constexpr size_t kMinDropped = 1u << 16;
    return m_off >= kMinDropped && m_off / 2 >= size();
}

void ScanText::MoveRestToOwnBuffer(std::string& old) {
    constexpr size_t kRoom = 64;  // room in front for results
    const size_t shift = m_off - kRoom;
    std::string nb;
    nb.reserve(kRoom + size());
    nb.append(kRoom, ' ');
    nb.append(view());
    // Before the live text nothing is original any more.
    const size_t pristine = std::max(m_pristine, m_off);
    for (LastCache* lc : {&m_lastParen, &m_lastBracket})
        if (lc->valid && lc->pos != kNone) {
            if (lc->pos < pristine) lc->pos = kNone;
            else lc->pos -= shift;
        }
    m_origEnd = std::max(m_origEnd, pristine) - shift;
    m_pristine = pristine - shift;
    m_end -= shift;
    m_off = kRoom;
    m_buf.swap(nb);
    old.swap(nb);
}

void ScanText::Drop(size_t n) {
    m_off += std::min(n, size());
    // Once most of the buffer lies behind, the rest moves to a buffer of its
    // own, so that a text taken apart piece by piece frees its memory.
    if (!MostlyBehind()) return;
    std::string old;
    MoveRestToOwnBuffer(old);
}

std::string ScanText::TakeFront(size_t n, size_t from, size_t count) {
    n = std::min(n, size());
    count = from < n ? std::min(count, n - from) : 0;
    const size_t start = m_off + from;
    m_off += n;
    if (!MostlyBehind()) return std::string(m_buf, start, count);
    // Little stays behind: the old buffer becomes the part taken, without
    // a copy of it.
    std::string taken;
    MoveRestToOwnBuffer(taken);
    taken.resize(start + count);
    taken.erase(0, start);
    return taken;
}

void ScanText::InvalidateCaches() {
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
