#pragma once
// Where the program keeps its settings file ("<program>.ini") and the files
// that live beside it ("web data.inf"): the program's own folder, or the
// user's configuration folder when the program's folder cannot be written.
#include <string>
#include <string_view>

namespace orvane::platform {

// Full path of the running program file (from /proc/self/exe); empty when it
// cannot be read.
std::string ProgramFilePath();

// `path` with the extension of its file name replaced by `ext` (which starts
// with "."), or `ext` appended when the name has none: "/opt/orvane" and
// "/opt/orvane.exe" both give "/opt/orvane.ini". A dot that starts the file
// name does not count as an extension.
std::string ChangeFileExt(std::string_view path, std::string_view ext);

// "$XDG_CONFIG_HOME/orvane" when XDG_CONFIG_HOME is an absolute path, else
// "$HOME/.config/orvane"; empty when neither is usable. Does not create it.
std::string UserConfigDir();

// The folder for the settings files of the program at `programPath`: the
// program's folder when this user may create and replace files in it, else
// `fallbackDir`, which is created (mode 0700, with missing parents) when it
// does not exist. Returns the folder without a trailing "/"; empty when
// `programPath` has no folder part and `fallbackDir` is empty.
std::string SettingsDir(std::string_view programPath, const std::string& fallbackDir);

// The settings file of the program at `programPath`: its file name with the
// extension ".ini", in SettingsDir(programPath, fallbackDir).
std::string SettingsFilePath(std::string_view programPath, const std::string& fallbackDir);

// The settings file of the running program: SettingsFilePath(ProgramFilePath(),
// UserConfigDir()); for the window program "orvane" this is "<dir>/orvane.ini".
std::string SettingsFilePath();

}  // namespace orvane::platform
