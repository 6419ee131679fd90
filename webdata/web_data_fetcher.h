#pragma once
// The web-data fetcher `LoadCurrency`: for each section of "web data.inf" it
// opens the page in the browser page, waits until the page's source has been
// captured, cuts the keyword window out of it and stores each item in the
// field table, showing every step in the browser page's working boxes and its
// progress in the status line's fifth panel.
//
// The same fetcher runs in the window (over the web view and the page's
// boxes) and in orvane-tool (over a web engine page without a view and boxes
// in memory). Waits go through EventWait, so the program keeps handling
// events meanwhile; while one fetch runs, another is refused.
#include <cstdint>
#include <string>

#include "engine/session.h"
#include "platform/event_wait.h"
#include "smartformat/field_table.h"
#include "webdata/field_table_view.h"
#include "webdata/web_boxes.h"
#include "webdata/web_browser_port.h"

namespace orvane::webdata {

// How long a fetch waits for a page's capture.
inline constexpr int kWebFlashedTimeoutMs = 13000;
// The status line panel of the fetcher's progress texts (the fifth one).
inline constexpr int kFetchPanel = 4;
// The status text of a fetch refused because another one is running.
inline constexpr const char* kFetchRunningText = "A web data fetch is running; wait until it ends";

enum class FetchOutcome {
    Finished,      // "Currency update finished" was shown
    FileNotFound,  // no definition file: "file not found" in Edit3
    TimedOut,      // a page was not captured in time: "time out!"
    Refused,       // another fetch was running
    Stopped,       // RequestStop ended the run during a wait
};

// Everything a fetch works with; all must outlive the fetcher.
struct FetchPorts {
    EngineHost& host;
    WebBrowserPort& browser;
    WebBoxes& boxes;
    platform::EventWait& wait;
    FieldTable& table;
    FieldTableView& view;
};

class WebDataFetcher {
public:
    WebDataFetcher(FetchPorts ports, std::string definitionsPath)
        : m_p(ports), m_path(std::move(definitionsPath)) {}

    const std::string& DefinitionsPath() const { return m_path; }
    void SetDefinitionsPath(std::string path) { m_path = std::move(path); }
    // The wait for each page's capture; kWebFlashedTimeoutMs by default.
    void SetTimeoutMs(int ms) { m_timeoutMs = ms; }
    int TimeoutMs() const { return m_timeoutMs; }

    // Runs a fetch: n = 0 fetches sections 1, 2, ... with all their items
    // until a section has no "web" ("Web Data n" + "web not found" in Edit3)
    // or no "keyword"; n > 0 fetches section n and only its first item. The
    // definition file is read once when the fetch starts. Ends with "Currency
    // update finished" in the fifth panel and the column fit, except when the
    // file is missing or unreadable ("file not found" in Edit3), on a time-out
    // ("time out" in Edit_position, then the warning box "time out!"), when
    // stopped, and when refused (another fetch runs; kFetchRunningText in the
    // fifth panel). Raises EConvertError when Edit_length was made invalid
    // by hand during the run.
    FetchOutcome LoadCurrency(int32_t n);

    // True while LoadCurrency runs.
    bool Running() const { return m_running; }
    // Ends the running fetch at its next wait (window closing, interrupted
    // tool), without the finishing text; nothing when none runs.
    void RequestStop() {
        if (m_running) m_stop = true;
    }

private:
    FetchOutcome Run(int32_t n);

    FetchPorts m_p;
    std::string m_path;
    int m_timeoutMs = kWebFlashedTimeoutMs;
    bool m_running = false;
    bool m_stop = false;
};

}  // namespace orvane::webdata
