#pragma once
// Names and addresses of the update check: the program's update name, the
// update folder, the document and download addresses, and which offered file
// names may be written.
#include <string>
#include <string_view>

namespace orvane {

// The file name part of a path: "/opt/orvane/bin/orvane" gives "orvane".
std::string FileNamePart(std::string_view path);

// The program's update name (`app_name`): the file name without its extension
// when it has one. "orvane.exe" gives "orvane", "orvane" stays "orvane"; a
// dot that starts the name is no extension.
std::string AppNameOf(std::string_view fileName);

// `base` ending with "/": one is added when it is missing.
std::string WithTrailingSlash(std::string base);

// The update base address: $ORVANE_UPDATE_BASE when set and not empty, else
// kDefaultUpdateBase; always ending with "/".
std::string UpdateBaseAddress();

// `Source_DIR`: base + "NAS_file_Share/" + app_name + "/" (a "/" is added to a
// base without one).
std::string SourceDirFor(const std::string& base, const std::string& appName);

// The update document: Source_DIR + "index.json".
std::string UpdateDocumentAddress(const std::string& sourceDir);

// Source_DIR + the offered file name, the name percent-encoded as one path
// segment (a blank, "#", "?" or "%" stays part of the name).
std::string DownloadAddress(const std::string& sourceDir, const std::string& fileName);

// Whether an offered file name may be written into a folder: not empty or
// only blanks, no "/", "\" or "..", no leading ".", no control character
// (bytes below 32 and 127), at most 255 bytes.
bool IsSafeDownloadName(std::string_view name);

}  // namespace orvane
