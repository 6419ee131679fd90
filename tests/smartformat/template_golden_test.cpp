// Template -> output, success flag and messages, from templates.golden.
#include <gtest/gtest.h>

#include "engine/errors.h"
#include "engine/evaluator.h"
#include "engine/number_text.h"
#include "smartformat/smart_format.h"
#include "tests/support/golden_file.h"
#include "tests/support/recording_host.h"

namespace orvane::test {
namespace {

class MapFields : public FieldTableAccess {
public:
    const std::string* FindFieldValue(std::string_view upperName) const override {
        for (const auto& [name, value] : fields)
            if (UpperCase(name) == upperName) return &value;
        return nullptr;
    }
    std::vector<std::pair<std::string, std::string>> fields;
};

// "⏎" in the golden file stands for CR LF.
std::string Unescape(std::string t) {
    const std::string mark = "\xE2\x8F\x8E";
    for (size_t p; (p = t.find(mark)) != std::string::npos;) t.replace(p, mark.size(), "\r\n");
    return t;
}
std::string Escape(std::string t) {
    for (size_t p; (p = t.find("\r\n")) != std::string::npos;) t.replace(p, 2, "\xE2\x8F\x8E");
    return t;
}

std::string Describe(const RecordingHost::Message& m) {
    if (!m.box) return "status[" + std::to_string(m.panel) + "]: " + m.text;
    const char* icon = m.icon == MsgIcon::Error ? "error" : m.icon == MsgIcon::Warning ? "warning" : "none";
    return std::string("box(") + icon + "): " + m.text;
}

struct Fixture {
    RecordingHost host;
    MapFields fields;
    SmartSession session{host};
    Fixture() {
        fields.fields = {{"Field_A", "1B 24 43 02 99 05"}, {"Field_B", "11 22 33 44 55 66"}};
        session.SetFieldTable(&fields);
    }
    // "template" mode runs String_Proc; "statement" mode runs expression_Proc.
    std::string Run(const std::string& input, bool statement) {
        host.messages.clear();
        std::string out;
        try {
            bool ok = true;
            if (statement) {
                std::string answer;
                ok = Expression_execute(session, input, answer);
                out = answer;
            } else {
                out = String_Proc(session, input, true, ok);
            }
            out = Escape(out) + " ;; " + (ok ? "true" : "false");
        } catch (const EOrvane& e) {
            out = "raised(" + e.kind() + "): " + e.what();
        }
        for (const auto& m : host.messages) out += " ;; " + Describe(m);
        return out;
    }
};

TEST(TemplateGolden, EveryLineMatches) {
    CLocaleScope locale;
    Fixture f;
    const auto cases = ReadGoldenFile(std::string(ORVANE_TEST_DATA) + "/templates.golden", true);
    ASSERT_FALSE(cases.empty());
    int checked = 0;
    for (const GoldenCase& c : cases) {
        const std::string& a = c.input;
        if (c.directive) {
            // "@field NAME=VALUE" sets a field for the lines after it.
            ASSERT_EQ(a.rfind("@field ", 0), 0u) << "templates.golden line " << c.line;
            const size_t eq = a.find('=');
            const std::string name = a.substr(7, eq - 7), value = a.substr(eq + 1);
            bool set = false;
            for (auto& [n, v] : f.fields.fields)
                if (n == name) v = value, set = true;
            if (!set) f.fields.fields.emplace_back(name, value);
            continue;
        }
        const bool statement = a.rfind("=> ", 0) == 0;
        const std::string input = Unescape(statement ? a.substr(3) : a);
        EXPECT_EQ(f.Run(input, statement), c.expected) << "templates.golden line " << c.line << ": " << a;
        ++checked;
    }
    EXPECT_GT(checked, 50);
}

}  // namespace
}  // namespace orvane::test
