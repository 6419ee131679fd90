#include "engine/format_settings.h"

namespace orvane {

namespace {
FormatSettings& Record() {
    static FormatSettings record;
    return record;
}
}  // namespace

const FormatSettings& GetFormatSettings() { return Record(); }
void SetFormatSettings(const FormatSettings& settings) { Record() = settings; }

}  // namespace orvane
