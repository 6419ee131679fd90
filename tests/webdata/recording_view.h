#pragma once
// A field table view that records what the fetcher tells it.
#include <string>
#include <utility>
#include <vector>

#include "smartformat/field_table.h"
#include "webdata/field_table_view.h"

namespace orvane::test {

class RecordingView : public webdata::FieldTableView {
public:
    explicit RecordingView(const FieldTable& table) : m_table(table) {}
    void TableChanged() override {
        ++redraws;
        // The value row as the grid would show it now.
        std::vector<std::string> values;
        for (int c = 1; c < m_table.ColCount(); ++c) values.push_back(m_table.Cell(c, 1));
        shownValues.push_back(std::move(values));
    }
    void Adjtablewidth() override { ++fits; }
    void ItemStored(int column, const std::string& title, const std::string& value) override {
        items.push_back({column, title + "=" + value});
    }

    int redraws = 0;
    int fits = 0;
    std::vector<std::vector<std::string>> shownValues;
    std::vector<std::pair<int, std::string>> items;

private:
    const FieldTable& m_table;
};

}  // namespace orvane::test
