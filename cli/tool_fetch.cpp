// fetch: "Get Data" without the window, in the program orvane-tool-qt
// (orvane-tool hands the command over to it, so only this program loads the
// web engine). The web-data fetcher of the page runs on a web engine page
// without a view and without a screen, with the working boxes in memory, over
// the field table of the window's settings file.
//
// Standard output: one "title=value" line per stored item, in fetch order (a
// line break inside a value is written as a blank, so each item stays one
// line). Standard error: the status texts and message boxes in orvane-eval's
// form. The table is loaded from the settings file's "Table" section before
// the fetch and written back (replacing the section, atomically) when an item
// was stored, also when a later page timed out.

#include <QGuiApplication>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "cli/tool_command.h"
#include "cli/traced_web_view.h"
#include "platform/qt/qt_event_wait.h"
#include "platform/qt/qt_web_page.h"
#include "platform/qt/qt_web_profile.h"
#include "platform/qt/web_engine_setup.h"
#include "platform/settings_path.h"
#include "smartformat/field_table.h"
#include "webdata/capturing_browser.h"
#include "webdata/web_boxes.h"
#include "webdata/web_data_fetcher.h"
#include "webdata/web_definitions.h"

namespace orvane {

namespace {

// A whole decimal number in [min, INT32_MAX], or nothing.
std::optional<int32_t> ParseNumber(const std::string& text, int32_t min) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < min) return std::nullopt;
    return value;
}

// The settings file of the window program "orvane" beside orvane-tool.
std::string WindowSettingsFile() {
    return platform::SettingsFilePath(ProgramBeside("orvane"), platform::UserConfigDir());
}

// The window's "web data.inf": in the folder of its settings file.
std::string WindowWebDataFile() {
    const std::string dir = platform::SettingsDir(ProgramBeside("orvane"), platform::UserConfigDir());
    return dir.empty() ? std::string(webdata::kWebDataFileName) : dir + "/" + webdata::kWebDataFileName;
}

// Prints every stored item and remembers that the table changed.
class PrintingView : public webdata::FieldTableView {
public:
    explicit PrintingView(ToolOutput& out) : m_out(out) {}
    void ItemStored(int, const std::string& title, const std::string& value) override {
        std::string line = title + "=" + value;
        for (char& c : line)
            if (c == '\n' || c == '\r') c = ' ';
        m_out.Line(line);
        m_stored = true;
    }
    bool Stored() const { return m_stored; }

private:
    ToolOutput& m_out;
    bool m_stored = false;
};

// "trace: <ms since the command started> ms <step>" on standard error.
class Tracer {
public:
    explicit Tracer(bool on) : m_on(on), m_start(std::chrono::steady_clock::now()) {}
    bool On() const { return m_on; }
    void operator()(const std::string& step) const {
        if (!m_on) return;
        auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start)
                .count();
        ToolHost::Note("trace: " + std::to_string(ms) + " ms " + step);
    }

private:
    bool m_on;
    std::chrono::steady_clock::time_point m_start;
};

}  // namespace

int RunFetchInProcess(ToolContext& ctx) {
    const ToolArgs args = ParseToolArgs(ctx, {"--definitions", "--section", "--ini", "--timeout-ms"}, 0);
    const auto section = ParseNumber(args.Value("--section", "0"), 0);
    if (!section) throw ToolUsageError("--section needs a section number (0 for all sections)");
    const auto timeoutMs =
        ParseNumber(args.Value("--timeout-ms", std::to_string(webdata::kWebFlashedTimeoutMs)), 1);
    if (!timeoutMs) throw ToolUsageError("--timeout-ms needs a positive number of milliseconds");
    const std::string iniPath = args.Has("--ini") ? args.Value("--ini", "") : WindowSettingsFile();
    if (iniPath.empty()) throw ToolUsageError("--ini needs a file name");

    // The default definition file is created from the built-in definitions
    // when missing, as the page's load button does at start-up; a file named
    // on the command line is only read.
    std::string definitions = args.Value("--definitions", "");
    if (!args.Has("--definitions")) {
        definitions = WindowWebDataFile();
        webdata::DefinitionFileResult r =
            webdata::Button5Click(definitions, webdata::DefaultWebDefinitions());
        if (r.kind == webdata::DefinitionFileResult::Kind::Failed) {
            ctx.host.ShowMessage(MsgIcon::Error, r.error);
            return 1;
        }
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(definitions, ec)) {
        ToolHost::Note("file not found: " + definitions);
        return 1;
    }

    const Tracer trace(std::getenv("ORVANE_FETCH_TRACE") != nullptr);
    platform::QuietHeadlessWebEngineMessages();
    platform::PrepareWebEngine(platform::WebEngineUse::Headless);
    // Qt sees no argument of the command: they are not Qt's or Chromium's.
    static int qtArgc = 1;
    static char* qtArgv[] = {ctx.argv[0], nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    QGuiApplication::setApplicationName(QStringLiteral("orvane"));
    trace("application created");

    platform::QtWebProfile profile;
    if (!profile.Persistent()) ToolHost::Note(profile.Note() + "; this fetch keeps no cookies or cache");
    platform::QtWebPage page(profile.Profile());
    std::optional<TracedWebView> traced;
    if (trace.On()) traced.emplace(page, [&trace](const std::string& step) { trace(step); });
    platform::WebView& view = traced ? static_cast<platform::WebView&>(*traced) : page;
    trace("web engine started");

    platform::QtEventWait wait;
    webdata::WebBoxStore boxes;
    webdata::CapturingBrowser browser(view, wait, boxes);
    FieldTable table;
    table.LoadFile(iniPath);
    PrintingView printer(ctx.out);
    webdata::WebDataFetcher fetcher(webdata::FetchPorts{ctx.host, browser, boxes, wait, table, printer},
                                    definitions);
    fetcher.SetTimeoutMs(*timeoutMs);

    const webdata::FetchOutcome outcome = fetcher.LoadCurrency(*section);
    trace("fetch ended");

    int status = 0;
    switch (outcome) {
        case webdata::FetchOutcome::Finished:
            // A section asked for by number that has no address: the page
            // leaves the reason in its window box; the tool says it.
            if (*section > 0 &&
                boxes.Box(webdata::WebBox::Edit3) == webdata::WebDataSection(*section) + "web not found")
                ToolHost::Note(boxes.Box(webdata::WebBox::Edit3));
            break;
        case webdata::FetchOutcome::FileNotFound:
            ToolHost::Note("file not found: " + definitions);
            status = 1;
            break;
        default:  // "time out!" was shown
            status = 1;
            break;
    }
    if (printer.Stored() && !table.SaveFile(iniPath)) {
        ctx.host.ShowMessage(MsgIcon::Error, "Cannot write the field table to " + iniPath);
        status = 1;
    }
    return status;
}

}  // namespace orvane
