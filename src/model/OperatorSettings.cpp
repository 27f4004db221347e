#include "OperatorSettings.h"

#include "Catalogue.h"

namespace qx::model {

namespace {

template <typename T> T defaultOf(const Catalogue& catalogue, SettingRow row) {
    return static_cast<T>(catalogue.settingRange(row).defaultValue);
}

} // namespace

OperatorSettings OperatorSettings::defaultsFor(const Catalogue& catalogue) {
    OperatorSettings s;
    s.textSize = defaultOf<std::uint8_t>(catalogue, SettingRow::TextSize);
    s.textWidth = defaultOf<std::uint8_t>(catalogue, SettingRow::TextWidth);
    s.numberTube = defaultOf<std::int16_t>(catalogue, SettingRow::CountTube);
    s.numberTape = defaultOf<std::int16_t>(catalogue, SettingRow::CountOther);
    s.pitchLenTube = defaultOf<std::int16_t>(catalogue, SettingRow::PitchTube);
    s.pitchLenTape = defaultOf<std::int16_t>(catalogue, SettingRow::PitchTape);
    s.defaultCfDrive.clear();
    s.frameGap = defaultOf<std::uint8_t>(catalogue, SettingRow::FrameGap);
    s.printFont = defaultOf<std::uint8_t>(catalogue, SettingRow::PrintFont);
    // With no stored choice the slashed zero follows the font: the clear font (明快) prints it.
    s.zeroSlash = s.printFont == 2 ? 1 : 0;
    s.modelType = catalogue.model();
    s.print.heatVolume = defaultOf<std::int16_t>(catalogue, SettingRow::HeatVolume);
    s.print.cutPosition = defaultOf<std::int16_t>(catalogue, SettingRow::CutPosition);
    s.print.frontFeed = defaultOf<std::int16_t>(catalogue, SettingRow::FrontFeed);
    s.print.lowTempMode = defaultOf<std::int16_t>(catalogue, SettingRow::LowTempMode);
    s.print.seqOrder = defaultOf<std::int16_t>(catalogue, SettingRow::SeqOrder);
    s.print.printOffsetY = defaultOf<std::int16_t>(catalogue, SettingRow::PrintOffsetY);
    return s;
}

} // namespace qx::model
