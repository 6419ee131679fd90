#include "about/about_session.h"

#include "about/update_address.h"

namespace orvane {

void SetProgramNames(AboutSession& session, const std::string& programFileName,
                     const std::string& updateBase) {
    session.file_name = programFileName;
    session.app_name = AppNameOf(programFileName);
    session.Source_DIR = SourceDirFor(updateBase, session.app_name);
}

}  // namespace orvane
