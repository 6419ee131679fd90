#pragma once
// Base64 (RFC 4648, standard alphabet, "=" padding, one line) and the
// tools page's reading of it, group of four characters by group of four.
#include <string>
#include <string_view>

namespace orvane {

// The Base64 text of `bytes`: four characters for every three bytes, the last
// group padded with "=", no line breaks.
std::string Base64Encode(std::string_view bytes);
// Appends the Base64 text of `bytes` to `out`; a run of bytes whose length is
// a multiple of three gets no padding, so a long text can be encoded in such
// runs followed by its rest.
void Base64EncodeAppend(std::string_view bytes, std::string& out);
// The length of the Base64 text of `n` bytes.
inline size_t Base64Length(size_t n) { return (n + 2) / 3 * 4; }

// Reads `text` in groups of four characters; a trailing group of fewer than
// four is ignored. Each group gives three bytes, one byte when its third
// character is "=", two when only its fourth is. A character outside the
// alphabet ("=" and line breaks included) keeps its place in its group and
// contributes six zero bits. Never fails.
std::string Base64DecodeGroups(std::string_view text);

}  // namespace orvane
