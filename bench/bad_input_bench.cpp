// The cost of hostile input: huge, deeply nested, unbalanced and repetitive
// statements and templates of up to 100 KB (the inputs of the bad-input
// tests, which check what each one answers). Each must stay far below a
// second; bench/bad_input_times.sh measures the same through whole
// orvane-eval processes.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/errors.h"
#include "engine/evaluator.h"
#include "engine/format_settings.h"
#include "smartformat/smart_format.h"

namespace {

std::string Repeat(const std::string& s, size_t n) {
    std::string out;
    out.reserve(s.size() * n);
    for (size_t i = 0; i < n; ++i) out += s;
    return out;
}

const std::vector<std::pair<const char*, std::string>>& Statements() {
    static const std::vector<std::pair<const char*, std::string>> cases = {
        {"open_parens", Repeat("(", 100000)},
        {"close_parens", Repeat(")", 100000)},
        {"abs_chain_open", Repeat("ABS(", 25000)},
        {"open_plus", Repeat("(+", 50000)},
        {"name_plus", Repeat("x+", 50000)},
        {"brackets_open", Repeat("[", 100000)},
        {"brackets_plus", Repeat("[+", 50000)},
        {"x_chain_open", Repeat("X1016(", 16000)},
        {"minus", Repeat("-", 100000)},
        {"e_plus", Repeat("1E+", 33000)},
        {"words", Repeat(" AND", 25000)},
        {"unbalanced_args", "MAX(" + Repeat("(,", 50000) + ")"},
        {"sort_unbalanced", "SORT(" + Repeat("(", 50000) + Repeat(",", 50000) + ")"},
        {"datetime_open", Repeat("DATETIME(", 10000)},
        {"now", Repeat("NOW()", 20000)},
        {"assignments", Repeat("a=", 50000)},
        {"str_assignments", Repeat(":STR=", 20000)},
        {"padding", Repeat("1:", 50000)},
        {"nul_bytes", std::string(100000, '\0')},
        {"sum_50000_terms", "1" + Repeat("+1", 49999)},
        {"nested_groups_rejected", Repeat("(", 50000) + "1" + Repeat(")", 50000)},
    };
    return cases;
}

const std::vector<std::pair<const char*, std::string>>& Templates() {
    static const std::vector<std::pair<const char*, std::string>> cases = {
        {"t_open_brackets", Repeat("[", 100000)},
        {"t_close_brackets", Repeat("]", 100000)},
        {"t_braces_nested", Repeat("{", 50000) + Repeat("}", 50000)},
        {"t_brace_pairs", Repeat("{}", 50000)},
        {"t_quotes", "[" + Repeat("\"", 99999) + "]"},
        {"t_single_quotes", "[" + Repeat("'", 99999) + "]"},
        {"t_30000_open_selectors", "['F':S(" + Repeat("[1", 30000) + ")]"},
        {"t_30000_brackets", "['F':S(" + Repeat("[", 30000) + ")]"},
        {"t_function_parens", "['F':" + Repeat("(", 30000) + "]"},
        {"t_lines", Repeat("['F']\r\n", 14000)},
        {"t_items", "[" + Repeat("'F'+", 25000) + "'F']"},
        {"t_bits", "['F':S([1:" + Repeat("9", 50000) + "])]"},
        {"t_chunks", "['F':M1(" + Repeat("[1]", 5000) + ")]"},
        {"t_wide_x", "['F':X1016([all]):99999999]"},
        {"t_long_value", "['F':V10(" + Repeat("9", 90000) + ")]"},
        {"t_long_codes", "['F':C16(" + Repeat("41", 40000) + ")]"},
        {"t_nul_bytes", std::string(100000, '\0')},
        {"t_base36_3000_digits", "['F':X3625(" + Repeat("Z", 3000) + ")]"},
    };
    return cases;
}

class OneField : public orvane::FieldTableAccess {
public:
    const std::string* FindFieldValue(std::string_view upper) const override {
        return upper == "F" ? &m_value : nullptr;
    }

private:
    std::string m_value = "1B 24 43 02 99 05";
};

void BM_HostileStatement(benchmark::State& state, const std::string& statement) {
    orvane::SetFormatSettings(orvane::FormatSettings::CLocale());
    orvane::NullHost host;
    orvane::SmartSession session(host);
    std::string answer;
    for (auto _ : state) {
        try {
            orvane::expression_Proc(session, statement, answer);
        } catch (const orvane::EOrvane&) {
        }
        benchmark::DoNotOptimize(answer);
    }
}

void BM_HostileTemplate(benchmark::State& state, const std::string& text) {
    orvane::SetFormatSettings(orvane::FormatSettings::CLocale());
    orvane::NullHost host;
    OneField field;
    orvane::SmartSession session(host);
    session.SetFieldTable(&field);
    for (auto _ : state) {
        std::string out;
        try {
            bool ok = true;
            out = orvane::String_Proc(session, text, true, ok);
        } catch (const orvane::EOrvane&) {
        }
        benchmark::DoNotOptimize(out);
    }
}

[[maybe_unused]] const bool kRegistered = [] {
    for (const auto& [name, text] : Statements())
        benchmark::RegisterBenchmark((std::string("BM_HostileStatement/") + name).c_str(),
                                     BM_HostileStatement, text)
            ->Unit(benchmark::kMillisecond);
    for (const auto& [name, text] : Templates())
        benchmark::RegisterBenchmark((std::string("BM_HostileTemplate/") + name).c_str(),
                                     BM_HostileTemplate, text)
            ->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
