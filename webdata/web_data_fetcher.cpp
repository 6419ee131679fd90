#include "webdata/web_data_fetcher.h"

#include <climits>
#include <filesystem>
#include <system_error>

#include "engine/number_text.h"
#include "webdata/browser_page.h"
#include "webdata/web_definitions.h"

namespace orvane::webdata {

namespace {

// Sets a flag for its lifetime, also when the run raises.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

}  // namespace

FetchOutcome WebDataFetcher::LoadCurrency(int32_t n) {
    if (m_running) {
        m_p.host.StatusLine2Show(kFetchPanel, kFetchRunningText);
        return FetchOutcome::Refused;
    }
    FlagScope running(m_running);
    m_stop = false;
    FetchOutcome outcome = Run(n);
    m_stop = false;
    return outcome;
}

FetchOutcome WebDataFetcher::Run(int32_t n) {
    const bool all = n == 0;
    int32_t section = all ? 1 : n;

    std::error_code ec;
    platform::IniDocument doc;
    if (!std::filesystem::exists(m_path, ec) || !doc.Load(m_path)) {
        m_p.boxes.SetBox(WebBox::Edit3, "file not found");
        return FetchOutcome::FileNotFound;
    }
    const WebDefinitions defs(std::move(doc));
    WebBoxes& boxes = m_p.boxes;

    for (;;) {
        std::string web = defs.web(section);
        boxes.SetBox(WebBox::Combo_web, web);
        if (web.empty()) {
            boxes.SetBox(WebBox::Edit3, WebDataSection(section) + "web not found");
            break;
        }

        m_p.browser.set_web_flashed(false);
        Button3Click(boxes, m_p.browser);
        bool flashed = m_p.wait.WaitUntil([this] { return m_p.browser.web_flashed() || m_stop; },
                                          m_timeoutMs);
        if (m_stop) return FetchOutcome::Stopped;
        if (!flashed) {
            boxes.SetBox(WebBox::Edit_position, "time out");
            m_p.host.ShowMessage(MsgIcon::Warning, "time out!");
            return FetchOutcome::TimedOut;
        }

        m_p.host.StatusLine2Show(kFetchPanel, defs.title(section, 1));
        std::string keyword = defs.keyword(section);
        boxes.SetBox(WebBox::Edit_keyword, keyword);
        if (keyword == kMissing) break;
        boxes.SetBox(WebBox::Edit_length, IntToStr(defs.keyword_length(section)));
        CutWindow(boxes, m_p.browser.SourceText());

        for (int32_t i = 1; i < INT32_MAX; ++i) {
            boxes.SetBox(WebBox::Edit_keyword_start, defs.keyword_start(section, i));
            std::string end = defs.keyword_end(section, i);
            boxes.SetBox(WebBox::Edit_keyword_end, end);
            if (end.empty()) break;
            boxes.SetBox(WebBox::Edit_from, defs.title(section, i));
            boxes.SetBox(WebBox::Edit_Description, defs.Description(section, i));
            Button_search_2ndClick(boxes, m_p.table, m_p.wait, m_p.view);
            if (m_stop) return FetchOutcome::Stopped;
            if (!all) break;
        }
        if (!all || section == INT32_MAX) break;
        ++section;
    }

    m_p.host.StatusLine2Show(kFetchPanel, "Currency update finished");
    m_p.view.Adjtablewidth();
    return FetchOutcome::Finished;
}

}  // namespace orvane::webdata
