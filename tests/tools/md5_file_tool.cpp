// Prints "<digest>  <file>" for each file argument, as md5sum does, with the
// digest of Md5Hasher::MD5_file; messages go to standard error.
#include <cstdio>

#include "tools/md5_tools.h"

namespace {

class StderrHost : public orvane::EngineHost {
public:
    void StatusLine2Show(int, const std::string&) override {}
    void ShowMessage(orvane::MsgIcon, const std::string& text) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        failed = true;
    }
    bool failed = false;
};

}  // namespace

int main(int argc, char** argv) {
    StderrHost host;
    orvane::Md5Hasher md5;
    for (int i = 1; i < argc; ++i) {
        std::string digest = md5.MD5_file(argv[i], host);
        if (!digest.empty()) std::printf("%s  %s\n", digest.c_str(), argv[i]);
    }
    return host.failed ? 1 : 0;
}
