#pragma once
// The listing of the shared texts behind the "KOR P/G_S_MEM" button.
#include <string>
#include <vector>

#include "variables/share_memory.h"

namespace orvane {

// One line per non-empty private text, "KOR_P_S_MEM<n>: <text>" for n = 1..8,
// then one per non-empty public text, "KOR_G_S_MEM<m>:str=<text>" for
// m = 1..64 (the form of a string assignment). Texts end at their first zero
// byte or their field's end. No block (null): no lines.
std::vector<std::string> Button_KOR_G_S_MEMClick(const Share_Memory* block);

}  // namespace orvane
