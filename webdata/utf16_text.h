#pragma once
// Positions and lengths in UTF-16 code units over UTF-8 text. The browser
// page's boxes and source view count wide characters, so window lengths,
// positions and cuts are counted that way, while the text itself stays UTF-8.
//
// Every function takes UTF-8; a byte that does not begin a well-formed
// sequence counts as one unit (it stands for U+FFFD), as ValidUtf8 turns it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane::webdata {

// `text` with every byte that does not begin a well-formed UTF-8 sequence
// (overlong forms, surrogates and values past U+10FFFF included) replaced by
// U+FFFD. Well-formed text comes back unchanged.
std::string ValidUtf8(std::string_view text);

// `text` without a sequence cut short at its very end (what remains of a
// character when a value was cut at a byte limit).
std::string_view DropCutTail(std::string_view text);

// The number of UTF-16 code units of `text`.
size_t Utf16Length(std::string_view text);

// 1-based UTF-16 position of the first occurrence of `sub` in `text` that
// starts at or after the 1-based position `offset`; 0 when there is none,
// when `sub` is empty, or when `offset` lies outside 1..Utf16Length(text).
size_t Utf16PosEx(std::string_view sub, std::string_view text, size_t offset = 1);

// The part of `text` from the 1-based UTF-16 position `index` (values below 1
// count as 1), at most `count` units; empty when `count` is not positive or
// `index` lies past the end. A cut through a character outside the Basic
// Multilingual Plane leaves U+FFFD for its lost half.
std::string Utf16Copy(std::string_view text, int64_t index, int64_t count);

}  // namespace orvane::webdata
