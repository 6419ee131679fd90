// Statement evaluation benchmarks: long sums (cost must grow linearly with the
// number of terms) and a typical mixed statement.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/evaluator.h"
#include "engine/format_settings.h"
#include "engine/session.h"

namespace {

std::string Sum(int terms) {
    std::string s = "1";
    for (int i = 1; i < terms; ++i) s += "+" + std::to_string(i % 1000);
    return s;
}

void BM_SumOfTerms(benchmark::State& state) {
    orvane::SetFormatSettings(orvane::FormatSettings::CLocale());
    orvane::NullHost host;
    orvane::Session session(host);
    const std::string statement = Sum(int(state.range(0)));
    std::string answer;
    for (auto _ : state) {
        orvane::expression_Proc(session, statement, answer);
        benchmark::DoNotOptimize(answer);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SumOfTerms)->Arg(10000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_TypicalStatement(benchmark::State& state) {
    orvane::SetFormatSettings(orvane::FormatSettings::CLocale());
    orvane::NullHost host;
    orvane::Session session(host);
    std::string answer;
    for (auto _ : state) {
        orvane::expression_Proc(session, "(971+155+405*667)*2", answer);
        benchmark::DoNotOptimize(answer);
    }
}
BENCHMARK(BM_TypicalStatement);

void BM_FunctionsAndGroups(benchmark::State& state) {
    orvane::SetFormatSettings(orvane::FormatSettings::CLocale());
    orvane::NullHost host;
    orvane::Session session(host);
    std::string answer;
    for (auto _ : state) {
        orvane::expression_Proc(session, "MAX(1,2,3)+ABS(-4)*(2+3)-X1610(FF)%7", answer);
        benchmark::DoNotOptimize(answer);
    }
}
BENCHMARK(BM_FunctionsAndGroups);

}  // namespace
