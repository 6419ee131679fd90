#include "cli/eval_runner.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

#include <nlohmann/json.hpp>

#include "cli/cli_host.h"
#include "engine/errors.h"
#include "engine/evaluator.h"
#include "platform/ini_file.h"
#include "smartformat/field_table.h"
#include "smartformat/field_table_lookup.h"
#include "smartformat/smart_format.h"
#include "smartformat/smart_session.h"
#include "tools/share_memory_open.h"
#include "tools/system_values_linux.h"

namespace orvane {

namespace {

struct Outcome {
    std::string answer;
    bool ok = false;
    bool raised = false;
    std::string kind, message;
};

Outcome EvaluateOne(SmartSession& session, const std::string& input, bool templ) {
    Outcome r;
    // The answer stays as it was when an assignment's name cannot be resolved,
    // as the window's answer box does.
    r.answer = session.Tmp_answer_1;
    try {
        if (templ) {
            r.ok = true;
            r.answer = String_Proc(session, input, true, r.ok);
        } else {
            r.ok = Expression_execute(session, input, r.answer);
        }
    } catch (const EOrvane& e) {
        r.raised = true;
        r.kind = e.kind();
        r.message = e.what();
    } catch (const std::bad_alloc&) {
        r.raised = true;
        r.kind = "EOutOfMemory";
        r.message = "Out of memory";
    } catch (const std::length_error&) {
        r.raised = true;
        r.kind = "EOutOfMemory";
        r.message = "Out of memory";
    }
    if (r.raised) r.ok = false;
    return r;
}

std::string JsonLine(const std::string& input, const Outcome& r,
                     const std::vector<CliMessage>& messages) {
    nlohmann::ordered_json j;
    j["input"] = input;
    j["answer"] = r.raised ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(r.answer);
    j["ok"] = r.ok;
    if (r.raised)
        j["raised"] = {{"kind", r.kind}, {"message", r.message}};
    else
        j["raised"] = nullptr;
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const CliMessage& m : messages) {
        nlohmann::ordered_json e;
        if (m.log) {
            e["to"] = "log";
        } else if (m.box) {
            e["to"] = "box";
            e["icon"] = CliHost::IconName(m.icon);
        } else {
            e["to"] = "status";
            e["panel"] = m.panel;
        }
        e["text"] = m.text;
        list.push_back(std::move(e));
    }
    j["messages"] = std::move(list);
    return j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace

int RunEval(const EvalOptions& o, LineOutput& out, LineInput* in) {
    CliHost host(!o.json);
    if (o.now) host.SetFixedNow(*o.now);
    std::shared_ptr<platform::SharedBlock> block;
    if (!o.noShared) {
        platform::SharedBlockOptions options;
        // Tests give their own block name so that they never touch a user's block.
        if (const char* name = std::getenv("ORVANE_SHARED_BLOCK_NAME"); name && *name)
            options.name = name;
        block = OpenShareMemory(host, options);
    }
    SmartSession session(host, block, static_cast<uint8_t>(o.instance));
    session.SystemReset();
    LinuxSystemValues system(host, [&host](const std::string& line) { host.Log(line); });
    session.SetSystemValues(&system);
    FieldTable table;
    if (o.iniText) table.LoadFrom(platform::IniDocument(*o.iniText));
    else if (!o.ini.empty()) table.LoadFrom(platform::IniDocument());  // missing: defaults only
    else table.FillDefaults();
    for (const auto& [name, value] : o.fields) table.SetField(name, value);
    FieldTableLookup lookup(table);
    session.SetFieldTable(&lookup);
    int status = 0;
    auto run = [&](const std::string& input) {
        const Outcome r = EvaluateOne(session, input, o.templ);
        if (r.raised) status = 1;
        // The last answer is the field list that "&F:" picks apart.
        if (!r.raised) session.Tmp_answer_all = r.answer;
        if (o.json) {
            out.Write(JsonLine(input, r, host.TakeMessages()));
        } else {
            if (r.raised) host.WriteRaised(r.kind, r.message);
            std::string text = r.raised ? std::string() : r.answer;
            // A template's CR LF line breaks print as line breaks.
            for (size_t p = 0; (p = text.find("\r\n", p)) != std::string::npos;) text.erase(p, 1);
            out.Write(text + "\n");
        }
        return r;
    };
    // A failed write ends the run.
    auto writable = [&] { return out.Error() == 0 && host.StderrError() == 0; };
    if (!o.inputs.empty()) {
        for (const std::string& input : o.inputs) {
            if (!writable()) break;
            run(input);
        }
    } else if (in) {
        std::string line;
        while (writable() && in->Next(line)) run(line);
    }
    out.Flush();
    if (const int err = out.Error()) {
        // A reader that went away ends the run quietly, as in any pipeline.
        if (err != EPIPE && host.StderrError() == 0)
            WriteAllTo(STDERR_FILENO, std::string("orvane-eval: cannot write the output: ") +
                                          std::strerror(err) + "\n");
        return 1;
    }
    if (host.StderrError()) return 1;
    return status;
}

}  // namespace orvane
