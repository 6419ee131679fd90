#pragma once
// The numeric and the string variable table: 256 slots each, filled from slot
// 0 upward; an empty name marks a free slot, and free slots only follow used
// ones.
#include <array>
#include <string>

namespace orvane {

inline constexpr int kVariableSlots = 256;
// Names are stored trimmed, in upper case, cut to this many characters.
inline constexpr std::size_t kMaxVariableNameLength = 64;

struct TINI_Parameter {
    std::string Name;
    double Value = 0;
};

struct TINI_Str_Variable {
    std::string Name;
    std::string Value;
};

using INI_Parameter_Table = std::array<TINI_Parameter, kVariableSlots>;
using INI_Str_Variable_Table = std::array<TINI_Str_Variable, kVariableSlots>;

}  // namespace orvane
