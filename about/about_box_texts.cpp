#include "about/about_box_texts.h"

#include <sys/stat.h>

#include <cctype>

#include "about/about_links.h"
#include "about/update_address.h"
#include "about/version_info.h"
#include "engine/date_time.h"

namespace orvane {

std::string FileDateText(const std::string& path, const FormatSettings& fs) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return {};
    const LocalDateTime when = LocalDateTimeAt(st.st_mtime);
    return FormatDateTime(fs.ShortDateFormat + " " + fs.LongTimeFormat, when, fs);
}

AboutBoxTexts AboutFormCreate(AboutSession& session, const std::string& appTitle,
                              const std::string& programPath, const std::string& updateBase,
                              const FormatSettings& fs) {
    const std::string name = FileNamePart(programPath);
    SetProgramNames(session, name, updateBase);
    AboutBoxTexts texts;
    texts.caption = "About " + appTitle;
    texts.ProgramName = programPath;
    texts.Label1 = name;
    texts.Label_Ver = "Ver: " + GetFileVersion(programPath);
    texts.UpdateDate = FileDateText(programPath, fs);
    texts.companyName = kCompanyName;
    return texts;
}

std::string CompanyLabelTarget(const AboutSession& session) {
    const std::string& site = session.s_website;
    auto startsWith = [&](const char* prefix) {
        const std::string p = prefix;
        if (site.size() <= p.size()) return false;
        for (size_t i = 0; i < p.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(site[i])) != p[i]) return false;
        return true;
    };
    if (startsWith("http://") || startsWith("https://")) return site;
    return kMakerStartPage;
}

}  // namespace orvane
