#pragma once
// Version helpers: the four version numbers a program file carries, and
// fixed-width decimal text.
//
// Every Orvane executable carries its version in an ELF note (owner "Orvane",
// type 1, four 32-bit numbers major, minor, release, build in the file's byte
// order), embedded by the build (orvane_embed_version in
// cmake/version_note.cmake). GetFileVersion finds that note through the
// section headers of any file.
#include <cstdint>
#include <string>

namespace orvane {

// Owner name and type of the version note.
inline constexpr const char* kVersionNoteOwner = "Orvane";
inline constexpr uint32_t kVersionNoteType = 1;

// The decimal form of `Value` (a minus sign counts as one of the characters)
// left-padded with "0" to `Digits` characters; "?" when it is already longer.
// (5, 2) gives "05", (123, 2) "?", (-5, 3) "0-5".
std::string InttoStrDigits(int32_t Value, uint16_t Digits);

// Reads the version note of the file `FileName` and returns the dotted version
// "Major.Minor.Release.Build"; sets the four numbers and `VersionCode`, the
// four InttoStrDigits(n, 2) joined ("01020345" for 1.2.3.45, "010203?" for
// 1.2.3.456). A file that cannot be read, is not ELF, or has no well-formed
// note gives "?.?.?.?", the numbers -1 and "00000000". A note that holds no
// numbers (an empty descriptor) gives "0.0.0.0", the numbers 0 and "00000000".
// Never raises; truncated or garbage files are read with every offset checked.
std::string GetFileVersion(const std::string& FileName, int32_t& Major, int32_t& Minor,
                           int32_t& Release, int32_t& Build, std::string& VersionCode);

// GetFileVersion without the separate outputs.
std::string GetFileVersion(const std::string& FileName);

}  // namespace orvane
