#pragma once
// Text fields of fixed size in memory that other processes may write at any
// time: reads never look past the field, writes never write past it.
#include <cstddef>
#include <string>
#include <string_view>

namespace orvane::platform {

// The field's bytes up to its first zero byte, or all `size` bytes when it
// has none. Takes one snapshot of the field first, so a writer changing it
// meanwhile cannot make the read run past the end.
std::string ReadFieldText(const char* field, std::size_t size);

// Copies `text` into the field followed by one zero byte; bytes after that
// zero are left as they are. A text of `size` bytes fills the field without a
// zero byte; a longer text is cut to `size` bytes.
void WriteFieldText(char* field, std::size_t size, std::string_view text);

template <std::size_t N>
std::string ReadFieldText(const char (&field)[N]) {
    return ReadFieldText(field, N);
}
template <std::size_t N>
void WriteFieldText(char (&field)[N], std::string_view text) {
    WriteFieldText(field, N, text);
}

}  // namespace orvane::platform
