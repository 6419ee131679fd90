// The commands that need Qt (fetch, update-check), as orvane-tool runs them:
// the command is handed over to the program orvane-tool-qt, which replaces
// this process. Only that program links Qt (Qt Network, the web engine), so
// the other commands start without loading it.
//
// Where the programs are: in a build tree all of them lie in one folder; an
// installed copy has orvane, orvane-eval and orvane-tool in <prefix>/bin and
// orvane-tool-qt in <prefix>/lib/orvane.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "cli/tool_command.h"
#include "platform/settings_path.h"

namespace orvane {

namespace {

constexpr const char* kQtToolName = "orvane-tool-qt";
constexpr const char* kInstalledQtToolFolder = "lib/orvane";

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

std::string ToolProgramFolder() {
    const std::string own = FolderOf(platform::ProgramFilePath());
    const std::string installed = std::string("/") + kInstalledQtToolFolder;
    if (EndsWith(own, installed)) return own.substr(0, own.size() - installed.size()) + "/bin";
    return own;
}

std::string ProgramBeside(const std::string& name) {
    const std::string folder = ToolProgramFolder();
    return folder.empty() ? name : folder + "/" + name;
}

std::string QtToolProgram() {
    const std::string folder = FolderOf(platform::ProgramFilePath());
    const std::string beside = folder.empty() ? kQtToolName : folder + "/" + kQtToolName;
    if (::access(beside.c_str(), X_OK) == 0 || folder.empty()) return beside;
    const std::string installed = folder + "/../" + kInstalledQtToolFolder + "/" + kQtToolName;
    return ::access(installed.c_str(), X_OK) == 0 ? installed : beside;
}

int RunInQtTool(ToolContext& ctx) {
    const std::string helper = QtToolProgram();
    std::vector<std::string> args{helper, ctx.command};
    args.insert(args.end(), ctx.args.begin(), ctx.args.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (!ctx.out.Flush()) return 1;
    ::execv(helper.c_str(), argv.data());
    ToolHost::Note("cannot start " + helper + ": " + std::strerror(errno));
    return 1;
}

}  // namespace orvane
