// The field table's insertion rules: reference or value, and the two ways
// the text goes into a box.
#include "ui/model/field_insert.h"

#include <algorithm>

namespace orvane::ui {

namespace {

constexpr int kNameRow = 0;

// `pos` limited to 0..size.
size_t Clamp(int pos, size_t size) {
    if (pos < 0) return 0;
    return std::min(size_t(pos), size);
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

std::string FieldInsertText(int row, std::string_view cell) {
    if (cell.empty()) return {};
    if (row == kNameRow) return "['" + std::string(cell) + "']";
    return std::string(cell);
}

BoxInsertion InsertIntoBox(std::u16string_view text, int selStart, int selLength,
                           std::u16string_view inserted) {
    const size_t start = Clamp(selStart, text.size());
    const size_t end = start + Clamp(selLength, text.size() - start);
    BoxInsertion result;
    result.text.reserve(text.size() - (end - start) + inserted.size());
    result.text.append(text.substr(0, start));
    result.text.append(inserted);
    result.text.append(text.substr(end));
    result.caret = int(result.text.size());
    return result;
}

std::u16string InsertIntoMemoLine(std::u16string_view line, int col, int len,
                                  std::u16string_view inserted) {
    const size_t start = Clamp(col, line.size());
    // A selection running on into the next line ends, for this line, at its end.
    const size_t end = start + Clamp(len, line.size() - start);
    std::u16string_view tail = line.substr(end);
    if (tail.size() > size_t(kMemoLineTailMax)) {
        size_t keep = size_t(kMemoLineTailMax);
        // Keeping half of a character pair would leave a broken character.
        if (IsHighSurrogate(tail[keep - 1])) --keep;
        tail = tail.substr(0, keep);
    }
    std::u16string result;
    result.reserve(start + inserted.size() + tail.size());
    result.append(line.substr(0, start));
    result.append(inserted);
    result.append(tail);
    return result;
}

}  // namespace orvane::ui
