#pragma once
// The update document "index.json": one JSON object whose members
// "file_name", "version" and "website" are read as texts, in that order.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

inline constexpr std::array<const char*, 3> kUpdateMembers{"file_name", "version", "website"};

struct UpdateDocumentRead {
    // The texts of the members read before the first failure, in the order of
    // kUpdateMembers (all three on success).
    std::vector<std::string> values;
    // Empty when all three were read; else what failed.
    std::string error;
    bool ok() const { return error.empty(); }
};

// Parses `body` (UTF-8; a byte-order mark is skipped) as JSON. The top level
// must be an object; then each member of kUpdateMembers is taken in turn: a
// string gives its content, a number its text as written in the document
// ("2.50" stays "2.50"); a missing member or any other value (object, array,
// true, false, null) ends the reading there. Of a member named twice the first
// counts. Never raises.
UpdateDocumentRead ReadUpdateDocument(std::string_view body);

}  // namespace orvane
