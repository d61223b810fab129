#include "assets/skin_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct Row {
    std::string_view name;
    SkinKind kind;
    int r, g, b;
};

// The settings window's swatches, in order; "x1"/"x2" are violet skins behind pink swatches.
const Row kRows[] = {
    {"white1", SkinKind::Background, 255, 255, 255},
    {"blue1", SkinKind::Background, 128, 128, 255},
    {"green1", SkinKind::Background, 128, 224, 0},
    {"red1", SkinKind::Background, 255, 80, 128},
    {"yellow1", SkinKind::Background, 255, 255, 0},
    {"x1", SkinKind::Background, 255, 168, 255},
    {"blue2", SkinKind::Bar, 128, 128, 255},
    {"green2", SkinKind::Bar, 128, 224, 0},
    {"red2", SkinKind::Bar, 255, 80, 128},
    {"yellow2", SkinKind::Bar, 255, 255, 0},
    {"x2", SkinKind::Bar, 255, 168, 255},
};

TEST(SkinTable, ElevenRowsWithTheirSwatchColours) {
    const auto table = SkinTable();
    ASSERT_EQ(table.size(), std::size(kRows));
    std::set<int> ids;
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].colourName, kRows[i].name) << i;
        EXPECT_EQ(table[i].kind, kRows[i].kind) << kRows[i].name;
        EXPECT_EQ(table[i].swatchRed, kRows[i].r) << kRows[i].name;
        EXPECT_EQ(table[i].swatchGreen, kRows[i].g) << kRows[i].name;
        EXPECT_EQ(table[i].swatchBlue, kRows[i].b) << kRows[i].name;
        ids.insert(table[i].resourceId);
    }
    EXPECT_EQ(ids.size(), table.size()) << "every skin has a picture of its own";
}

struct Lookup {
    std::string_view name;
    std::string_view background; // what ResolveBackgroundSkin gives
    std::string_view bar;        // what ResolveBarSkin gives
};

const Lookup kLookups[] = {
    {"white1", "white1", "red2"},   {"blue1", "blue1", "red2"},       {"red1", "red1", "red2"},
    {"green1", "green1", "red2"},   {"yellow1", "yellow1", "red2"},   {"x1", "x1", "red2"},
    {"green2", "white1", "green2"}, {"blue2", "white1", "blue2"},     {"x2", "white1", "x2"},
    {"red2", "white1", "red2"},     {"yellow2", "white1", "yellow2"}, {"White1", "white1", "red2"},
    {"BLUE1", "white1", "red2"},    {"X1", "white1", "red2"},         {"Green2", "white1", "red2"},
    {"X2", "white1", "red2"},       {"YELLOW2", "white1", "red2"},    {"white", "white1", "red2"},
    {"red", "white1", "red2"},      {"x", "white1", "red2"},          {"blue", "white1", "red2"},
    {"yellow", "white1", "red2"},   {"", "white1", "red2"},           {"white1 ", "white1", "red2"},
    {" green2", "white1", "red2"},  {"x22", "white1", "red2"},        {std::string_view("red2\0", 5), "white1", "red2"},
    {"白色", "white1", "red2"},
};

TEST(SkinResolution, EachNameWithinItsOwnKindElseTheFallBack) {
    for (const Lookup& l : kLookups) {
        const SkinEntry& background = ResolveBackgroundSkin(l.name);
        const SkinEntry& bar = ResolveBarSkin(l.name);
        EXPECT_EQ(background.colourName, l.background) << "background \"" << l.name << "\"";
        EXPECT_EQ(background.kind, SkinKind::Background) << l.name;
        EXPECT_EQ(bar.colourName, l.bar) << "bar \"" << l.name << "\"";
        EXPECT_EQ(bar.kind, SkinKind::Bar) << l.name;
    }
}

TEST(SkinResolution, GivesTheTableRowItself) {
    for (const SkinEntry& entry : SkinTable()) {
        const SkinEntry& found = entry.kind == SkinKind::Background ? ResolveBackgroundSkin(entry.colourName)
                                                                    : ResolveBarSkin(entry.colourName);
        EXPECT_EQ(&found, &entry) << entry.colourName;
    }
}

} // namespace
