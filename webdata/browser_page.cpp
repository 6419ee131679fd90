#include "webdata/browser_page.h"

#include "engine/number_text.h"
#include "webdata/utf16_text.h"

namespace orvane::webdata {

std::string RefreshAddress(std::string_view text) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
    bool http = text.size() >= 4 && lower(text[0]) == 'h' && lower(text[1]) == 't' &&
                lower(text[2]) == 't' && lower(text[3]) == 'p';
    return http ? std::string(text) : "http://" + std::string(text);
}

std::string DictionaryAddress(std::string_view word, std::string_view base) {
    std::string address(base);
    address += "dictionary?p=";
    address += word;
    return address;
}

void Button3Click(const WebBoxes& boxes, WebBrowserPort& browser) {
    browser.Navigate(RefreshAddress(boxes.Box(WebBox::Combo_web)));
}

void CutWindow(WebBoxes& boxes, std::string_view source) {
    std::string keyword = boxes.Box(WebBox::Edit_keyword);
    int64_t p = int64_t(Utf16PosEx(keyword, source)) + int64_t(Utf16Length(keyword));
    boxes.SetBox(WebBox::Edit_position, IntToStr(p));
    int32_t length = StrToInt(boxes.Box(WebBox::Edit_length));
    boxes.SetBox(WebBox::Edit3, Utf16Copy(source, p, length));
}

void Button4Click(WebBoxes& boxes, WebBrowserPort& browser) {
    boxes.SetBox(WebBox::Edit3, "");
    browser.RequestCapture();
    CutWindow(boxes, browser.SourceText());
}

std::string ExtractItem(std::string_view window, std::string_view start, std::string_view end) {
    int64_t a = int64_t(Utf16PosEx(start, window)) + int64_t(Utf16Length(start));
    int64_t e = a > 0 ? int64_t(Utf16PosEx(end, window, size_t(a))) : 0;
    return e - a > 0 ? Utf16Copy(window, a, e - a) : std::string();
}

ItemColumn ChooseItemColumn(const FieldTable& table, std::string_view title) {
    // Column 0 holds the headings "Name" and "Data", never a field.
    for (int c = 1; c < table.ColCount(); ++c) {
        const std::string& name = table.Cell(c, FieldTable::kNameRow);
        if (name == title) return {c, true, false};
        if (name.empty()) return {c, false, false};
    }
    return {table.ColCount(), false, true};
}

int Button_search_2ndClick(WebBoxes& boxes, FieldTable& table, platform::EventWait& wait,
                           FieldTableView& view) {
    boxes.SetBox(WebBox::Edit_result, "");
    std::string value = ExtractItem(boxes.Box(WebBox::Edit3), boxes.Box(WebBox::Edit_keyword_start),
                                    boxes.Box(WebBox::Edit_keyword_end));
    boxes.SetBox(WebBox::Edit_result, value);
    std::string title = boxes.Box(WebBox::Edit_from);
    std::string description = boxes.Box(WebBox::Edit_Description);

    ItemColumn where = ChooseItemColumn(table, title);
    if (where.sameTitle) {
        table.SetCell(where.column, FieldTable::kValueRow, "");
        view.TableChanged();
        wait.Sleep1(kSameTitlePauseMs);
        // The user may have moved or removed columns during the pause.
        if (where.column >= table.ColCount() ||
            table.Cell(where.column, FieldTable::kNameRow) != title)
            where = ChooseItemColumn(table, title);
    }
    if (where.grows) table.SetColCount(table.ColCount() + 2);
    table.SetCell(where.column, FieldTable::kNameRow, title);
    table.SetCell(where.column, FieldTable::kValueRow, value);
    table.SetCell(where.column, FieldTable::kDescriptionRow, description);
    view.TableChanged();
    view.ItemStored(where.column, title, value);
    return where.column;
}

}  // namespace orvane::webdata
