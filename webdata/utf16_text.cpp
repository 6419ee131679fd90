#include "webdata/utf16_text.h"

namespace orvane::webdata {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool IsTrail(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length in bytes of the well-formed sequence at `i`, or 0 when the byte
// there does not begin one.
size_t SequenceLength(std::string_view s, size_t i) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = b(i);
    size_t left = s.size() - i;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return left >= 2 && IsTrail(b(i + 1)) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (left < 3 || !IsTrail(b(i + 1)) || !IsTrail(b(i + 2))) return 0;
        if (c == 0xE0 && b(i + 1) < 0xA0) return 0;  // overlong
        if (c == 0xED && b(i + 1) > 0x9F) return 0;  // surrogate
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (left < 4 || !IsTrail(b(i + 1)) || !IsTrail(b(i + 2)) || !IsTrail(b(i + 3))) return 0;
        if (c == 0xF0 && b(i + 1) < 0x90) return 0;  // overlong
        if (c == 0xF4 && b(i + 1) > 0x8F) return 0;  // past U+10FFFF
        return 4;
    }
    return 0;
}

// One character at `i`: its bytes (1 for a bad byte) and its UTF-16 units.
struct Step {
    size_t bytes;
    size_t units;
    bool valid;
};

Step StepAt(std::string_view s, size_t i) {
    size_t n = SequenceLength(s, i);
    if (n == 0) return {1, 1, false};
    return {n, n == 4 ? 2u : 1u, true};
}

// The byte index at which the 1-based UTF-16 position `pos` begins, counting
// from byte `from` which is position `fromPos`; s.size() when past the end.
// `split` is set when `pos` falls on the second half of a surrogate pair (the
// index is then that of the pair's character).
size_t ByteOfPosition(std::string_view s, size_t from, size_t fromPos, size_t pos, bool& split) {
    split = false;
    size_t i = from, p = fromPos;
    while (i < s.size() && p < pos) {
        Step st = StepAt(s, i);
        if (p + st.units > pos) {
            split = true;
            return i;
        }
        p += st.units;
        i += st.bytes;
    }
    return i;
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        size_t n = SequenceLength(text, i);
        if (n == 0) break;
        i += n;
    }
    if (i == text.size()) return std::string(text);
    std::string out;
    out.reserve(text.size() + 16);
    out.append(text.substr(0, i));
    while (i < text.size()) {
        size_t n = SequenceLength(text, i);
        if (n == 0) {
            out.append(kReplacement);
            ++i;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

std::string_view DropCutTail(std::string_view text) {
    // A cut sequence is a lead byte followed by fewer trail bytes than it
    // announces, at most three bytes from the end.
    size_t n = text.size();
    for (size_t back = 1; back <= 3 && back <= n; ++back) {
        unsigned char c = static_cast<unsigned char>(text[n - back]);
        if (IsTrail(c)) continue;
        size_t want = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return want > back ? text.substr(0, n - back) : text;
    }
    return text;
}

size_t Utf16Length(std::string_view text) {
    size_t units = 0;
    for (size_t i = 0; i < text.size();) {
        Step st = StepAt(text, i);
        units += st.units;
        i += st.bytes;
    }
    return units;
}

size_t Utf16PosEx(std::string_view sub, std::string_view text, size_t offset) {
    if (sub.empty() || offset < 1) return 0;
    bool split = false;
    size_t from = ByteOfPosition(text, 0, 1, offset, split);
    if (from >= text.size()) return 0;
    // A start on the second half of a pair cannot match a whole character
    // there; the search begins with the next one.
    size_t fromPos = offset;
    if (split) {
        from += StepAt(text, from).bytes;
        ++fromPos;
    }
    // Search the bytes: a well-formed needle can only match where a
    // character of `text` begins (a bad byte of `text` is a character of its
    // own), so the byte index converts back to a position.
    std::string validSub = ValidUtf8(sub);
    size_t at = text.find(validSub, from);
    if (at == std::string_view::npos) return 0;
    size_t pos = fromPos;
    for (size_t i = from; i < at;) {
        Step st = StepAt(text, i);
        pos += st.units;
        i += st.bytes;
    }
    return pos;
}

std::string Utf16Copy(std::string_view text, int64_t index, int64_t count) {
    if (count <= 0) return {};
    size_t start = index < 1 ? 1 : size_t(index);
    bool splitStart = false;
    size_t b = ByteOfPosition(text, 0, 1, start, splitStart);
    if (b >= text.size()) return {};
    std::string out;
    size_t left = size_t(count);
    if (splitStart) {
        // The copy begins with the lost low half of a pair.
        out.append(kReplacement);
        --left;
        b += StepAt(text, b).bytes;
    }
    size_t e = b;
    bool splitEnd = false;
    while (e < text.size() && left > 0) {
        Step st = StepAt(text, e);
        if (st.units > left) {
            splitEnd = true;
            break;
        }
        left -= st.units;
        e += st.bytes;
    }
    out.append(text.substr(b, e - b));
    if (splitEnd) out.append(kReplacement);
    return out;
}

}  // namespace orvane::webdata
