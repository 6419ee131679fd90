#pragma once
// The session: the program-wide state of one running calculator (last answer,
// nesting depth) and the hooks through which the engine reaches the later
// subsystems and the host (window, orvane-eval, tests).
#include <string>

#include "engine/date_time.h"

namespace orvane {

enum class MsgIcon { None, Error, Warning, Information };

// What the engine needs from the window: status-line panels, message boxes and
// the clock. The window implements it with widgets, orvane-eval with standard
// error, tests with a recorder.
class EngineHost {
public:
    virtual ~EngineHost() = default;
    // Sets status-line panel `panel` (0..4) to `text`.
    virtual void StatusLine2Show(int panel, const std::string& text) = 0;
    // Shows a modal message box with one OK button.
    virtual void ShowMessage(MsgIcon icon, const std::string& text) = 0;
    // The local date and time now.
    virtual LocalDateTime Now() { return SystemLocalNow(); }
};

// A host that drops every message; for callers that want none.
class NullHost : public EngineHost {
public:
    void StatusLine2Show(int, const std::string&) override {}
    void ShowMessage(MsgIcon, const std::string&) override {}
};

// Nesting limit shared by groups, function calls, bracket groups and template
// recursion; checked before the stack can overflow.
constexpr int kMaxNestingDepth = 200;

class Session {
public:
    explicit Session(EngineHost& host) : m_host(&host) {}
    virtual ~Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    EngineHost& Host() const { return *m_host; }
    void SetHost(EngineHost& host) { m_host = &host; }

    // Writes the message panel (panel 3), cut to 255 characters.
    void Show_On_ListBOXRx(const std::string& text);

    // Replaces each brace group of `text` by its processed template; false when
    // a group cannot be processed. Default: leaves the text as it is.
    virtual bool curly_brackets_Process(std::string& text);
    // Processes a template text; clears `success` on failure. Default: returns
    // the text unchanged.
    virtual std::string String_Proc(const std::string& text, bool flag, bool& success);
    // Stores an answer under a variable name. Default: stores nothing.
    virtual void Assign_variable_Single(const std::string& name, const std::string& answer,
                                        bool isString);

    // The last answer of the calculator (what "&ANS" reads).
    std::string Tmp_answer_1;
    // The success flag shared by template processing started from a statement.
    bool String_Proc_success = true;

    // Counts one level of nesting for its lifetime; raises ELimitExceeded past
    // kMaxNestingDepth.
    class DepthGuard {
    public:
        explicit DepthGuard(Session& s);
        ~DepthGuard() { --m_s.m_depth; }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;

    private:
        Session& m_s;
    };
    int Depth() const { return m_depth; }
    // Raises now the error a DepthGuard would raise when `levels` more levels
    // were opened one inside the other: lets a caller refuse a nesting it
    // can see coming before doing the work of its outer levels.
    void CheckNestingRoom(int levels = 1) const;

private:
    EngineHost* m_host;
    int m_depth = 0;
};

}  // namespace orvane
