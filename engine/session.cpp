#include "engine/session.h"

#include "engine/errors.h"

namespace orvane {

void Session::Show_On_ListBOXRx(const std::string& text) {
    Host().StatusLine2Show(3, text.size() > 255 ? text.substr(0, 255) : text);
}

bool Session::curly_brackets_Process(std::string&) { return true; }

std::string Session::String_Proc(const std::string& text, bool, bool&) { return text; }

void Session::Assign_variable_Single(const std::string&, const std::string&, bool) {}

namespace {

[[noreturn]] void RaiseTooDeep() {
    throw ELimitExceeded("Expression nested too deeply (more than " +
                         std::to_string(kMaxNestingDepth) + " levels)");
}

}  // namespace

Session::DepthGuard::DepthGuard(Session& s) : m_s(s) {
    if (m_s.m_depth >= kMaxNestingDepth) RaiseTooDeep();
    ++m_s.m_depth;
}

void Session::CheckNestingRoom(int levels) const {
    if (levels > 0 && m_depth + levels - 1 >= kMaxNestingDepth) RaiseTooDeep();
}

}  // namespace orvane
