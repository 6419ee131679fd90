#pragma once
// The evaluator's working text. The scanner only ever changes the text at its
// front (trimming, cutting an operand and operator off, replacing a function
// call or group by its value), so the tail of the text is never touched again.
// Replacing the front never copies the rest, and the search for the last
// closing character remembers its answer in the untouched tail, which keeps a
// whole statement's scan linear in its length.
#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

class ScanText {
public:
    static constexpr size_t npos = std::string_view::npos;

    explicit ScanText(std::string text);

    size_t size() const { return m_end - m_off; }
    bool empty() const { return m_end == m_off; }
    char operator[](size_t i) const { return m_buf[m_off + i]; }
    std::string_view view() const { return {m_buf.data() + m_off, m_end - m_off}; }
    std::string str() const { return std::string(view()); }

    // Drops leading and trailing characters with codes of 32 or less.
    void Trim();
    // Removes the first n characters. Once the removed front is twice the
    // rest, the rest moves to a buffer of its own and the old one is freed.
    void Drop(size_t n);
    // Removes the first n characters and returns the `count` of them that
    // start at `from`. When little stays behind, the old buffer is handed
    // over as the returned text instead of being copied.
    std::string TakeFront(size_t n, size_t from, size_t count);
    // Replaces the first n characters by r.
    void ReplacePrefix(size_t n, std::string_view r);

    // 0-based index of the last occurrence of `c` in the text, or npos.
    size_t RFindChar(char c);

private:
    struct LastCache {
        bool valid = false;
        size_t pos = 0;  // absolute index, or kNone
    };
    static constexpr size_t kNone = static_cast<size_t>(-1);

    void InvalidateCaches();
    // True when the dropped front is large and at least twice the rest.
    bool MostlyBehind() const;
    // Moves the live text to a new buffer with a little room in front; the
    // old buffer goes to `old`.
    void MoveRestToOwnBuffer(std::string& old);

    std::string m_buf;
    size_t m_off = 0;       // start of the text in m_buf
    size_t m_end = 0;       // end of the text in m_buf
    size_t m_pristine = 0;  // m_buf[m_pristine, m_origEnd) is still the original text
    size_t m_origEnd = 0;
    LastCache m_lastParen, m_lastBracket;
};

}  // namespace orvane
