#pragma once
// The working boxes of the browser page: the address box and the boxes from
// `Edit_keyword` to `Edit_Description`. The fetcher uses them as its
// registers, so every step of a fetch is visible; the window shows them as
// its edit boxes, orvane-tool and the tests keep them in a WebBoxStore.
#include <array>
#include <string>
#include <string_view>

namespace orvane::webdata {

enum class WebBox {
    Combo_web,           // address of the page to open
    Edit_keyword,        // the section's keyword
    Edit_length,         // window length, decimal text
    Edit_position,       // where the window starts, or "time out"
    Edit3,               // the window text, or a status text
    Edit_keyword_start,  // the current item's start text
    Edit_keyword_end,    // the current item's end text
    Edit_from,           // the current item's title
    Edit_Description,    // the current item's description
    Edit_result,         // the current item's value
};
inline constexpr int kWebBoxCount = 10;

// The widget name of a box ("Combo_web", "Edit_keyword", ...).
const char* WebBoxName(WebBox box);
// The text a box shows when the page is built: "Keyword", "position",
// "Edit_length", "" (Edit3), "keyword_start", "keyword_end", "Title",
// "Description", "Result", and for Combo_web the search engine's home page.
const char* InitialBoxText(WebBox box);

// The boxes as the fetcher sees them. Texts are UTF-8.
class WebBoxes {
public:
    virtual ~WebBoxes() = default;
    // The box's current text (what the user may have typed meanwhile).
    virtual std::string Box(WebBox box) const = 0;
    // Replaces the box's text.
    virtual void SetBox(WebBox box, std::string_view text) = 0;
};

// Boxes held in memory, starting with their initial texts.
class WebBoxStore : public WebBoxes {
public:
    WebBoxStore();
    std::string Box(WebBox box) const override;
    void SetBox(WebBox box, std::string_view text) override;

private:
    std::array<std::string, kWebBoxCount> m_text;
};

}  // namespace orvane::webdata
