#pragma once
// The operator and function scanner: expands a leading function call,
// parenthesised group or bracket group, then finds the first binary operator.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/session.h"

namespace orvane {

class ScanText;

// Trims `text`, expands what stands at its front, and finds the first operator.
// On true, opStart is the 1-based position of the operator's first character,
// opEnd the position just after it, priority 1..3. On false both positions are
// 65535 and the priority 0.
bool Get_first_operator_pos(Session& session, std::string& text, size_t& opStart, size_t& opEnd,
                            uint8_t& priority);
// The same on the evaluator's working text.
bool Get_first_operator_pos(Session& session, ScanText& text, size_t& opStart, size_t& opEnd,
                            uint8_t& priority);

// `pair` is "()" or "[]". openPos: the first opening character (1-based, 0 when
// none); closePos: its matching closing character (0 when there is none).
// Always returns true.
bool get_group_pos(std::string_view pair, std::string_view text, size_t& openPos,
                   size_t& closePos);
// Finds the separator (","), skipping the first parenthesised group when the
// first separator lies after the first "(". 1-based position; true when found.
bool get_Seperator_pos(std::string_view sep, std::string_view text, size_t& pos);

// Internal form of get_group_pos on text starting at index `from` (0-based),
// with the index of the last closing character of the text (npos when none).
// Returns the 0-based index of the matching close, or npos when none.
// `balanced`, when given, tells whether the close was found by real matching
// (every opening character on the way closed), not by running out of
// closing characters.
size_t MatchGroup(std::string_view text, size_t from, char open, char close, size_t lastClose,
                  bool* balanced = nullptr);

}  // namespace orvane
