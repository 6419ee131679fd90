#pragma once
// What the fetcher and "Search 2" tell the view of the field table. The
// window redraws and fits its grid; orvane-tool prints each stored item;
// tests record the calls. Every method does nothing by default.
#include <string>

namespace orvane::webdata {

class FieldTableView {
public:
    virtual ~FieldTableView() = default;
    // Cells or the column count of the table changed: redraw.
    virtual void TableChanged() {}
    // "Adj table width": fit the field columns to their texts.
    virtual void Adjtablewidth() {}
    // An item was stored: `title` heads column `column`, `value` is its value.
    virtual void ItemStored(int column, const std::string& title, const std::string& value) {
        (void)column, (void)title, (void)value;
    }
};

}  // namespace orvane::webdata
