#pragma once
// The text side of the CRC parameter search, shared by every place that shows
// its result: frames read from hexadecimal byte text, one line per model, and
// the messages (errors, warnings, notes) that go with them.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/crc_search.h"

namespace orvane {

// Reads "1B 24 43 02 99 05" (blanks, tabs and other codes up to 32 between
// bytes optional, any letter case) into bytes. Returns false, leaving bytes
// unspecified, when anything other than pairs of hexadecimal digits remains
// (a lone digit, "0x", other characters).
bool ParseCrcFrame(std::string_view text, std::vector<uint8_t>& bytes);

// The template function name "CRC_<w>_<init>_<xorout>_<poly>_<ri>_<ro>" that
// computes the model: upper-case hex, 2 digits per value for width 8 and 4 for
// width 16, e.g. "CRC_16_FFFF_0000_8005_1_1".
std::string CrcTemplateName(const CrcParams& params);

// "big", "little", or "-" (width 8).
const char* CrcByteOrderWord(CrcByteOrder order);

// "<template name> <byte order word>[ <catalogue name>]".
std::string FormatCrcModelLine(const CrcFoundModel& model);

// One line per reported model, in the result's order (empty on an error).
std::vector<std::string> FormatSearchLines(const CrcSearchResult& result);

// "<n> more models fit and are not listed; add frames to narrow the search".
std::string CrcMoreModelsText(size_t count);

// The messages for the user, in order: the error alone when there is one;
// otherwise the warnings, the notes, the count of models left out by the cap,
// and the "no model fits" text (kCrcNoModel, or the one of the single width
// searched) when nothing fits.
std::vector<std::string> FormatSearchMessages(const CrcSearchResult& result);

// --- frames named in messages ---

// A frame's text as a message shows it: quoted, its first 60 bytes with "..."
// when it is longer, every byte outside printable ASCII as \xNN, so that the
// message stays one clean line whatever was pasted.
std::string CrcShownFrameText(std::string_view text);

// "frame <index + 1> <shown>", where `shown` is a CrcShownFrameText.
std::string CrcFrameLabel(size_t index, std::string_view shown);

// The message for frame `index` (0-based) that is not hex byte text.
std::string CrcNotHexFrameText(size_t index, std::string_view shown);

// The result's error, with the frame it names (if any) also shown by its text
// from `shown` (one CrcShownFrameText per frame, in request order).
std::string CrcSearchErrorText(const CrcSearchResult& result, std::span<const std::string> shown);

// Frames written one per line ("\n", "\r\n" or "\r"); blank lines are
// skipped. Fills `frames` and, for each frame, its CrcShownFrameText in
// `shown`. Returns an empty text, or the CrcNotHexFrameText of the first line
// that is not hex byte text (the frames before it are kept).
std::string ReadCrcFrameLines(std::string_view text, std::vector<std::vector<uint8_t>>& frames,
                              std::vector<std::string>& shown);

}  // namespace orvane
