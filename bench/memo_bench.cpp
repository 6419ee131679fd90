// The script memo's keys over a memo of 10,000 lines, in the real text box
// (offscreen) and in a plain vector: Down and Up (position display and the
// line's answer in the calculator), Enter (answer inserted below the caret
// line) and the quick search for a text found only in the last line.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QStringList>

#include "engine/format_settings.h"
#include "smartformat/smart_session.h"
#include "tests/support/vector_memo.h"
#include "ui/model/script_memo.h"
#include "ui/model/virtual_keys.h"
#include "ui/qt_memo.h"

namespace {

using namespace orvane;
using namespace orvane::ui;

class QuietHost : public EngineHost {
public:
    void StatusLine2Show(int, const std::string&) override {}
    void ShowMessage(MsgIcon, const std::string&) override {}
    LocalDateTime Now() override { return {2026, 12, 10, 12, 0, 0, 0}; }
};

constexpr int kLines = 10000;

std::string StatementLine(int i) { return "(" + std::to_string(i) + "+3)*2-1"; }

// The memo commands over the real text box.
struct WidgetRig {
    QuietHost host;
    SmartSession session{host};
    QPlainTextEdit edit;
    QtMemoAccess memo;
    CalculatorModel calc{session, memo};
    ScriptMemoModel model{session, calc, memo};

    WidgetRig() {
        memo.SetWidget(&edit);
        QStringList lines;
        for (int i = 0; i < kLines - 1; ++i) lines << QString::fromStdString(StatementLine(i));
        lines << QStringLiteral("needle at the end");
        memo.SetLines(lines);
        edit.resize(800, 600);
        edit.show();
    }
    void Caret(int line) { memo.Select(line, 0, 0); }
};

struct VectorRig {
    QuietHost host;
    SmartSession session{host};
    test::VectorMemo memo;
    CalculatorModel calc{session, memo};
    ScriptMemoModel model{session, calc, memo};

    VectorRig() {
        for (int i = 0; i < kLines - 1; ++i) memo.lines.push_back(StatementLine(i));
        memo.lines.push_back("needle at the end");
    }
    void Caret(int line) { memo.Caret(line, 0); }
};

template <class Rig>
void BM_DownKey(benchmark::State& state) {
    Rig rig;
    int line = kLines / 2;
    for (auto _ : state) {
        rig.Caret(line);
        rig.model.Memo_testKeyUp(vk::Down, false);
        line = line + 1 < kLines - 1 ? line + 1 : kLines / 2;
    }
}

template <class Rig>
void BM_EnterKey(benchmark::State& state) {
    Rig rig;
    for (auto _ : state) {
        rig.Caret(kLines / 2);
        rig.model.Memo_testKeyUp(vk::Return, false);
    }
}

template <class Rig>
void BM_QuickSearchLastLine(benchmark::State& state) {
    Rig rig;
    for (auto _ : state) rig.model.ComboBox_searchChange("NEEDLE");
}

BENCHMARK_TEMPLATE(BM_DownKey, WidgetRig)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_EnterKey, WidgetRig)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_QuickSearchLastLine, WidgetRig)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_DownKey, VectorRig)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_EnterKey, VectorRig)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_QuickSearchLastLine, VectorRig)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    orvane::SetFormatSettings(orvane::FormatSettings::CLocale());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
