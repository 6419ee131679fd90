#include "smartformat/smart_session.h"

#include <sys/stat.h>

#include "smartformat/smart_format.h"

namespace orvane {

SmartSession::SmartSession(EngineHost& host, std::shared_ptr<platform::SharedBlock> block,
                           uint8_t instance_no)
    : VariableSession(host, std::move(block), instance_no) {}

bool SmartSession::curly_brackets_Process(std::string& text) {
    return orvane::curly_brackets_Process(*this, text);
}

std::string SmartSession::String_Proc(const std::string& text, bool flag, bool& success) {
    return orvane::String_Proc(*this, text, flag, success);
}

std::string SystemValues::MD5OfText(std::string_view) { return ""; }
std::string SystemValues::MD5OfFile(const std::string&) { return ""; }
bool SystemValues::FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace orvane
