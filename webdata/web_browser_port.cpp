#include "webdata/web_browser_port.h"

#include <utility>

namespace orvane::webdata {

void CapturingBrowser::SetSourceText(std::string text) {
    m_source = std::move(text);
    SourceChanged();
}

CaptureStatus CapturingBrowser::EdgeBrowser1ExecuteScript(std::string_view json) {
    CaptureResult r = DecodeCapture(json);
    if (r.status == CaptureStatus::Malformed) return r.status;
    if (r.status == CaptureStatus::Source) {
        m_source = std::move(r.source);
        SourceChanged();
    }
    m_web_flashed = true;
    return r.status;
}

}  // namespace orvane::webdata
