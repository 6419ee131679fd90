#pragma once
// A stand-in for the CRC page's widgets in model tests: every reported item is
// copied from the model's getter, so a change the model forgets to report
// leaves a stale control; a sink records the expressions handed to the
// calculator.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/model/crc_page_model.h"

namespace orvane::ui {

struct FakeCrcPage {
    using Item = CrcPageModel::Item;

    explicit FakeCrcPage(CrcPageModel& m) : model(m) {
        model.SetListener([this](Item item) { Mirror(item); });
        model.SetExpressionSink([this](const std::string& e) { expressions.push_back(e); });
    }
    void Mirror(Item item) {
        items.push_back(item);
        switch (item) {
            case Item::Data: data = model.data_text(); break;
            case Item::Result: result = model.result_text(); break;
            case Item::Width: width = model.width(); break;
            case Item::Polynom: polynom = model.polynom_text(); break;
            case Item::InitialValue: initial = model.initial_value_text(); break;
            case Item::FinalXor: finalXor = model.final_xor_text(); break;
            case Item::ReverseData: reverseData = model.reverse_data(); break;
            case Item::ReverseResult: reverseResult = model.reverse_result(); break;
            case Item::QuickSetting: preset = model.quick_setting(); break;
            case Item::Frames: frames = model.frames_text(); break;
            case Item::Skip: skip = model.skip(); break;
            case Item::SearchWidths: searchWidths = model.search_widths(); break;
            case Item::FoundModels: foundLines = model.found_lines(); break;
            case Item::SearchMessages: messages = model.search_messages(); break;
        }
    }
    // The controls agree with the model.
    void ExpectInSync() const {
        EXPECT_EQ(data, model.data_text());
        EXPECT_EQ(result, model.result_text());
        EXPECT_EQ(width, model.width());
        EXPECT_EQ(polynom, model.polynom_text());
        EXPECT_EQ(initial, model.initial_value_text());
        EXPECT_EQ(finalXor, model.final_xor_text());
        EXPECT_EQ(reverseData, model.reverse_data());
        EXPECT_EQ(reverseResult, model.reverse_result());
        EXPECT_EQ(preset, model.quick_setting());
        EXPECT_EQ(frames, model.frames_text());
        EXPECT_EQ(skip, model.skip());
        EXPECT_EQ(searchWidths, model.search_widths());
        EXPECT_EQ(foundLines, model.found_lines());
        EXPECT_EQ(messages, model.search_messages());
    }

    CrcPageModel& model;
    // The controls' initial values.
    std::string data = "BB", result = "CRC_result";
    CrcWidth width = CrcWidth::Crc8;
    std::string polynom = "$1D", initial = "$FF", finalXor = "$00";
    bool reverseData = true, reverseResult = true;
    int preset = 4;
    std::string frames;
    size_t skip = 0;
    CrcSearchWidths searchWidths = CrcSearchWidths::Both;
    std::vector<std::string> foundLines, messages;

    std::vector<Item> items;
    std::vector<std::string> expressions;
};

}  // namespace orvane::ui
