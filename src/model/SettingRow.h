#pragma once

namespace qx::model {

/// The rows of the {lower, upper, default} table of every setting, in table order.
enum class SettingRow : int {
    TextSize = 0,          ///< character size index of a new line ("TextSize")
    TextWidth = 1,         ///< character width of a new line ("TextWidth")
    CountOther = 2,        ///< continuous count of non-tube kinds ("NumberTape")
    CountTube = 3,         ///< continuous count of tubes ("NumberTube"); count of a new block
    LineCountMinusOne = 4, ///< lines in use minus one
    Reverse = 5,
    TargetKind = 6,
    TargetSize = 7,
    SizeMode = 8,
    Direction = 9,
    Frame = 10,
    CharSpacing = 11,
    LineSpacing = 12,
    Unused13 = 13,
    PitchCut = 14,
    LeftMargin = 15,
    RightMargin = 16,
    Placement = 17,
    Extra1 = 18,
    Extra2 = 19,
    Extra3 = 20,
    Extra4 = 21,
    Extra5 = 22,
    Extra6 = 23,
    Extra7 = 24,
    PitchPlate = 25,
    PitchTape = 26, ///< "PitchLenTape"
    PitchTube = 27, ///< "PitchLenTube"; pitch of a new block
    PrintLength = 28,
    SequenceMode = 29,
    SequenceDigits = 30, ///< its upper limit is also the longest start/end text
    OctalRange = 31,
    DecimalRange = 32,
    HexRange = 33,
    UpperCaseRange = 34,
    PrintCount = 35,
    PitchAuto = 36,
    BlockCountMinusOne = 37,
    PitchSettingCount = 38,
    MemoryNumber = 39,
    Copies = 40,
    FirstBlock = 41, ///< upper limit is the model's block limit
    LastBlock = 42,  ///< upper limit and default are the model's block limit
    LengthRevision = 43,
    CutPosition = 44,  ///< "CutPotision"
    PrintOffsetY = 45, ///< "Prnoffsety"
    FrontFeed = 46,
    LowTempMode = 47,
    SeqOrder = 48,
    HeatVolume = 49,
    LabelWidth = 50,
    LabelLength = 51,
    LabelGap = 52,
    PitchLabel = 53,
    PitchIdPlate = 54,
    LowerCaseRange = 55,
    SequenceOutput = 56,
    FrameGap = 57,
    PrintFont = 58,
    Underline = 59,
    ZeroSlash = 60,
};

inline constexpr int SettingRowCount = 61;

struct SettingRange {
    int lower = 0;
    int upper = 0;
    int defaultValue = 0;

    friend bool operator==(const SettingRange&, const SettingRange&) = default;
};

} // namespace qx::model
