#include "variables/kor_listing.h"

#include "platform/field_text.h"

namespace orvane {

std::vector<std::string> Button_KOR_G_S_MEMClick(const Share_Memory* block) {
    std::vector<std::string> lines;
    if (!block) return lines;
    for (int n = 1; n <= kKorSlots; ++n) {
        std::string text = platform::ReadFieldText(KorSlot(*block, n).Share_Mem_private_data);
        if (!text.empty()) lines.push_back("KOR_P_S_MEM" + std::to_string(n) + ": " + text);
    }
    for (int m = 1; m <= kPublicTexts; ++m) {
        std::string text = platform::ReadFieldText(PublicData(*block, m).Share_Mem_Public_data);
        if (!text.empty()) lines.push_back("KOR_G_S_MEM" + std::to_string(m) + ":str=" + text);
    }
    return lines;
}

}  // namespace orvane
