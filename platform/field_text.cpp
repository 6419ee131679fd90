#include "platform/field_text.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace orvane::platform {

std::string ReadFieldText(const char* field, std::size_t size) {
    if (!field || size == 0) return {};
    char local[512];
    std::vector<char> big;
    char* copy = local;
    if (size > sizeof local) {
        big.resize(size);
        copy = big.data();
    }
    std::memcpy(copy, field, size);
    const void* nul = std::memchr(copy, 0, size);
    const std::size_t len = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - copy) : size;
    return std::string(copy, len);
}

void WriteFieldText(char* field, std::size_t size, std::string_view text) {
    if (!field || size == 0) return;
    const std::size_t n = std::min(text.size(), size);
    std::memcpy(field, text.data(), n);
    if (n < size) field[n] = '\0';
}

}  // namespace orvane::platform
