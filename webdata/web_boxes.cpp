#include "webdata/web_boxes.h"

#include "webdata/web_addresses.h"

namespace orvane::webdata {

namespace {

struct BoxInfo {
    const char* name;
    const char* initial;
};

constexpr std::array<BoxInfo, kWebBoxCount> kBoxes{{
    {"Combo_web", kSearchEngineHomePage},
    {"Edit_keyword", "Keyword"},
    {"Edit_length", "Edit_length"},
    {"Edit_position", "position"},
    {"Edit3", ""},
    {"Edit_keyword_start", "keyword_start"},
    {"Edit_keyword_end", "keyword_end"},
    {"Edit_from", "Title"},
    {"Edit_Description", "Description"},
    {"Edit_result", "Result"},
}};

size_t Index(WebBox box) { return static_cast<size_t>(box); }

}  // namespace

const char* WebBoxName(WebBox box) { return kBoxes[Index(box)].name; }

const char* InitialBoxText(WebBox box) { return kBoxes[Index(box)].initial; }

WebBoxStore::WebBoxStore() {
    for (size_t i = 0; i < m_text.size(); ++i) m_text[i] = kBoxes[i].initial;
}

std::string WebBoxStore::Box(WebBox box) const { return m_text[Index(box)]; }

void WebBoxStore::SetBox(WebBox box, std::string_view text) { m_text[Index(box)] = text; }

}  // namespace orvane::webdata
