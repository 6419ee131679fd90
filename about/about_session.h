#pragma once
// The about module's texts, kept for the whole run by the window (one set,
// shared by every about box it shows) and by orvane-tool's update check.
#include <string>

namespace orvane {

struct AboutSession {
    std::string version_Str;    // the running program's dotted version, "2.5.3.1"
    std::string app_name;       // the program's update name, "orvane"
    std::string Source_DIR;     // <base>NAS_file_Share/<app_name>/
    std::string file_name;      // the program's file name, then the offered file's
    std::string s_version;      // the document's "version"
    std::string s_website;      // the document's "website"
    std::string web_site_info;  // summary on the update button and in hints
};

// The first steps of creating an about box: `file_name` := `programFileName`,
// `app_name` := AppNameOf(it), `Source_DIR` := SourceDirFor(updateBase,
// app_name). The check's texts (s_version, s_website, web_site_info) stay.
void SetProgramNames(AboutSession& session, const std::string& programFileName,
                     const std::string& updateBase);

}  // namespace orvane
