#pragma once
// A short, printable stand-in for a text of any length, for tables of
// expected results of huge inputs.
#include <string>
#include <string_view>

namespace orvane::test {

// The text itself when it has at most 24 bytes, else its first 12 bytes and
// "...(<length>)". Control bytes show as \xNN.
std::string Summary(std::string_view text);

// "<prefix>" repeated `count` times: the hostile inputs are made of these.
std::string Repeat(std::string_view prefix, size_t count);

}  // namespace orvane::test
