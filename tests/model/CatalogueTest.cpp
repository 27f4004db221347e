#include "model/Catalogue.h"
#include "model/EditData.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace qx::model;

namespace {

TargetSettings targetOf(int kind, int size) {
    TargetSettings t;
    t.targetKind = static_cast<std::int16_t>(kind);
    t.targetSize = static_cast<std::int16_t>(size);
    return t;
}

EditLine lineOf(int size, int width) {
    EditLine l;
    l.charSize = static_cast<std::uint8_t>(size);
    l.charWidth = static_cast<std::uint8_t>(width);
    return l;
}

std::vector<int> kindsOf(const Catalogue& c) {
    std::vector<int> kinds;
    for (const auto& e : c.targets())
        kinds.push_back(e.kind);
    return kinds;
}

std::vector<int> sizesOf(const TargetEntry& e) {
    std::vector<int> values;
    for (const auto& s : e.sizes)
        values.push_back(s.value);
    return values;
}

std::vector<std::pair<std::string, int>> entriesOf(std::span<const Choice> list) {
    std::vector<std::pair<std::string, int>> out;
    for (const auto& c : list)
        out.emplace_back(std::string(c.text), c.value);
    return out;
}

} // namespace

TEST(Catalogue, ModelLimitsPerModel) {
    const ModelLimits early{300, 4, 5000, 5, 1, 15, 1, 1};
    const ModelLimits later{999, 4, 5000, 999, 3, 45, 1, 1};
    const std::vector<std::pair<ModelType, ModelLimits>> rows = {
        {0, early}, {1, early}, {2, early}, {3, early}, {5, later}, {6, later}, {8, later}, {9, later},
        {4, ModelLimits{}}, {7, ModelLimits{}}, {10, ModelLimits{}},
    };
    for (const auto& [model, limits] : rows)
        EXPECT_EQ(Catalogue(model).limits(), limits) << "model " << model;
}

TEST(Catalogue, SettingRangesThatDependOnTheModel) {
    struct Row {
        ModelType model;
        int row;
        SettingRange expected;
    };
    const Row rows[] = {
        {0, 2, {1, 100, 1}},    {9, 2, {1, 300, 1}},    {3, 3, {1, 100, 2}},      {5, 3, {1, 300, 2}},
        {1, 8, {0, 2, 1}},      {6, 8, {0, 4, 1}},      {2, 26, {40, 600, 100}},  {8, 26, {35, 600, 100}},
        {0, 41, {1, 300, 1}},   {3, 42, {1, 300, 300}}, {5, 41, {1, 999, 1}},     {9, 42, {1, 999, 999}},
        {4, 41, {0, 0, 0}},     {7, 42, {0, 0, 0}},     {4, 26, {40, 600, 100}},  {7, 26, {35, 600, 100}},
        // rows that never change, sampled across the table
        {0, 0, {0, 5, 3}},      {9, 7, {5, 100, 32}},   {9, 20, {-20, 20, 0}},    {0, 27, {100, 600, 200}},
        {9, 28, {10, 300, 0}},  {9, 34, {9025, 9050, 9025}}, {9, 37, {0, 299, 0}}, {9, 43, {-300, 300, 0}},
        {9, 44, {-20, 20, 20}}, {0, 45, {-10, 12, 10}}, {9, 47, {0, 0, 0}},       {9, 49, {1, 8, 4}},
        {9, 51, {73, 400, 200}}, {9, 54, {40, 600, 100}}, {9, 55, {9057, 9082, 9057}}, {9, 58, {0, 4, 0}},
        {9, 60, {0, 1, 0}},
        // outside the table
        {9, -1, {0, 0, 0}},     {9, 61, {0, 0, 0}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(Catalogue(r.model).settingRange(r.row), r.expected)
            << "model " << r.model << " row " << r.row;
    EXPECT_EQ(Catalogue(9).settingRange(SettingRow::LastBlock), (SettingRange{1, 999, 999}));
}

TEST(Catalogue, PrintHeightTablesByGroup) {
    using Heights = std::vector<std::pair<int, std::vector<std::pair<int, int>>>>;
    const Heights early = {
        {0, {{5, 35}, {9, 88}, {12, 88}}},
        {1, {{32, 36}, {36, 36}, {42, 47}, {52, 55}, {64, 55}, {80, 55}}},
        {2, {{15, 16}, {20, 16}, {25, 23}, {32, 36}, {36, 36}, {42, 47}, {52, 55},
             {55, 55}, {60, 55}, {65, 55}, {80, 55}}},
        {3, {{20, 16}, {25, 23}, {27, 23}, {35, 36}, {52, 78}, {54, 78}, {64, 78}}},
        {4, {{32, 36}, {36, 36}, {42, 47}, {52, 55}, {64, 55}, {80, 55}}},
        {5, {{80, 78}, {85, 82}, {95, 88}, {100, 88}, {107, -1}}},
        {6, {{80, 78}, {85, 82}, {95, 88}, {100, 88}, {120, -1}}},
        {10, {{25, 16}, {41, -1}, {46, 30}, {63, 52}, {90, 88}}},
        {11, {{25, 23}, {32, 36}, {36, 36}, {42, 47}, {52, 55}, {55, 55}, {65, 55}}},
        {12, {{29, -1}, {37, -1}}},
        {9, {{32, -1}}},
    };
    Heights later = {
        {0, {{5, 35}, {9, 88}, {12, 88}}},
        {1, {{25, 35}, {27, 35}, {32, 46}, {34, 46}, {36, 46}, {42, 47}, {52, 55}, {64, 55}, {80, 55}}},
        {2, {{15, 16}, {20, 16}, {25, 35}, {32, 46}, {36, 46}, {42, 47}, {52, 55},
             {55, 55}, {60, 55}, {65, 55}, {80, 55}}},
        {3, {{20, 16}, {25, 35}, {27, -1}, {35, 46}, {52, 78}, {54, 78}, {64, 78}}},
        {4, {{32, 36}, {36, 36}, {42, 47}, {52, 55}, {64, 55}, {80, 55}}},
        {5, {{80, 78}, {85, 82}, {95, 88}, {100, 88}, {107, 88}, {120, 88}}},
        {6, {{80, 78}, {85, 82}, {95, 88}, {100, 88}, {107, 88}, {120, 88}}},
        {10, {{25, 16}, {41, 24}, {46, 30}, {63, 52}, {90, 88}}},
        {11, {{25, 35}, {32, 46}, {36, 46}, {42, 47}, {52, 55}, {55, 55}, {65, 55}}},
        {9, {{32, -1}}},
        {12, {{29, 35}, {37, 46}, {46, -1}}},
    };
    Heights w3 = later;
    w3.back().second.back() = {46, 50};

    const std::vector<std::pair<std::vector<ModelType>, const Heights*>> groups = {
        {{0, 1, 2, 3, 4}, &early}, {{5, 6, 7}, &later}, {{8, 9, 10}, &w3}};
    for (const auto& [models, heights] : groups) {
        for (ModelType model : models) {
            const Catalogue c(model);
            for (const auto& [kind, rows] : *heights) {
                for (const auto& [size, dots] : rows)
                    EXPECT_EQ(c.printHeight(targetOf(kind, size)), dots)
                        << "model " << model << " kind " << kind << " size " << size;
                EXPECT_EQ(c.printHeight(targetOf(kind, 33)), -1) << "unlisted size, kind " << kind;
            }
        }
    }
    EXPECT_EQ(Catalogue(9).printHeight(targetOf(13, 32)), -1);
}

TEST(Catalogue, LabelHeightFollowsWidthAndIsCapped) {
    const Catalogue c(9);
    TargetSettings label = targetOf(TargetKind::GeneralLabel, 0);
    // label width (0.1 mm), band height (dots)
    const std::vector<std::pair<int, int>> rows = {
        {60, 48}, {100, 88}, {50, 35}, {89, 87}, {90, 88}, {10, -1},
    };
    for (const auto& [width, dots] : rows) {
        label.labelWidth = static_cast<std::int16_t>(width);
        EXPECT_EQ(c.printHeight(label), dots) << "width " << width;
    }
    label.targetKind = TargetKind::KavLabel;
    label.targetSize = 617;
    label.labelWidth = 60;
    EXPECT_EQ(c.printHeight(label), 48);
}

TEST(Catalogue, MediumHeightAndMargins) {
    const Catalogue w2(5);
    EXPECT_EQ(w2.printHeight(targetOf(TargetKind::Tape, 5)), 35);
    EXPECT_EQ(w2.mediumHeight(targetOf(TargetKind::Tape, 5)), 59);
    EXPECT_EQ(w2.printHeight(targetOf(TargetKind::KavTube, 32)), 46);
    EXPECT_EQ(w2.mediumHeight(targetOf(TargetKind::KavTube, 32)), 50); // 38 dots is too thin
    EXPECT_EQ(w2.mediumHeight(targetOf(TargetKind::KavTube, 80)), 95);
    TargetSettings label = targetOf(TargetKind::GeneralLabel, 0);
    label.labelWidth = 60;
    label.labelGap = 20;
    EXPECT_EQ(w2.mediumHeight(label), 71);

    EXPECT_EQ(w2.endMarginDots(targetOf(TargetKind::Tape, 9)), 12);
    EXPECT_EQ(w2.endMarginDots(targetOf(TargetKind::Plate05, 80)), 6);
    EXPECT_EQ(w2.endMarginDots(targetOf(TargetKind::IdPlate, 25)), 6);
    EXPECT_EQ(w2.endMarginDots(targetOf(TargetKind::KavTube, 32)), 24);
    EXPECT_EQ(w2.endMarginDots(label), 47); // 1.0 mm + 3.0 mm

    EXPECT_EQ(w2.printableLength(targetOf(TargetKind::KavTube, 32), 200), 189);
    EXPECT_EQ(w2.printableLength(targetOf(TargetKind::Tape, 9), 100), 94);
    EXPECT_EQ(w2.printableLength(targetOf(TargetKind::Plate05, 80), 100), 106);
    label.labelGap = 21;
    EXPECT_EQ(w2.printableLength(label, 200), 140); // 200 - 81 tenths
}

TEST(Catalogue, DotConversions) {
    const std::vector<std::tuple<int, int, int>> rows = {
        // tenths, rounded, truncated
        {0, 0, 0}, {50, 59, 59}, {32, 38, 37}, {160, 189, 189}, {100, 118, 118}, {1, 1, 1},
        {-32, -38, -37}, {60, 71, 71},
        // The values nearest half a dot: 35.503 rounds up, 22.485 down.
        {30, 36, 35}, {19, 22, 22}, {-30, -36, -35},
    };
    for (const auto& [tenths, rounded, truncated] : rows) {
        EXPECT_EQ(tenthsToDotsRounded(tenths), rounded) << tenths;
        EXPECT_EQ(tenthsToDotsTruncated(tenths), truncated) << tenths;
    }
}

TEST(Catalogue, TargetListsPerModel) {
    using K = std::vector<int>;
    const std::vector<std::pair<ModelType, K>> rows = {
        {0, {1, 4, 2, 3, 0, 5}},          {1, {1, 4, 2, 3, 0, 5, 6}},       {2, {1, 2, 3, 4, 0}},
        {3, {1, 2, 3, 4, 0, 6, 7, 8}},    {5, {1, 12, 2, 3, 4, 0}},         {6, {1, 12, 2, 3, 4, 0, 6, 7, 8}},
        {8, {1, 12, 2, 3, 4, 0}},         {9, {1, 12, 2, 3, 4, 0, 6, 7, 8}}, {4, {}}, {7, {}}, {10, {}},
    };
    for (const auto& [model, kinds] : rows)
        EXPECT_EQ(kindsOf(Catalogue(model)), kinds) << "model " << model;

    const Catalogue qx780(0);
    EXPECT_EQ(sizesOf(qx780.targets()[0]), (K{32, 36, 42, 52, 64}));
    EXPECT_EQ(sizesOf(qx780.targets()[2]), (K{25, 32, 36, 42, 52, 55, 60, 65}));
    EXPECT_EQ(sizesOf(qx780.targets()[3]), (K{27, 35, 52}));
    EXPECT_EQ(qx780.targets()[0].textId, 40015);
    EXPECT_EQ(qx780.targets()[1].textId, 40018);
    EXPECT_EQ(qx780.targets()[5].textId, 40019);
    EXPECT_EQ(Catalogue(1).targets()[5].textId, 40105);
    EXPECT_EQ(Catalogue(1).targets()[6].textId, 40106);

    const Catalogue qx950w(3);
    EXPECT_EQ(qx950w.targets()[0].textId, 43003);
    EXPECT_EQ(qx950w.targets()[3].textId, 43004);
    EXPECT_EQ(sizesOf(qx950w.targets()[0]), (K{32, 36, 42, 52, 64, 80}));
    EXPECT_EQ(sizesOf(qx950w.targets()[1]), (K{15, 20, 25, 32, 36, 42, 52, 55, 60, 65, 80}));
    EXPECT_EQ(sizesOf(qx950w.targets()[2]), (K{20, 25, 35, 54, 64}));
    EXPECT_EQ(sizesOf(qx950w.targets()[5]), (K{80, 85, 95, 100}));
    EXPECT_EQ(sizesOf(qx950w.targets()[6]), (K{617, 620, 623}));
    EXPECT_TRUE(qx950w.targets()[7].sizes.empty());

    const Catalogue qx950w2(6);
    EXPECT_EQ(sizesOf(qx950w2.targets()[0]), (K{25, 27, 32, 34, 36, 42, 52, 64, 80}));
    EXPECT_EQ(sizesOf(qx950w2.targets()[1]), (K{29, 37}));
    EXPECT_EQ(qx950w2.targets()[1].textId, 43050);
    EXPECT_EQ(sizesOf(qx950w2.targets()[6]), (K{80, 85, 95, 100, 107, 120}));
    EXPECT_EQ(sizesOf(Catalogue(8).targets()[1]), (K{29, 37, 46}));

    EXPECT_EQ(qx950w2.targets()[0].sizes[0].text, "φ2.5");
    EXPECT_EQ(qx950w2.targets()[5].sizes[0].text, " 5.0 mm");
    EXPECT_EQ(qx950w2.targets()[5].sizes[2].text, "12.0 mm");
    EXPECT_EQ(qx950w2.targets()[6].sizes[4].text, "10.7 mm");
    EXPECT_EQ(qx950w2.targets()[7].sizes[0].text, "6x17 mm");
}

TEST(Catalogue, FindTargetAndSize) {
    const Catalogue w2(5);
    EXPECT_EQ(w2.findTarget(TargetKind::KavgTube), 1);
    EXPECT_EQ(w2.findTarget(TargetKind::Tape), 5);
    EXPECT_EQ(w2.findTarget(TargetKind::KavLabel), std::nullopt);
    EXPECT_EQ(w2.findTargetSize(1, 37), 1);
    EXPECT_EQ(w2.findTargetSize(1, 46), std::nullopt); // φ4.6 is a W3 size
    EXPECT_EQ(w2.printHeight(targetOf(TargetKind::KavgTube, 46)), -1);
    EXPECT_EQ(Catalogue(9).printHeight(targetOf(TargetKind::KavgTube, 46)), 50);
    EXPECT_EQ(w2.findTargetSize(6, 5), std::nullopt);
    EXPECT_EQ(w2.findTargetSize(-1, 5), std::nullopt);
    EXPECT_EQ(Catalogue(7).findTarget(TargetKind::KavTube), std::nullopt);
}

TEST(Catalogue, KindTextsFollowTheGeneration) {
    EXPECT_EQ(Catalogue(0).kindTextId(TargetKind::KavTube), 40015);
    EXPECT_EQ(Catalogue(2).kindTextId(TargetKind::KavTube), 43003);
    EXPECT_EQ(Catalogue(1).kindTextId(TargetKind::NonPvcTube), 40018);
    EXPECT_EQ(Catalogue(9).kindTextId(TargetKind::NonPvcTube), 43004);
    EXPECT_EQ(Catalogue(0).kindTextId(TargetKind::Plate03), 40019);
    EXPECT_EQ(Catalogue(1).kindTextId(TargetKind::Plate03), 40105);
    EXPECT_EQ(Catalogue(9).kindTextId(TargetKind::OvalTube), 43009);
    EXPECT_EQ(Catalogue(9).kindTextId(13), 0);
}

TEST(Catalogue, ChoiceListsByGroup) {
    using E = std::vector<std::pair<std::string, int>>;
    const E models = {{"QX-950W3", 9}, {"QX-900W3", 8}, {"QX-950W2", 6}, {"QX-900W2", 5},
                      {"QX-950W", 3},  {"QX-900W", 2},  {"QX-790", 1},   {"QX-780", 0}};
    EXPECT_EQ(entriesOf(Catalogue(0).choiceList(0)), models);
    EXPECT_EQ(entriesOf(Catalogue(9).choiceList(0)), models);

    const Catalogue first(1), w(3), w3(8);
    EXPECT_EQ(entriesOf(first.choiceList(3)), (E{{" 8進数", 0}, {"10進数", 1}, {"16進数", 2}, {"ｱﾙﾌｧﾍﾞｯﾄ英大", 3}}));
    EXPECT_EQ(entriesOf(w.choiceList(3)), (E{{" 8進数", 0}, {"10進数", 1}, {"16進数", 2},
                                             {"アルファベット(大)", 3}, {"アルファベット(小)", 4}}));
    EXPECT_EQ(entriesOf(first.choiceList(6)), (E{{"標準", 0}, {"狭い", 1}, {"密着", 2}, {"広い", 3}}));
    EXPECT_EQ(entriesOf(first.choiceList(7)), (E{{"標準", 0}, {"狭い", 1}, {"密着", 3}, {"広い", 2}}));
    EXPECT_EQ(entriesOf(w3.choiceList(8)), (E{{"ﾊｰﾌｶｯﾄ", 1}, {"実線", 2}, {"点線", 3}, {"なし", 0}}));
    EXPECT_EQ(entriesOf(first.choiceList(9)), (E{{"あり", 1}, {"なし", 0}}));
    EXPECT_EQ(entriesOf(w.choiceList(9)), (E{{"なし", 0}, {"狭い", 1}, {"標準", 2}, {"広い", 3}}));
    EXPECT_EQ(entriesOf(w.choiceList(11)), (E{{"中央", 1}, {"前", 0}, {"後", 2}}));
    EXPECT_EQ(entriesOf(Catalogue(4).choiceList(12)), (E{{"自動", 1}, {"指定", 0}}));
    EXPECT_EQ(entriesOf(Catalogue(5).choiceList(12)),
              (E{{"通常ｵｰﾄ", 1}, {"拡張ｵｰﾄ", 2}, {"文字幅ｵｰﾄ", 3}, {"指定", 0}}));
    EXPECT_TRUE(Catalogue(0).choiceList(13).empty());
    EXPECT_TRUE(first.choiceList(13).empty());
    EXPECT_EQ(entriesOf(Catalogue(2).choiceList(13)),
              (E{{"すべて(奇数、偶数両方)", 0}, {"奇数のみ", 1}, {"偶数のみ", 2}}));
    EXPECT_EQ(entriesOf(w3.choiceList(14)), (E{{"標準", 0}, {"太字", 1}, {"明快", 2}, {"正方形", 3}}));
    EXPECT_EQ(entriesOf(w3.choiceList(16)), (E{{"なし", 0}, {"あり", 1}}));
    EXPECT_EQ(w3.choiceList(1).size(), 6u);
    EXPECT_EQ(w3.choiceList(1)[2].text, "2.4 mm");
    EXPECT_TRUE(w3.choiceList(17).empty());
    EXPECT_TRUE(w3.choiceList(-1).empty());
}

TEST(Catalogue, GlyphCellDirectionAndWidthMode) {
    const Catalogue c(9);
    struct Row {
        int kind, direction, mode, size, width;
        GlyphCell expected;
    };
    const int pitchMode = codes::PitchGroupMarker, printMode = codes::Line1Marker;
    const Row rows[] = {
        {TargetKind::KavTube, 0, pitchMode, 3, 0, {26, 35}},
        {TargetKind::KavTube, 0, pitchMode, 3, 1, {13, 35}},
        {TargetKind::KavTube, 0, pitchMode, 2, 1, {11, 28}},
        {TargetKind::KavTube, 0, pitchMode, 1, 1, {9, 23}},
        {TargetKind::KavTube, 0, pitchMode, 0, 2, {32, 16}},
        {TargetKind::KavTube, 1, pitchMode, 3, 0, {35, 26}},
        {TargetKind::KavTube, 1, pitchMode, 3, 1, {18, 26}}, // a tube keeps the mode on the first value
        {TargetKind::Tape, 1, pitchMode, 3, 1, {35, 13}},    // flat medium: along the piece
        {TargetKind::Tape, 1, pitchMode, 5, 2, {70, 104}},
        {TargetKind::Tape, 1, printMode, 3, 1, {18, 26}},
        {TargetKind::Tape, 0, pitchMode, 4, 2, {72, 46}},
        {TargetKind::Tape, 0, pitchMode, 6, 0, {0, 0}},
    };
    for (const auto& r : rows) {
        TargetSettings t = targetOf(r.kind, 9);
        t.direction = static_cast<std::int16_t>(r.direction);
        t.printMode = static_cast<std::uint16_t>(r.mode);
        EXPECT_EQ(c.glyphCell(t, lineOf(r.size, r.width)), r.expected)
            << "kind " << r.kind << " dir " << r.direction << " size " << r.size << " width " << r.width;
    }
}

TEST(Catalogue, SpacingWithAndWithoutAutomaticSize) {
    TargetSettings t = targetOf(TargetKind::KavTube, 32);
    EditLine line = lineOf(3, 0);
    line.autoCharSpacing = 2;
    line.autoLineSpacing = 3;
    t.sizeMode = 0;
    t.charSpacing = 2; // close
    t.lineSpacing = 2; // wide
    EXPECT_EQ(Catalogue(0).spacing(t, line), (Spacing{0, 10}));
    t.charSpacing = 3; // wide
    t.lineSpacing = 3; // close
    EXPECT_EQ(Catalogue(9).spacing(t, line), (Spacing{10, 0}));

    t.sizeMode = 1;
    t.pitchAuto = 0;
    EXPECT_EQ(Catalogue(3).spacing(t, line), (Spacing{2, 2}));
    EXPECT_EQ(Catalogue(5).spacing(t, line), (Spacing{0, 0}));
    line.autoCharSpacing = 0;
    line.autoLineSpacing = 1;
    EXPECT_EQ(Catalogue(8).spacing(t, line), (Spacing{5, 2}));

    t.pitchAuto = 1; // AUTO pitch keeps the document's spacing
    EXPECT_EQ(Catalogue(8).spacing(t, line), (Spacing{10, 0}));
    t.pitchAuto = 0;
    t.printMode = codes::Line1Marker;
    EXPECT_EQ(Catalogue(3).spacing(t, line), (Spacing{10, 0}));
}

TEST(Catalogue, RangesAndTotalLengthByKind) {
    const Catalogue early(1), later(6);
    EXPECT_EQ(early.pitchRange(TargetKind::GeneralTube), (ValueRange{100, 600}));
    EXPECT_EQ(early.pitchRange(TargetKind::Tape), (ValueRange{40, 600}));
    EXPECT_EQ(later.pitchRange(TargetKind::Tape), (ValueRange{35, 600}));
    EXPECT_EQ(later.pitchRange(TargetKind::Plate03), (ValueRange{25, 600}));
    EXPECT_EQ(later.pitchRange(TargetKind::KavLabel), (ValueRange{50, 500}));
    EXPECT_EQ(later.pitchRange(TargetKind::IdPlate), (ValueRange{40, 600}));
    EXPECT_EQ(later.pitchRange(TargetKind::OvalTube), (ValueRange{100, 600}));
    EXPECT_EQ(early.countRange(TargetKind::KavgTube), (ValueRange{1, 100}));
    EXPECT_EQ(later.countRange(TargetKind::FlatTube), (ValueRange{1, 300}));
    EXPECT_EQ(later.countRange(TargetKind::GeneralLabel), (ValueRange{1, 300}));
    EXPECT_EQ(early.longestTotalPrintLength(TargetKind::KavLabel), 1000);
    EXPECT_EQ(early.longestTotalPrintLength(TargetKind::Plate05), 5000);
    EXPECT_EQ(early.longestTotalPrintLength(TargetKind::KavTube), 20000);
    EXPECT_EQ(later.longestTotalPrintLength(TargetKind::KavTube), 100000);
    EXPECT_EQ(later.longestTotalPrintLength(TargetKind::Tape), 5000);
}

TEST(Catalogue, AutoSizeCandidateLists) {
    const Catalogue c(9);
    const auto normal = c.autoSizeCandidates(1);
    ASSERT_EQ(normal.size(), 8u);
    EXPECT_EQ(normal[0], (AutoSizeCandidate{0, 1, 1, 1}));
    EXPECT_EQ(normal[3], (AutoSizeCandidate{1, 0, 1, 1}));
    EXPECT_EQ(normal[7], (AutoSizeCandidate{5, 0, 1, 1}));

    const auto extended = c.autoSizeCandidates(2);
    ASSERT_EQ(extended.size(), 24u);
    EXPECT_EQ(extended[0], (AutoSizeCandidate{0, 1, 2, 3}));
    EXPECT_EQ(extended[5], (AutoSizeCandidate{0, 0, 0, 0}));
    EXPECT_EQ(extended[7], (AutoSizeCandidate{1, 1, 1, 1}));
    EXPECT_EQ(extended[12], (AutoSizeCandidate{2, 0, 2, 3}));
    EXPECT_EQ(extended[23], (AutoSizeCandidate{5, 0, 0, 0}));

    const auto widthAuto = c.autoSizeCandidates(3);
    ASSERT_EQ(widthAuto.size(), 6u);
    EXPECT_EQ(widthAuto[0], (AutoSizeCandidate{255, 1, 2, 3}));
    EXPECT_EQ(widthAuto[5], (AutoSizeCandidate{255, 0, 0, 0}));
    EXPECT_TRUE(c.autoSizeCandidates(0).empty());
}

TEST(Catalogue, PrintableAt24) {
    const Catalogue w(3), w2(5);
    for (char ch : std::string("09AZaz")) {
        EXPECT_TRUE(w.isPrintableAt24(ch)) << ch;
        EXPECT_TRUE(w2.isPrintableAt24(ch)) << ch;
    }
    for (char ch : std::string("!?#()~=/*+- ,.")) {
        EXPECT_FALSE(w.isPrintableAt24(ch)) << ch;
        EXPECT_TRUE(w2.isPrintableAt24(ch)) << ch;
    }
    for (char ch : std::string("@_:;\""))
        EXPECT_FALSE(w2.isPrintableAt24(ch)) << ch;
    EXPECT_FALSE(w2.isPrintableAt24(static_cast<char>(0xB1)));
    EXPECT_TRUE(w.isPrintableAt24(CharCode{0x2341}));
    EXPECT_TRUE(w.isPrintableAt24(CharCode{0x237A}));
    EXPECT_FALSE(w.isPrintableAt24(CharCode{0x212A}));
    EXPECT_TRUE(w2.isPrintableAt24(CharCode{0x212A}));
    EXPECT_TRUE(w2.isPrintableAt24(CharCode{0x2121}));
    EXPECT_TRUE(w2.isPrintableAt24(CharCode{0x2141}));
    EXPECT_FALSE(w2.isPrintableAt24(CharCode{0x2177})); // @
    EXPECT_FALSE(w2.isPrintableAt24(CharCode{0x3021}));
    EXPECT_FALSE(w2.isPrintableAt24(CharCode{0x0041}));
}
