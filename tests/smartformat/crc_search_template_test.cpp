// The names the CRC search prints are template functions as they stand:
// "['F':<name>([<first>..<last>])]" over a frame's covered bytes gives the
// CRC stored at the frame's end.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/crc_search.h"
#include "engine/crc_search_text.h"
#include "engine/number_text.h"
#include "tests/support/crc_fixtures.h"
#include "tests/support/recording_host.h"
#include "smartformat/smart_format.h"

namespace orvane::test {
namespace {

class OneField : public FieldTableAccess {
public:
    const std::string* FindFieldValue(std::string_view upperName) const override {
        return upperName == "F" ? &value : nullptr;
    }
    std::string value;
};

TEST(CrcSearchTemplate, PrintedNamesComputeEachFramesCrc) {
    CLocaleScope locale;
    RecordingHost host;
    OneField field;
    SmartSession s(host);
    s.SetFieldTable(&field);
    std::mt19937 rng(15);

    const CrcFoundModel models[] = {
        {{16, 0x8005, 0xFFFF, true, true, 0x0000}, CrcByteOrder::Little},   // CRC-16/MODBUS
        {{16, 0x1021, 0xFFFF, false, false, 0x0000}, CrcByteOrder::Big},    // CRC-16/IBM-3740
        {{16, 0x3D65, 0x1A2B, true, false, 0x00FF}, CrcByteOrder::Big},
        {{16, 0x0589, 0x00F0, false, true, 0xABCD}, CrcByteOrder::Little},
        {{8, 0x31, 0x00, true, true, 0x00}, CrcByteOrder::None},            // CRC-8/MAXIM-DOW
        {{8, 0x0B, 0x05, false, true, 0x0A}, CrcByteOrder::None},
    };
    for (const CrcFoundModel& truth : models) {
        const size_t skip = rng() % 3;
        CrcSearchRequest request;
        request.skip = skip;
        request.frames = MakeCrcFrames(truth, {3, 8, 13, 21}, skip, rng);
        const CrcSearchResult result = SearchCrcModels(request);
        ASSERT_FALSE(result.models.empty()) << CrcTemplateName(truth.params);
        for (const CrcFoundModel& found : result.models) {
            const std::string name = CrcTemplateName(found.params);
            for (const auto& frame : request.frames) {
                // Byte k (1-based) of the field text occupies characters 3k-2 and 3k-1.
                const size_t first = 3 * skip + 1;
                const size_t last = 3 * (frame.size() - found.params.width / 8) - 1;
                field.value = CrcByteText(frame);
                const std::string item =
                    "['F':" + name + "([" + std::to_string(first) + ".." + std::to_string(last) + "])]";
                bool ok = true;
                const std::string out = String_Proc(s, item, true, ok);
                EXPECT_TRUE(ok) << item;
                // The template writes the CRC as a number, most significant digit first.
                EXPECT_EQ(out, IntToHex(FrameCrcValue(frame, found.params.width, found.order),
                                        found.params.width / 4))
                    << item << " over " << field.value;
            }
        }
    }
}

}  // namespace
}  // namespace orvane::test
