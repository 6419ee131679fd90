// A second process for the platform tests. Prints one line with its result,
// then, where it holds something, keeps holding it until its standard input
// ends.
//
//   platform_helper hold-block NAME DIR N TEXT   open the block, write public text N, "ready"
//   platform_helper read-block NAME DIR N        open the block, print "text:" + public text N
//   platform_helper claim DIR BASE_TITLE         claim an instance number, print "<outcome> <n>"
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/field_text.h"
#include "platform/instance_claim.h"
#include "platform/lock_file_title_registry.h"
#include "platform/shm_shared_block.h"
#include "variables/share_memory.h"

namespace {

void Say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

void WaitForEndOfInput() {
    char buf[64];
    while (read(0, buf, sizeof buf) > 0) {
    }
}

char* PublicField(orvane::platform::SharedBlock& b, int n) {
    return static_cast<char*>(b.data()) + orvane::PublicDataOffset(n);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace orvane::platform;
    const std::string mode = argc > 1 ? argv[1] : "";
    if ((mode == "hold-block" && argc == 6) || (mode == "read-block" && argc == 5)) {
        SharedBlockOptions options;
        options.name = argv[2];
        options.runtime_dir = argv[3];
        auto opened = OpenSharedBlock(options);
        if (!opened.block) {
            Say("fail " + opened.warning + " (" + opened.detail + ")");
            return 1;
        }
        const int n = std::atoi(argv[4]);
        if (mode == "read-block") {
            Say("text:" + ReadFieldText(PublicField(*opened.block, n), 256));
            return 0;
        }
        WriteFieldText(PublicField(*opened.block, n), 256, argv[5]);
        Say("ready");
        WaitForEndOfInput();
        return 0;
    }
    if (mode == "claim" && argc == 4) {
        LockFileTitleRegistry registry(argv[2]);
        InstanceClaim claim = ClaimInstanceNumber(registry, argv[3]);
        const char* outcome = claim.outcome == InstanceClaim::Outcome::Claimed        ? "claimed"
                              : claim.outcome == InstanceClaim::Outcome::Refused      ? "refused"
                              : claim.outcome == InstanceClaim::Outcome::Unregistered ? "unregistered"
                                                                                      : "none";
        Say(std::string(outcome) + " " + std::to_string(claim.number));
        WaitForEndOfInput();
        return 0;
    }
    std::fprintf(stderr, "usage: see the comment at the top of platform_helper.cpp\n");
    return 2;
}
