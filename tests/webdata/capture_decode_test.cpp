#include "webdata/capture_decode.h"

#include <gtest/gtest.h>

namespace orvane::webdata {
namespace {

struct DecodeCase {
    const char* name;
    std::string json;
    CaptureStatus status;
    std::string source;
};

class DecodeCapture_ : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeCapture_, FollowsTheCaptureRules) {
    const DecodeCase& c = GetParam();
    CaptureResult r = DecodeCapture(c.json);
    EXPECT_EQ(r.status, c.status);
    if (c.status == CaptureStatus::Source) {
        EXPECT_EQ(r.source, c.source);
    }
}

const CaptureStatus S = CaptureStatus::Source;
const CaptureStatus M = CaptureStatus::Malformed;

INSTANTIATE_TEST_SUITE_P(
    Table, DecodeCapture_,
    testing::Values(
        DecodeCase{"NullChangesNothing", "null", CaptureStatus::Null, ""},
        DecodeCase{"QuotedNullIsText", "\"null\"", S, "null"},
        DecodeCase{"NullWithBlankIsText", "null ", S, "null "},
        DecodeCase{"EmptyString", "\"\"", S, ""},
        DecodeCase{"OuterQuotesGo", "\"abc\"", S, "abc"},
        DecodeCase{"OnlyOneQuoteKeepsIt", "\"abc", S, "\"abc"},
        DecodeCase{"PlusIsBlank", "\"1+1\"", S, "1 1"},
        DecodeCase{"PercentBytes", "\"%3Chtml%3E%0A%3c/p%3e\"", S, "<html>\n</p>"},
        DecodeCase{"PercentBytesAreUtf8", "\"%E5%8F%B0%E5%B9%A3\"", S, "台幣"},
        DecodeCase{"BadUtf8ByteIsReplaced", "\"a%FFb\"", S, "a\xEF\xBF\xBD" "b"},
        DecodeCase{"DoublePercentIsPercent", "\"100%%\"", S, "100%"},
        DecodeCase{"EncodedPercent", "\"100%25+off\"", S, "100% off"},
        DecodeCase{"LoneQuotesVanish", "\"%3Ca href=%22x%22%3E\"", S, "<a href=x>"},
        DecodeCase{"PairBecomesOne", "\"v=%22%22;\"", S, "v=\";"},
        DecodeCase{"ThreeQuotesGiveOne", "\"%22%22%22\"", S, "\""},
        DecodeCase{"QuotePairAtTheEdges", "\"%22%22x%22%22\"", S, "\"x\""},
        DecodeCase{"PercentAtEnd", "\"abc%\"", M, ""},
        DecodeCase{"OneHexDigit", "\"%4\"", M, ""},
        DecodeCase{"NotHex", "\"%G1\"", M, ""},
        DecodeCase{"PercentBlank", "% 20", M, ""}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

TEST(DecodeCapture, RestoresMarkupEncodedByThePage) {
    const std::string markup =
        "<html><head><title>Rate 100%</title></head>\r\n<body class=\"b\">"
        "<p>1美元 = <span class=\"\"vk_ans vk_bk\"\">31.5 台幣</span> 1+1 😀</p></body></html>";
    CaptureResult r = DecodeCapture(CaptureJson(true, EncodeURI(markup)));
    ASSERT_EQ(r.status, CaptureStatus::Source);
    EXPECT_EQ(r.source,
              "<html><head><title>Rate 100%</title></head>\r\n<body class=b>"
              "<p>1美元 = <span class=\"vk_ans vk_bk\">31.5 台幣</span> 1 1 😀</p></body></html>");
}

TEST(DecodeCapture, EncodeURIKeepsWhatThePageEncoderKeeps) {
    EXPECT_EQ(EncodeURI("Az09-_.!~*'();,/?:@&=+$#"), "Az09-_.!~*'();,/?:@&=+$#");
    EXPECT_EQ(EncodeURI("a b\"%\n\\<台"), "a%20b%22%25%0A%5C%3C%E5%8F%B0");
    EXPECT_EQ(CaptureJson(false, "ignored"), "null");
}

}  // namespace
}  // namespace orvane::webdata
