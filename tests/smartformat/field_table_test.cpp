#include "smartformat/field_table.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"
#include "platform/ini_file.h"

namespace orvane {
namespace {

using platform::IniDocument;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// The names of columns 1..ColCount()-1.
std::vector<std::string> Names(const FieldTable& t) {
    std::vector<std::string> names;
    for (int c = 1; c < t.ColCount(); ++c) names.push_back(t.Cell(c, FieldTable::kNameRow));
    return names;
}

// A "Table" section with fields "F1".."Fn" (value "Vc", description "Dc").
std::string TableText(int n) {
    std::string text = "[Table]\n";
    for (int c = 1; c <= n; ++c) {
        std::string i = std::to_string(c);
        text += i + "-0=F" + i + "\n" + i + "-1=V" + i + "\n" + i + "-2=D" + i + "\n";
    }
    return text;
}

TEST(FieldTable, NoSettingsFileGivesHeadingsAndDefaults) {
    TempDir dir;
    FieldTable t;
    t.LoadFile(dir.File("missing.ini"));
    EXPECT_EQ(t.ColCount(), 5);
    EXPECT_EQ(t.Cell(0, 0), "Name");
    EXPECT_EQ(t.Cell(0, 1), "Data");
    EXPECT_EQ(t.Cell(0, 2), "");
    EXPECT_EQ(Names(t), (std::vector<std::string>{"Field_A", "Field_B", "", ""}));
    EXPECT_EQ(t.Cell(1, 1), "1B 24 43 02 99 05");
    EXPECT_EQ(t.Cell(2, 1), "11 22 33 44 55 66");
    EXPECT_EQ(t.Cell(3, 1), "");
}

TEST(FieldTable, LoadingGrowsTheTableInStepsOfTwo) {
    struct Row {
        int fields;
        int columns;
    } rows[] = {{0, 5}, {3, 5}, {4, 5}, {5, 7}, {6, 7}, {7, 9}};
    for (const Row& r : rows) {
        FieldTable t;
        t.LoadFrom(IniDocument{TableText(r.fields)});
        EXPECT_EQ(t.ColCount(), r.columns) << r.fields << " fields";
        for (int c = 1; c <= r.fields; ++c) {
            EXPECT_EQ(t.Cell(c, 0), "F" + std::to_string(c));
            EXPECT_EQ(t.Cell(c, 1), "V" + std::to_string(c));
            EXPECT_EQ(t.Cell(c, 2), "D" + std::to_string(c));
        }
    }
}

TEST(FieldTable, LoadingStopsAtTheFirstNamelessColumn) {
    // Column 1 has no name but a value; column 2 is never read.
    FieldTable t;
    t.LoadFrom(IniDocument{"[Table]\n1-1=AA BB\n1-2=desc\n2-0=Hidden\n2-1=CC\n"});
    EXPECT_EQ(t.Cell(1, 0), "Field_A");
    EXPECT_EQ(t.Cell(1, 1), "AA BB");
    EXPECT_EQ(t.Cell(1, 2), "desc");
    EXPECT_EQ(t.Cell(2, 0), "Field_B");
    EXPECT_EQ(t.Cell(2, 1), "11 22 33 44 55 66");

    // Loading again over a filled table: columns after the stopping one keep
    // their cells and the table never shrinks.
    FieldTable u;
    u.LoadFrom(IniDocument{TableText(6)});
    u.LoadFrom(IniDocument{TableText(1)});
    EXPECT_EQ(u.ColCount(), 7);
    EXPECT_EQ(Names(u), (std::vector<std::string>{"F1", "Field_B", "F3", "F4", "F5", "F6"}));
    EXPECT_EQ(u.Cell(2, 1), "11 22 33 44 55 66");  // column 2 was emptied by the load, then defaulted
}

TEST(FieldTable, LookupByName) {
    FieldTable t;
    t.FillDefaults();
    t.SetCell(3, 0, "field_a");  // a second column of the same name
    t.SetCell(3, 1, "second");
    EXPECT_EQ(t.FindColumn("FIELD_A"), 1);
    ASSERT_NE(t.FindValue("field_b"), nullptr);
    EXPECT_EQ(*t.FindValue("field_b"), "11 22 33 44 55 66");
    EXPECT_EQ(t.FindValue("Name"), nullptr);  // the heading column is never searched
    EXPECT_EQ(t.FindValue("Field_C"), nullptr);
    EXPECT_EQ(t.FindColumn(""), 4);  // an empty name finds the first empty name cell
    // The returned value is the cell itself, not a copy.
    EXPECT_EQ(t.FindValue("Field_B"), &t.Cell(2, 1));

    t.InsertColumn(1);
    EXPECT_EQ(t.ColCount(), 6);
    EXPECT_EQ(Names(t), (std::vector<std::string>{"", "Field_A", "Field_B", "field_a", ""}));
    EXPECT_EQ(t.FindColumn("Field_B"), 3);
}

TEST(FieldTable, SetFieldUsesNameThenEmptyColumnThenGrows) {
    FieldTable t;
    t.FillDefaults();
    EXPECT_EQ(t.SetField("FIELD_B", "01"), 2);
    EXPECT_EQ(t.Cell(2, 0), "Field_B");  // the existing spelling stays
    EXPECT_EQ(t.Cell(2, 1), "01");
    EXPECT_EQ(t.SetField("X", "x"), 3);
    EXPECT_EQ(t.SetField("Y", "y"), 4);
    EXPECT_EQ(t.SetField("Z", "z"), 5);
    EXPECT_EQ(t.ColCount(), 7);
    EXPECT_EQ(t.Cell(5, 0), "Z");

    // Any bytes and any length.
    std::string capture(1 << 20, '\0');
    for (size_t i = 0; i < capture.size(); ++i) capture[i] = char(i * 7);
    t.SetField("Cap", capture);
    ASSERT_NE(t.FindValue("cap"), nullptr);
    EXPECT_EQ(*t.FindValue("cap"), capture);
}

TEST(FieldTable, ColumnCommands) {
    FieldTable t;
    t.LoadFrom(IniDocument{TableText(3)});
    t.SwapColumns(1, 2);
    EXPECT_EQ(Names(t), (std::vector<std::string>{"F2", "F1", "F3", ""}));
    t.DeleteColumn(1);
    EXPECT_EQ(t.ColCount(), 4);
    EXPECT_EQ(Names(t), (std::vector<std::string>{"F1", "F3", ""}));
    t.DeleteColumn(0);  // the heading column is not a field
    t.DeleteColumn(9);
    EXPECT_EQ(t.ColCount(), 4);
    t.DeleteColumn(3);
    t.DeleteColumn(2);
    EXPECT_EQ(t.ColCount(), 2);
    // The only field column keeps its name and loses its value and description.
    t.DeleteColumn(1);
    EXPECT_EQ(t.ColCount(), 2);
    EXPECT_EQ(t.Cell(1, 0), "F1");
    EXPECT_EQ(t.Cell(1, 1), "");
    EXPECT_EQ(t.Cell(1, 2), "");
}

TEST(FieldTable, SaveAndLoadThroughTheSettingsFile) {
    TempDir dir;
    const std::string path = dir.File("orvane.ini");
    WriteBytes(path, "[Styles]\nStyle=Carbon\n[Table]\n9-0=stale\n");
    FieldTable t;
    t.LoadFile(path);
    t.SetCell(1, 1, "AA BB   ");                            // trailing blanks are lost
    t.SetCell(1, 2, "'quoted'");                            // so are enclosing quotes
    t.SetCell(2, 1, std::string(3000, 'C'));                // read back cut to 2047
    t.SetCell(3, 0, "Multi");
    t.SetCell(3, 1, "L1\n[Styles]\nStyle=evil");            // stored up to the line break
    ASSERT_TRUE(t.SaveFile(path));

    platform::IniDocument ini;
    ASSERT_TRUE(ini.Load(path));
    EXPECT_EQ(ini.ReadString("Styles", "Style", ""), "Carbon");  // other sections stay
    std::string_view stale;
    EXPECT_FALSE(ini.Find("Table", "9-0", stale));  // the section was replaced
    EXPECT_EQ(ini.ReadSection("Table").size(), 12u);          // 4 columns x 3 rows, empty ones too
    EXPECT_EQ(ini.ReadSection("Table").front(), "1-0");

    FieldTable back;
    back.LoadFile(path);
    EXPECT_EQ(back.Cell(1, 1), "AA BB");
    EXPECT_EQ(back.Cell(1, 2), "quoted");
    EXPECT_EQ(back.Cell(2, 1), std::string(2047, 'C'));
    EXPECT_EQ(back.Cell(3, 1), "L1");
}

TEST(FieldTable, FullSaveDropsDeletedColumnsLeavingTheGridDoesNot) {
    TempDir dir;
    const std::string path = dir.File("orvane.ini");
    FieldTable t;
    t.LoadFrom(IniDocument{TableText(6)});  // 7 columns
    ASSERT_TRUE(t.SaveFile(path));
    t.DeleteColumn(2);  // F3..F6 move left; keys 6-x now belong to no column
    ASSERT_EQ(t.ColCount(), 6);

    ASSERT_TRUE(t.WriteFile(path));
    IniDocument kept;
    kept.Load(path);
    EXPECT_EQ(kept.ReadString("Table", "2-0", "-"), "F3");
    EXPECT_EQ(kept.ReadString("Table", "5-0", "-"), "F6");
    EXPECT_EQ(kept.ReadString("Table", "6-0", "-"), "F6");  // stale, still there

    ASSERT_TRUE(t.SaveFile(path));
    IniDocument saved;
    saved.Load(path);
    EXPECT_EQ(saved.ReadString("Table", "6-0", "-"), "-");
    EXPECT_EQ(saved.ReadString("Table", "5-0", "-"), "F6");
    EXPECT_EQ(saved.ReadSection("Table").size(), 15u);
}

}  // namespace
}  // namespace orvane
