// What a double-click on the field table inserts, and how it goes into the
// expression box and into a memo line.
#include <gtest/gtest.h>

#include <string>

#include "ui/model/field_insert.h"

namespace orvane::ui {
namespace {

TEST(FieldInsertText, NameRowGivesAReferenceOtherRowsTheValueEmptyNothing) {
    struct Row {
        int row;
        std::string cell, expected;
    };
    for (const Row& r : {Row{0, "Field_A", "['Field_A']"},
                         Row{1, "1B 24 43 02 99 05", "1B 24 43 02 99 05"},
                         Row{2, "a description", "a description"},
                         Row{0, "", ""},
                         Row{1, "", ""},
                         Row{0, " ", "[' ']"}}) {
        EXPECT_EQ(FieldInsertText(r.row, r.cell), r.expected)
            << "row " << r.row << " '" << r.cell << "'";
    }
}

TEST(InsertIntoBox, ReplacesTheSelectionOrInsertsAtTheCaretAndPutsTheCaretAtTheEnd) {
    struct Row {
        const char16_t* text;
        int start, length;
        const char16_t* expected;
    };
    const std::u16string ref = u"['Field_A']";
    for (const Row& r : {
             Row{u"", 0, 0, u"['Field_A']"},
             Row{u"1+", 2, 0, u"1+['Field_A']"},       // caret at the end
             Row{u"+1", 0, 0, u"['Field_A']+1"},       // caret at the start
             Row{u"2*x+1", 2, 1, u"2*['Field_A']+1"},  // selection replaced
             Row{u"abc", 0, 3, u"['Field_A']"},        // everything selected
             Row{u"abc", 9, 0, u"abc['Field_A']"},     // caret past the end: clamped
             Row{u"abc", 1, 99, u"a['Field_A']"},      // selection past the end
             Row{u"\u00e9\u00e9", 1, 0, u"\u00e9['Field_A']\u00e9"},
         }) {
        const BoxInsertion got = InsertIntoBox(r.text, r.start, r.length, ref);
        EXPECT_EQ(got.text, std::u16string(r.expected)) << "start " << r.start;
        EXPECT_EQ(got.caret, int(got.text.size()));
    }
}

TEST(InsertIntoMemoLine, ReplacesTheSelectedCharactersOfThisLineOnly) {
    struct Row {
        const char16_t* line;
        int col, len;
        const char16_t* expected;
    };
    for (const Row& r : {
             Row{u"", 0, 0, u"XY"},
             Row{u"1B 24 43", 0, 0, u"XY1B 24 43"},
             Row{u"1B 24 43", 8, 0, u"1B 24 43XY"},
             Row{u"1B 24 43", 3, 2, u"1B XY 43"},
             // A selection running into the next line removes the rest of
             // this line only.
             Row{u"1B 24 43", 6, 40, u"1B 24 XY"},
             Row{u"1B 24 43", 20, 0, u"1B 24 43XY"},
         }) {
        EXPECT_EQ(InsertIntoMemoLine(r.line, r.col, r.len, u"XY"), std::u16string(r.expected))
            << "col " << r.col << " len " << r.len;
    }
}

TEST(InsertIntoMemoLine, KeepsAtMost2048CharactersAfterTheInsertedText) {
    const std::u16string head = u"ab";
    const std::u16string tail(3000, u'z');
    const std::u16string got = InsertIntoMemoLine(head + u"SEL" + tail, 2, 3, u"[v]");
    EXPECT_EQ(got, head + u"[v]" + tail.substr(0, 2048));

    // Exactly 2048 after the selection: nothing lost.
    const std::u16string exact(2048, u'q');
    EXPECT_EQ(InsertIntoMemoLine(exact, 0, 0, u"!"), u"!" + exact);

    // The cut never leaves half of a surrogate pair (an emoji at 2047/2048).
    std::u16string pairs(2047, u'q');
    pairs += u"\U0001F600";
    pairs += u"rest";
    EXPECT_EQ(InsertIntoMemoLine(pairs, 0, 0, u"!"), u"!" + std::u16string(2047, u'q'));
}

}  // namespace
}  // namespace orvane::ui
