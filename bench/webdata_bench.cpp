// The page-source capture on a 5 MB page: decoding the script's result, and
// the keyword window a fetch cuts from the decoded source.
#include <benchmark/benchmark.h>

#include <string>

#include "webdata/browser_page.h"
#include "webdata/capture_decode.h"

namespace {

// About `bytes` of markup: attributes in quotes, Chinese text, "+" and "%".
std::string Page(size_t bytes) {
    const std::string row =
        "<tr class=\"rate\"><td title=\"1+1\">1美元 = 31.5 台幣</td><td>100%</td></tr>\n";
    std::string page = "<html><body><table>\n";
    while (page.size() < bytes) page += row;
    page += "<p>RATE = 32.1 NTD</p></table></body></html>";
    return page;
}

const std::string& Capture5MB() {
    static const std::string json =
        orvane::webdata::CaptureJson(true, orvane::webdata::EncodeURI(Page(5u << 20)));
    return json;
}

void BM_DecodeCapture5MB(benchmark::State& state) {
    const std::string& json = Capture5MB();
    for (auto _ : state) {
        auto r = orvane::webdata::DecodeCapture(json);
        benchmark::DoNotOptimize(r.source.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(json.size()));
    state.counters["json_MB"] = double(json.size()) / (1 << 20);
}
BENCHMARK(BM_DecodeCapture5MB)->Unit(benchmark::kMillisecond);

void BM_CutWindowAtTheEndOf5MB(benchmark::State& state) {
    const std::string source = orvane::webdata::DecodeCapture(Capture5MB()).source;
    orvane::webdata::WebBoxStore boxes;
    boxes.SetBox(orvane::webdata::WebBox::Edit_keyword, "RATE =");
    boxes.SetBox(orvane::webdata::WebBox::Edit_length, "200");
    for (auto _ : state) {
        orvane::webdata::CutWindow(boxes, source);
        benchmark::DoNotOptimize(boxes.Box(orvane::webdata::WebBox::Edit3));
    }
}
BENCHMARK(BM_CutWindowAtTheEndOf5MB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
