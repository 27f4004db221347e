#pragma once

// Constant tables of the model catalogue. Internal to qx_model: Catalogue is the public face.

#include "Catalogue.h"

#include <array>

namespace qx::model::tables {

/// Limits of the models that are offered; the reserved indexes hold no limits at all.
inline constexpr ModelLimits EarlyLimits{
    .blockLimit = 300,
    .lineLimit = 4,
    .charLimit = 5000,
    .pitchSettingLimit = 5,
    .seqPerBlockPitch = 1,
    .seqPerFilePitch = 15,
    .seqPerBlockPrint = 1,
    .seqPerFilePrint = 1,
};
inline constexpr ModelLimits LaterLimits{
    .blockLimit = 999,
    .lineLimit = 4,
    .charLimit = 5000,
    .pitchSettingLimit = 999,
    .seqPerBlockPitch = 3,
    .seqPerFilePitch = 45,
    .seqPerBlockPrint = 1,
    .seqPerFilePrint = 1,
};

/// One row of the setting table: its range on models below 5 and on models from 5 on.
struct SettingRangeRow {
    SettingRow row;
    SettingRange early;
    SettingRange later;
};

// Rows FirstBlock and LastBlock are placeholders here: the model's block limit fills them in.
inline constexpr std::array<SettingRangeRow, SettingRowCount> SettingRanges{{
    {SettingRow::TextSize,           {0, 5, 3},          {0, 5, 3}},
    {SettingRow::TextWidth,          {0, 2, 0},          {0, 2, 0}},
    {SettingRow::CountOther,         {1, 100, 1},        {1, 300, 1}},
    {SettingRow::CountTube,          {1, 100, 2},        {1, 300, 2}},
    {SettingRow::LineCountMinusOne,  {0, 3, 0},          {0, 3, 0}},
    {SettingRow::Reverse,            {0, 1, 0},          {0, 1, 0}},
    {SettingRow::TargetKind,         {0, 5, 1},          {0, 5, 1}},
    {SettingRow::TargetSize,         {5, 100, 32},       {5, 100, 32}},
    {SettingRow::SizeMode,           {0, 2, 1},          {0, 4, 1}},
    {SettingRow::Direction,          {0, 1, 0},          {0, 1, 0}},
    {SettingRow::Frame,              {0, 1, 0},          {0, 1, 0}},
    {SettingRow::CharSpacing,        {0, 3, 0},          {0, 3, 0}},
    {SettingRow::LineSpacing,        {0, 3, 0},          {0, 3, 0}},
    {SettingRow::Unused13,           {0, 3, 2},          {0, 3, 2}},
    {SettingRow::PitchCut,           {0, 3, 1},          {0, 3, 1}},
    {SettingRow::LeftMargin,         {2, 30, 2},         {2, 30, 2}},
    {SettingRow::RightMargin,        {2, 30, 2},         {2, 30, 2}},
    {SettingRow::Placement,          {0, 2, 1},          {0, 2, 1}},
    {SettingRow::Extra1,             {0, 2, 1},          {0, 2, 1}},
    {SettingRow::Extra2,             {1, 8, 4},          {1, 8, 4}},
    {SettingRow::Extra3,             {-20, 20, 0},       {-20, 20, 0}},
    {SettingRow::Extra4,             {0, 100, 30},       {0, 100, 30}},
    {SettingRow::Extra5,             {0, 1, 1},          {0, 1, 1}},
    {SettingRow::Extra6,             {0, 1, 0},          {0, 1, 0}},
    {SettingRow::Extra7,             {0, 1, 1},          {0, 1, 1}},
    {SettingRow::PitchPlate,         {25, 600, 100},     {25, 600, 100}},
    {SettingRow::PitchTape,          {40, 600, 100},     {35, 600, 100}},
    {SettingRow::PitchTube,          {100, 600, 200},    {100, 600, 200}},
    {SettingRow::PrintLength,        {10, 300, 0},       {10, 300, 0}},
    {SettingRow::SequenceMode,       {0, 3, 1},          {0, 3, 1}},
    {SettingRow::SequenceDigits,     {0, 4, 0},          {0, 4, 0}},
    {SettingRow::OctalRange,         {0, 4095, 0},       {0, 4095, 0}},
    {SettingRow::DecimalRange,       {0, 9999, 0},       {0, 9999, 0}},
    {SettingRow::HexRange,           {0, 65535, 0},      {0, 65535, 0}},
    {SettingRow::UpperCaseRange,     {9025, 9050, 9025}, {9025, 9050, 9025}},
    {SettingRow::PrintCount,         {1, 100, 1},        {1, 100, 1}},
    {SettingRow::PitchAuto,          {0, 1, 0},          {0, 1, 0}},
    {SettingRow::BlockCountMinusOne, {0, 299, 0},        {0, 299, 0}},
    {SettingRow::PitchSettingCount,  {0, 5, 1},          {0, 5, 1}},
    {SettingRow::MemoryNumber,       {1, 50, 1},         {1, 50, 1}},
    {SettingRow::Copies,             {1, 30, 1},         {1, 30, 1}},
    {SettingRow::FirstBlock,         {1, 0, 1},          {1, 0, 1}},
    {SettingRow::LastBlock,          {1, 0, 0},          {1, 0, 0}},
    {SettingRow::LengthRevision,     {-300, 300, 0},     {-300, 300, 0}},
    {SettingRow::CutPosition,        {-20, 20, 20},      {-20, 20, 20}},
    {SettingRow::PrintOffsetY,       {-10, 12, 10},      {-10, 12, 10}},
    {SettingRow::FrontFeed,          {0, 1, 0},          {0, 1, 0}},
    {SettingRow::LowTempMode,        {0, 0, 0},          {0, 0, 0}},
    {SettingRow::SeqOrder,           {0, 0, 0},          {0, 0, 0}},
    {SettingRow::HeatVolume,         {1, 8, 4},          {1, 8, 4}},
    {SettingRow::LabelWidth,         {50, 100, 60},      {50, 100, 60}},
    {SettingRow::LabelLength,        {73, 400, 200},     {73, 400, 200}},
    {SettingRow::LabelGap,           {0, 100, 20},       {0, 100, 20}},
    {SettingRow::PitchLabel,         {50, 500, 100},     {50, 500, 100}},
    {SettingRow::PitchIdPlate,       {40, 600, 100},     {40, 600, 100}},
    {SettingRow::LowerCaseRange,     {9057, 9082, 9057}, {9057, 9082, 9057}},
    {SettingRow::SequenceOutput,     {0, 2, 0},          {0, 2, 0}},
    {SettingRow::FrameGap,           {1, 3, 1},          {1, 3, 1}},
    {SettingRow::PrintFont,          {0, 4, 0},          {0, 4, 0}},
    {SettingRow::Underline,          {0, 1, 0},          {0, 1, 0}},
    {SettingRow::ZeroSlash,          {0, 1, 0},          {0, 1, 0}},
}};

} // namespace qx::model::tables

namespace qx::model::tables {

// ---- Print targets ---------------------------------------------------------------------------

namespace text {
inline constexpr int Tape = 40014;
inline constexpr int KavTubeEarly = 40015; ///< "カーヴチューブ"
inline constexpr int GeneralTube = 40016;
inline constexpr int HeatShrinkTube = 40017;
inline constexpr int NonPvcTubeEarly = 40018; ///< "カーヴ非塩ビチューブ"
inline constexpr int Plate = 40019;           ///< "記名板", QX-780's only plate
inline constexpr int Plate03 = 40105;         ///< "記名板(0.3mm厚)"
inline constexpr int Plate05 = 40106;         ///< "記名板(0.5mm厚)"
inline constexpr int KavTube = 43003;         ///< "KAVチューブ"
inline constexpr int NonPvcTube = 43004;      ///< "非塩ビチューブ"
inline constexpr int KavLabel = 43005;
inline constexpr int GeneralLabel = 43006;
inline constexpr int FlatTube = 43007;
inline constexpr int IdPlate = 43008;
inline constexpr int OvalTube = 43009;
inline constexpr int KavgTube = 43050;
} // namespace text

// Diameters are shown in millimetres and stored in tenths of a millimetre.
inline constexpr TargetSize DiameterA[] = {
    {"φ3.2", 32}, {"φ3.6", 36}, {"φ4.2", 42}, {"φ5.2", 52}, {"φ6.4", 64},
};
inline constexpr TargetSize DiameterB[] = {{"φ3.2", 32}, {"φ3.6", 36}, {"φ4.2", 42}, {"φ5.2", 52}};
inline constexpr TargetSize DiameterC[] = {
    {"φ2.5", 25}, {"φ3.2", 32}, {"φ3.6", 36}, {"φ4.2", 42}, {"φ5.2", 52}, {"φ5.5", 55}, {"φ6.0", 60},
    {"φ6.5", 65},
};
inline constexpr TargetSize DiameterD[] = {{"φ2.7", 27}, {"φ3.5", 35}, {"φ5.2", 52}};
inline constexpr TargetSize DiameterE[] = {
    {"φ3.2", 32}, {"φ3.6", 36}, {"φ4.2", 42}, {"φ5.2", 52}, {"φ6.4", 64}, {"φ8.0", 80},
};
inline constexpr TargetSize DiameterF[] = {
    {"φ1.5", 15}, {"φ2.0", 20}, {"φ2.5", 25}, {"φ3.2", 32}, {"φ3.6", 36}, {"φ4.2", 42}, {"φ5.2", 52},
    {"φ5.5", 55}, {"φ6.0", 60}, {"φ6.5", 65}, {"φ8.0", 80},
};
inline constexpr TargetSize DiameterG[] = {
    {"φ2.0", 20}, {"φ2.5", 25}, {"φ3.5", 35}, {"φ5.4", 54}, {"φ6.4", 64},
};
inline constexpr TargetSize DiameterH[] = {
    {"φ2.5", 25}, {"φ2.7", 27}, {"φ3.2", 32}, {"φ3.4", 34}, {"φ3.6", 36}, {"φ4.2", 42}, {"φ5.2", 52},
    {"φ6.4", 64}, {"φ8.0", 80},
};
inline constexpr TargetSize KavgW2[] = {{"φ2.9", 29}, {"φ3.7", 37}};
inline constexpr TargetSize KavgW3[] = {{"φ2.9", 29}, {"φ3.7", 37}, {"φ4.6", 46}};
// Tape widths are stored in whole millimetres.
inline constexpr TargetSize TapeT[] = {{" 5.0 mm", 5}, {" 9.0 mm", 9}, {"12.0 mm", 12}};
inline constexpr TargetSize PlateP4[] = {{" 8.0 mm", 80}, {" 8.5 mm", 85}, {" 9.5 mm", 95}, {"10.0 mm", 100}};
inline constexpr TargetSize PlateP6[] = {
    {" 8.0 mm", 80}, {" 8.5 mm", 85}, {" 9.5 mm", 95}, {"10.0 mm", 100}, {"10.7 mm", 107}, {"12.0 mm", 120},
};
// A KAV label format is width mm × 100 + length mm.
inline constexpr TargetSize LabelL[] = {{"6x17 mm", 617}, {"6x20 mm", 620}, {"6x23 mm", 623}};

namespace kind = qx::model::TargetKind;

inline constexpr TargetEntry TargetsQX780[] = {
    {text::KavTubeEarly,    kind::KavTube,        DiameterA},
    {text::NonPvcTubeEarly, kind::NonPvcTube,     DiameterB},
    {text::GeneralTube,     kind::GeneralTube,    DiameterC},
    {text::HeatShrinkTube,  kind::HeatShrinkTube, DiameterD},
    {text::Tape,            kind::Tape,           TapeT},
    {text::Plate,           kind::Plate03,        PlateP4},
};
inline constexpr TargetEntry TargetsQX790[] = {
    {text::KavTubeEarly,    kind::KavTube,        DiameterA},
    {text::NonPvcTubeEarly, kind::NonPvcTube,     DiameterB},
    {text::GeneralTube,     kind::GeneralTube,    DiameterC},
    {text::HeatShrinkTube,  kind::HeatShrinkTube, DiameterD},
    {text::Tape,            kind::Tape,           TapeT},
    {text::Plate03,         kind::Plate03,        PlateP4},
    {text::Plate05,         kind::Plate05,        PlateP4},
};
inline constexpr TargetEntry TargetsQX900W[] = {
    {text::KavTube,         kind::KavTube,        DiameterE},
    {text::GeneralTube,     kind::GeneralTube,    DiameterF},
    {text::HeatShrinkTube,  kind::HeatShrinkTube, DiameterG},
    {text::NonPvcTube,      kind::NonPvcTube,     DiameterB},
    {text::Tape,            kind::Tape,           TapeT},
};
inline constexpr TargetEntry TargetsQX950W[] = {
    {text::KavTube,         kind::KavTube,        DiameterE},
    {text::GeneralTube,     kind::GeneralTube,    DiameterF},
    {text::HeatShrinkTube,  kind::HeatShrinkTube, DiameterG},
    {text::NonPvcTube,      kind::NonPvcTube,     DiameterB},
    {text::Tape,            kind::Tape,           TapeT},
    {text::Plate05,         kind::Plate05,        PlateP4},
    {text::KavLabel,        kind::KavLabel,       LabelL},
    {text::GeneralLabel,    kind::GeneralLabel,   {}},
};
inline constexpr TargetEntry TargetsQX900W2[] = {
    {text::KavTube,         kind::KavTube,        DiameterH},
    {text::KavgTube,        kind::KavgTube,       KavgW2},
    {text::GeneralTube,     kind::GeneralTube,    DiameterF},
    {text::HeatShrinkTube,  kind::HeatShrinkTube, DiameterG},
    {text::NonPvcTube,      kind::NonPvcTube,     DiameterB},
    {text::Tape,            kind::Tape,           TapeT},
};
inline constexpr TargetEntry TargetsQX950W2[] = {
    {text::KavTube,         kind::KavTube,        DiameterH},
    {text::KavgTube,        kind::KavgTube,       KavgW2},
    {text::GeneralTube,     kind::GeneralTube,    DiameterF},
    {text::HeatShrinkTube,  kind::HeatShrinkTube, DiameterG},
    {text::NonPvcTube,      kind::NonPvcTube,     DiameterB},
    {text::Tape,            kind::Tape,           TapeT},
    {text::Plate05,         kind::Plate05,        PlateP6},
    {text::KavLabel,        kind::KavLabel,       LabelL},
    {text::GeneralLabel,    kind::GeneralLabel,   {}},
};
inline constexpr TargetEntry TargetsQX900W3[] = {
    {text::KavTube,         kind::KavTube,        DiameterH},
    {text::KavgTube,        kind::KavgTube,       KavgW3},
    {text::GeneralTube,     kind::GeneralTube,    DiameterF},
    {text::HeatShrinkTube,  kind::HeatShrinkTube, DiameterG},
    {text::NonPvcTube,      kind::NonPvcTube,     DiameterB},
    {text::Tape,            kind::Tape,           TapeT},
};
inline constexpr TargetEntry TargetsQX950W3[] = {
    {text::KavTube,         kind::KavTube,        DiameterH},
    {text::KavgTube,        kind::KavgTube,       KavgW3},
    {text::GeneralTube,     kind::GeneralTube,    DiameterF},
    {text::HeatShrinkTube,  kind::HeatShrinkTube, DiameterG},
    {text::NonPvcTube,      kind::NonPvcTube,     DiameterB},
    {text::Tape,            kind::Tape,           TapeT},
    {text::Plate05,         kind::Plate05,        PlateP6},
    {text::KavLabel,        kind::KavLabel,       LabelL},
    {text::GeneralLabel,    kind::GeneralLabel,   {}},
};

/// Target list by model index; the reserved models offer none.
inline constexpr std::array<std::span<const TargetEntry>, 11> TargetsByModel{{
    TargetsQX780,
    TargetsQX790,
    TargetsQX900W,
    TargetsQX950W,
    {},
    TargetsQX900W2,
    TargetsQX950W2,
    {},
    TargetsQX900W3,
    TargetsQX950W3,
    {},
}};

// ---- Printable band heights ------------------------------------------------------------------

struct SizeHeight {
    int size = 0;
    int dots = 0;
};

struct KindHeights {
    int kind = 0;
    std::span<const SizeHeight> sizes;
};

inline constexpr SizeHeight TapeHeights[] = {{5, 35}, {9, 88}, {12, 88}};
inline constexpr SizeHeight KavTubeEarlyHeights[] = {
    {32, 36}, {36, 36}, {42, 47}, {52, 55}, {64, 55}, {80, 55},
};
inline constexpr SizeHeight KavTubeLaterHeights[] = {
    {25, 35}, {27, 35}, {32, 46}, {34, 46}, {36, 46}, {42, 47}, {52, 55}, {64, 55}, {80, 55},
};
inline constexpr SizeHeight GeneralTubeEarlyHeights[] = {
    {15, 16}, {20, 16}, {25, 23}, {32, 36}, {36, 36}, {42, 47}, {52, 55}, {55, 55}, {60, 55}, {65, 55},
    {80, 55},
};
inline constexpr SizeHeight GeneralTubeLaterHeights[] = {
    {15, 16}, {20, 16}, {25, 35}, {32, 46}, {36, 46}, {42, 47}, {52, 55}, {55, 55}, {60, 55}, {65, 55},
    {80, 55},
};
inline constexpr SizeHeight HeatShrinkEarlyHeights[] = {
    {20, 16}, {25, 23}, {27, 23}, {35, 36}, {52, 78}, {54, 78}, {64, 78},
};
inline constexpr SizeHeight HeatShrinkLaterHeights[] = {
    {20, 16}, {25, 35}, {35, 46}, {52, 78}, {54, 78}, {64, 78},
};
inline constexpr SizeHeight NonPvcTubeHeights[] = {
    {32, 36}, {36, 36}, {42, 47}, {52, 55}, {64, 55}, {80, 55},
};
inline constexpr SizeHeight PlateEarlyHeights[] = {{80, 78}, {85, 82}, {95, 88}, {100, 88}};
inline constexpr SizeHeight PlateLaterHeights[] = {
    {80, 78}, {85, 82}, {95, 88}, {100, 88}, {107, 88}, {120, 88},
};
inline constexpr SizeHeight IdPlateEarlyHeights[] = {{25, 16}, {46, 30}, {63, 52}, {90, 88}};
inline constexpr SizeHeight IdPlateLaterHeights[] = {{25, 16}, {41, 24}, {46, 30}, {63, 52}, {90, 88}};
inline constexpr SizeHeight OvalTubeEarlyHeights[] = {
    {25, 23}, {32, 36}, {36, 36}, {42, 47}, {52, 55}, {55, 55}, {65, 55},
};
inline constexpr SizeHeight OvalTubeLaterHeights[] = {
    {25, 35}, {32, 46}, {36, 46}, {42, 47}, {52, 55}, {55, 55}, {65, 55},
};
inline constexpr SizeHeight KavgTubeW2Heights[] = {{29, 35}, {37, 46}};
inline constexpr SizeHeight KavgTubeW3Heights[] = {{29, 35}, {37, 46}, {46, 50}};

/// Models 0 to 4.
inline constexpr KindHeights PrintHeightsEarly[] = {
    {kind::Tape,           TapeHeights},
    {kind::KavTube,        KavTubeEarlyHeights},
    {kind::GeneralTube,    GeneralTubeEarlyHeights},
    {kind::HeatShrinkTube, HeatShrinkEarlyHeights},
    {kind::NonPvcTube,     NonPvcTubeHeights},
    {kind::Plate03,        PlateEarlyHeights},
    {kind::Plate05,        PlateEarlyHeights},
    {kind::IdPlate,        IdPlateEarlyHeights},
    {kind::OvalTube,       OvalTubeEarlyHeights},
};
/// Models 5 to 7.
inline constexpr KindHeights PrintHeightsW2[] = {
    {kind::Tape,           TapeHeights},
    {kind::KavTube,        KavTubeLaterHeights},
    {kind::GeneralTube,    GeneralTubeLaterHeights},
    {kind::HeatShrinkTube, HeatShrinkLaterHeights},
    {kind::NonPvcTube,     NonPvcTubeHeights},
    {kind::Plate03,        PlateLaterHeights},
    {kind::Plate05,        PlateLaterHeights},
    {kind::IdPlate,        IdPlateLaterHeights},
    {kind::OvalTube,       OvalTubeLaterHeights},
    {kind::KavgTube,       KavgTubeW2Heights},
};
/// Models 8 and above.
inline constexpr KindHeights PrintHeightsW3[] = {
    {kind::Tape,           TapeHeights},
    {kind::KavTube,        KavTubeLaterHeights},
    {kind::GeneralTube,    GeneralTubeLaterHeights},
    {kind::HeatShrinkTube, HeatShrinkLaterHeights},
    {kind::NonPvcTube,     NonPvcTubeHeights},
    {kind::Plate03,        PlateLaterHeights},
    {kind::Plate05,        PlateLaterHeights},
    {kind::IdPlate,        IdPlateLaterHeights},
    {kind::OvalTube,       OvalTubeLaterHeights},
    {kind::KavgTube,       KavgTubeW3Heights},
};

/// The printable band of a label never exceeds this many dots.
inline constexpr int LabelHeightCap = 88;

// ---- Characters ------------------------------------------------------------------------------

/// Cell of each character size index, 1.3 mm to 6.0 mm.
inline constexpr GlyphCell GlyphCells[] = {
    {16, 16},
    {18, 23},
    {22, 28},
    {26, 35},
    {36, 46},
    {52, 70},
};

namespace width {
inline constexpr std::uint8_t Standard = 0;
inline constexpr std::uint8_t Half = 1;
inline constexpr std::uint8_t Double = 2;
} // namespace width

/// Gap in dots by stored code: the character codes run standard, narrow, close, wide, the line
/// codes standard, narrow, wide, close.
inline constexpr int CharGapDots[] = {5, 2, 0, 10};
inline constexpr int LineGapDots[] = {5, 2, 10, 0};

namespace gap {
inline constexpr std::uint8_t Standard = 0;
inline constexpr std::uint8_t Narrow = 1;
inline constexpr std::uint8_t CharClose = 2;
inline constexpr std::uint8_t LineClose = 3;
} // namespace gap

/// The signs that the 2.4 mm size prints besides letters and digits (models from 5 on), with
/// their full-width codes.
struct SymbolAt24 {
    char ascii;
    std::uint16_t code;
};
inline constexpr SymbolAt24 SymbolsAt24[] = {
    {'!', 0x212A},
    {'?', 0x2129},
    {'#', 0x2174},
    {'(', 0x214A},
    {')', 0x214B},
    {'~', 0x2141},
    {'=', 0x2161},
    {'/', 0x213F},
    {'*', 0x2176},
    {'+', 0x215C},
    {'-', 0x215D},
    {' ', 0x2121},
    {',', 0x2124},
    {'.', 0x2125},
};

// ---- Automatic character size ----------------------------------------------------------------

inline constexpr AutoSizeCandidate NormalAuto[] = {
    {0, width::Half,     gap::Narrow, gap::Narrow},
    {0, width::Standard, gap::Narrow, gap::Narrow},
    {1, width::Half,     gap::Narrow, gap::Narrow},
    {1, width::Standard, gap::Narrow, gap::Narrow},
    {2, width::Standard, gap::Narrow, gap::Narrow},
    {3, width::Standard, gap::Narrow, gap::Narrow},
    {4, width::Standard, gap::Narrow, gap::Narrow},
    {5, width::Standard, gap::Narrow, gap::Narrow},
};

inline constexpr AutoSizeCandidate ExtendedAuto[] = {
    {0, width::Half,     gap::CharClose, gap::LineClose},
    {0, width::Half,     gap::Narrow,    gap::Narrow},
    {0, width::Half,     gap::Standard,  gap::Standard},
    {0, width::Standard, gap::CharClose, gap::LineClose},
    {0, width::Standard, gap::Narrow,    gap::Narrow},
    {0, width::Standard, gap::Standard,  gap::Standard},
    {1, width::Half,     gap::CharClose, gap::LineClose},
    {1, width::Half,     gap::Narrow,    gap::Narrow},
    {1, width::Half,     gap::Standard,  gap::Standard},
    {1, width::Standard, gap::CharClose, gap::LineClose},
    {1, width::Standard, gap::Narrow,    gap::Narrow},
    {1, width::Standard, gap::Standard,  gap::Standard},
    {2, width::Standard, gap::CharClose, gap::LineClose},
    {2, width::Standard, gap::Narrow,    gap::Narrow},
    {2, width::Standard, gap::Standard,  gap::Standard},
    {3, width::Standard, gap::CharClose, gap::LineClose},
    {3, width::Standard, gap::Narrow,    gap::Narrow},
    {3, width::Standard, gap::Standard,  gap::Standard},
    {4, width::Standard, gap::CharClose, gap::LineClose},
    {4, width::Standard, gap::Narrow,    gap::Narrow},
    {4, width::Standard, gap::Standard,  gap::Standard},
    {5, width::Standard, gap::CharClose, gap::LineClose},
    {5, width::Standard, gap::Narrow,    gap::Narrow},
    {5, width::Standard, gap::Standard,  gap::Standard},
};

inline constexpr AutoSizeCandidate WidthAuto[] = {
    {KeepAutoTextSize, width::Half,     gap::CharClose, gap::LineClose},
    {KeepAutoTextSize, width::Half,     gap::Narrow,    gap::Narrow},
    {KeepAutoTextSize, width::Half,     gap::Standard,  gap::Standard},
    {KeepAutoTextSize, width::Standard, gap::CharClose, gap::LineClose},
    {KeepAutoTextSize, width::Standard, gap::Narrow,    gap::Narrow},
    {KeepAutoTextSize, width::Standard, gap::Standard,  gap::Standard},
};

// ---- Choice lists ----------------------------------------------------------------------------

/// Newest model first; the reserved models are never offered.
inline constexpr Choice ModelList[] = {
    {"QX-950W3", models::QX950W3},
    {"QX-900W3", models::QX900W3},
    {"QX-950W2", models::QX950W2},
    {"QX-900W2", models::QX900W2},
    {"QX-950W",  models::QX950W},
    {"QX-900W",  models::QX900W},
    {"QX-790",   models::QX790},
    {"QX-780",   models::QX780},
};
inline constexpr Choice CharSizes[] = {
    {"1.3 mm", 0}, {"2.0 mm", 1}, {"2.4 mm", 2}, {"3.0 mm", 3}, {"4.0 mm", 4}, {"6.0 mm", 5},
};
inline constexpr Choice CharWidths[] = {{"標準", 0}, {"半角", 1}, {"倍角", 2}};
inline constexpr Choice NumberSystemsEarly[] = {
    {" 8進数", 0}, {"10進数", 1}, {"16進数", 2}, {"ｱﾙﾌｧﾍﾞｯﾄ英大", 3},
};
inline constexpr Choice NumberSystems[] = {
    {" 8進数", 0}, {"10進数", 1}, {"16進数", 2}, {"アルファベット(大)", 3}, {"アルファベット(小)", 4},
};
inline constexpr Choice ReverseChoices[] = {{"しない", 0}, {"する", 1}};
inline constexpr Choice Directions[] = {{"横書き", 0}, {"縦書き", 1}};
inline constexpr Choice CharSpacings[] = {{"標準", 0}, {"狭い", 1}, {"密着", 2}, {"広い", 3}};
inline constexpr Choice LineSpacings[] = {{"標準", 0}, {"狭い", 1}, {"密着", 3}, {"広い", 2}};
inline constexpr Choice PitchCuts[] = {{"ﾊｰﾌｶｯﾄ", 1}, {"実線", 2}, {"点線", 3}, {"なし", 0}};
inline constexpr Choice FramesEarly[] = {{"あり", 1}, {"なし", 0}};
inline constexpr Choice Frames[] = {{"なし", 0}, {"狭い", 1}, {"標準", 2}, {"広い", 3}};
inline constexpr Choice PitchModes[] = {{"AUTO", 1}, {"指定", 0}};
inline constexpr Choice Placements[] = {{"中央", 1}, {"前", 0}, {"後", 2}};
inline constexpr Choice SizeModesEarly[] = {{"自動", 1}, {"指定", 0}};
inline constexpr Choice SizeModes[] = {{"通常ｵｰﾄ", 1}, {"拡張ｵｰﾄ", 2}, {"文字幅ｵｰﾄ", 3}, {"指定", 0}};
inline constexpr Choice SequenceOutputs[] = {{"すべて(奇数、偶数両方)", 0}, {"奇数のみ", 1}, {"偶数のみ", 2}};
inline constexpr Choice PrintFonts[] = {{"標準", 0}, {"太字", 1}, {"明快", 2}, {"正方形", 3}};
inline constexpr Choice Underlines[] = {{"しない", 0}, {"する", 1}};
inline constexpr Choice ZeroSlashes[] = {{"なし", 0}, {"あり", 1}};

} // namespace qx::model::tables

namespace qx::model::tables {

/// Display string of each target kind: on first-generation models and on the later ones.
struct KindText {
    int kind;
    int firstGeneration;
    int later;
};
inline constexpr KindText KindTexts[] = {
    {kind::Tape,           text::Tape,            text::Tape},
    {kind::KavTube,        text::KavTubeEarly,    text::KavTube},
    {kind::GeneralTube,    text::GeneralTube,     text::GeneralTube},
    {kind::HeatShrinkTube, text::HeatShrinkTube,  text::HeatShrinkTube},
    {kind::NonPvcTube,     text::NonPvcTubeEarly, text::NonPvcTube},
    {kind::Plate03,        text::Plate03,         text::Plate03},
    {kind::Plate05,        text::Plate05,         text::Plate05},
    {kind::KavLabel,       text::KavLabel,        text::KavLabel},
    {kind::GeneralLabel,   text::GeneralLabel,    text::GeneralLabel},
    {kind::FlatTube,       text::FlatTube,        text::FlatTube},
    {kind::IdPlate,        text::IdPlate,         text::IdPlate},
    {kind::OvalTube,       text::OvalTube,        text::OvalTube},
    {kind::KavgTube,       text::KavgTube,        text::KavgTube},
};

} // namespace qx::model::tables
