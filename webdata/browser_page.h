#pragma once
// The browser page's operations that need no window: opening the address box
// (Refresh), cutting the keyword window out of the page source ("search1" and
// every fetched section), and the item extraction "Search 2", which stores the
// item in the field table. Positions and lengths count UTF-16 code units, as
// the page's boxes do.
#include <string>
#include <string_view>

#include "platform/event_wait.h"
#include "smartformat/field_table.h"
#include "webdata/field_table_view.h"
#include "webdata/web_addresses.h"
#include "webdata/web_boxes.h"
#include "webdata/web_browser_port.h"

namespace orvane::webdata {

// The pause after a title's old value was cleared, so the change is visible.
inline constexpr int kSameTitlePauseMs = 50;

// The address Refresh opens for the address box's text: the text itself when
// its first four letters are "http" in any case ("HTTPS://x", "httpfoo"),
// else "http://" + text.
std::string RefreshAddress(std::string_view text);

// The dictionary's address for `word`: `base` + "dictionary?p=" + the word
// as typed (not percent-encoded).
std::string DictionaryAddress(std::string_view word, std::string_view base = kDictionaryBase);

// Refresh (`Button3Click`): opens RefreshAddress(Combo_web); the box keeps its
// text.
void Button3Click(const WebBoxes& boxes, WebBrowserPort& browser);

// The keyword window: p := 1-based position of Edit_keyword in `source` (0
// when absent) + the keyword's length; Edit_position := p; then Edit3 := at
// most Edit_length characters of `source` from position p (empty past the
// end). Raises EConvertError when Edit_length is not an integer, after
// Edit_position was set and before Edit3 changes.
void CutWindow(WebBoxes& boxes, std::string_view source);

// "search1" (`Button4Click`): clears Edit3, asks for a new capture (which
// arrives later), and cuts the window at once from the source captured
// before. Raises as CutWindow.
void Button4Click(WebBoxes& boxes, WebBrowserPort& browser);

// The value of an item in `window`: a := position of `start` (0 when absent)
// + its length; e := position of `end` at or after a (0 when absent or when a
// is 0); the e - a characters from a, or empty when e - a is not positive.
std::string ExtractItem(std::string_view window, std::string_view start, std::string_view end);

// Where an item titled `title` goes: the first field column (from 1 up) whose
// name equals the title exactly (case matters) or is empty. `sameTitle` tells
// which of the two stopped the scan; when none did, `column` is the column
// count and `grows` is set (the table grows by two columns).
struct ItemColumn {
    int column = 0;
    bool sameTitle = false;
    bool grows = false;
};
ItemColumn ChooseItemColumn(const FieldTable& table, std::string_view title);

// "Search 2" (`Button_search_2ndClick`) on the boxes as they are now: clears
// Edit_result, extracts the item from Edit3 between Edit_keyword_start and
// Edit_keyword_end into Edit_result, and stores Edit_from, the value and
// Edit_Description in rows 0, 1 and 2 of the column ChooseItemColumn picks.
// A column that already has the title first loses its value, is redrawn and
// stays so for kSameTitlePauseMs while events are handled. Returns the column.
int Button_search_2ndClick(WebBoxes& boxes, FieldTable& table, platform::EventWait& wait,
                           FieldTableView& view);

}  // namespace orvane::webdata
