// fetch, as orvane-tool runs it: the command is handed over to the program
// orvane-tool-fetch beside it, which replaces this process. Only that program
// links the web engine, so the other commands start without loading it.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "cli/tool_command.h"
#include "platform/settings_path.h"

namespace orvane {

std::string ProgramBeside(const std::string& name) {
    const std::string self = platform::ProgramFilePath();
    const size_t slash = self.rfind('/');
    return slash == std::string::npos ? name : self.substr(0, slash + 1) + name;
}

int RunFetch(ToolContext& ctx) {
    const std::string helper = ProgramBeside("orvane-tool-fetch");
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
