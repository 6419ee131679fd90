#pragma once
// The texts of the about box (`TAboutBox`) apart from the update check: what
// its creation (`FormCreate`) puts into the labels, and where its links go.
#include <string>

#include "about/about_session.h"
#include "engine/format_settings.h"

namespace orvane {

struct AboutBoxTexts {
    std::string caption;      // "About " + the application title
    std::string Label1;       // the program file's name with extension
    std::string ProgramName;  // the program file's full path
    std::string Label_Ver;    // "Ver: " + the program file's dotted version
    std::string UpdateDate;   // the program file's last change, short date + long time
    std::string companyName;  // kCompanyName
};

// Creates the box's texts for the program file `programPath` and sets the
// program names of `session` (SetProgramNames with `updateBase`). The date is
// written with fs.ShortDateFormat + " " + fs.LongTimeFormat in local time;
// empty when the file cannot be read. A file without version note shows
// "Ver: ?.?.?.?".
AboutBoxTexts AboutFormCreate(AboutSession& session, const std::string& appTitle,
                              const std::string& programPath, const std::string& updateBase,
                              const FormatSettings& fs = GetFormatSettings());

// The program file's last-modified time as the about box writes it; empty
// when the file cannot be read.
std::string FileDateText(const std::string& path, const FormatSettings& fs = GetFormatSettings());

// The address the company label opens: s_website when it is an http or https
// address, else the maker's start page.
std::string CompanyLabelTarget(const AboutSession& session);

}  // namespace orvane
