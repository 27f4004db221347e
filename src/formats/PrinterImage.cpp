#include "PrinterImage.h"

#include "model/Catalogue.h"
#include "model/CharCode.h"
#include "model/SettingRow.h"

#include <algorithm>
#include <array>

namespace qx::formats {

using model::SettingRow;

ImageVersion imageVersionFor(model::ModelType model) {
    switch (model) {
    case 0:
        return 3;
    case 1:
        return 6;
    case 2:
        return 8;
    case 3:
    case 4:
        return 9;
    case 5:
        return 11;
    case 6:
    case 7:
        return 12;
    default:
        return 14;
    }
}

VersionText versionText(ImageVersion version) {
    constexpr std::string_view pattern = "QX700  ##.00 JPN";
    static_assert(pattern.size() == newest::VersionTextSize);
    VersionText text{};
    std::copy(pattern.begin(), pattern.end(), text.begin());
    const int v = ((version % 100) + 100) % 100;
    text[7] = v >= 10 ? static_cast<std::uint8_t>('0' + v / 10) : static_cast<std::uint8_t>(' ');
    text[8] = static_cast<std::uint8_t>('0' + v % 10);
    return text;
}

ImageVersion versionFromText(std::span<const std::uint8_t> text) {
    std::size_t i = 6;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    int value = 0;
    // The text has room for a few digits only; stop long before an int could overflow.
    for (int digits = 0; i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 6; ++i, ++digits) {
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

PrinterImage::PrinterImage() : m_bytes(Size, 0) {}

std::uint8_t PrinterImage::byte(std::size_t offset) const {
    return offset < Size ? m_bytes[offset] : 0;
}

void PrinterImage::setByte(std::size_t offset, std::uint8_t value) {
    if (offset < Size) {
        m_bytes[offset] = value;
    }
}

std::uint16_t PrinterImage::word(std::size_t offset) const {
    if (offset >= Size || Size - offset < 2) {
        return 0;
    }
    return static_cast<std::uint16_t>((m_bytes[offset] << 8) | m_bytes[offset + 1]);
}

void PrinterImage::setWord(std::size_t offset, std::uint16_t value) {
    if (offset >= Size || Size - offset < 2) {
        return;
    }
    m_bytes[offset] = static_cast<std::uint8_t>(value >> 8);
    m_bytes[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

VersionText PrinterImage::versionText() const {
    VersionText text{};
    std::copy_n(m_bytes.begin() + newest::VersionText, text.size(), text.begin());
    return text;
}

void PrinterImage::setVersionText(const VersionText& text) {
    std::copy(text.begin(), text.end(), m_bytes.begin() + newest::VersionText);
}

std::uint16_t PrinterImage::streamWord(std::size_t i) const {
    return i < newest::TextStreamWords ? word(newest::TextStream + 2 * i) : 0;
}

void PrinterImage::setStreamWord(std::size_t i, std::uint16_t value) {
    if (i < newest::TextStreamWords) {
        setWord(newest::TextStream + 2 * i, value);
    }
}

namespace {

PrinterImage buildDefaultImage(const model::Catalogue& catalogue) {
    namespace ns = newest::settings;
    namespace nr = newest::record;
    const auto value = [&](SettingRow row) { return catalogue.settingRange(row).defaultValue; };
    const auto word = [&](SettingRow row) { return static_cast<std::uint16_t>(value(row)); };
    const auto low = [&](SettingRow row) { return static_cast<std::uint8_t>(value(row)); };

    PrinterImage image;
    image.setWord(newest::FirstWord, word(SettingRow::TargetKind));
    image.setVersionText(versionText(imageVersionFor(catalogue.model())));
    image.setStreamWord(0, model::codes::PitchGroupMarker);
    image.setStreamWord(1, model::codes::Line1Marker);

    for (std::size_t r = 0; r < newest::BlockRecordCount; ++r) {
        for (std::size_t l = 0; l < 4; ++l) {
            image.setByte(PrinterImage::recordOffset(r, nr::CharSizes + l), low(SettingRow::TextSize));
            image.setByte(PrinterImage::recordOffset(r, nr::CharWidths + l), low(SettingRow::TextWidth));
        }
        image.setWord(PrinterImage::recordOffset(r, nr::Count), word(SettingRow::CountTube));
        image.setByte(PrinterImage::recordOffset(r, nr::LineCountMinusOne),
                      low(SettingRow::LineCountMinusOne));
        image.setByte(PrinterImage::recordOffset(r, nr::Reverse), low(SettingRow::Reverse));
        image.setWord(PrinterImage::recordOffset(r, nr::Underline), word(SettingRow::Underline));
    }

    const auto setSetting = [&](std::size_t offset, SettingRow row) {
        image.setWord(PrinterImage::settingsOffset(offset), word(row));
    };
    setSetting(ns::TargetKind, SettingRow::TargetKind);
    setSetting(ns::TargetSize, SettingRow::TargetSize);
    setSetting(ns::SizeMode, SettingRow::SizeMode);
    setSetting(ns::Direction, SettingRow::Direction);
    setSetting(ns::Frame, SettingRow::Frame);
    setSetting(ns::CharSpacing, SettingRow::CharSpacing);
    setSetting(ns::LineSpacing, SettingRow::LineSpacing);
    setSetting(ns::PitchCut, SettingRow::PitchCut);
    setSetting(ns::LeftMargin, SettingRow::LeftMargin);
    setSetting(ns::RightMargin, SettingRow::RightMargin);
    setSetting(ns::Placement, SettingRow::Placement);
    for (std::size_t i = 0; i < ns::ExtraSettingsWords; ++i) {
        setSetting(ns::ExtraSettings + 2 * i,
                   static_cast<SettingRow>(static_cast<int>(SettingRow::Extra1) + static_cast<int>(i)));
    }
    for (std::size_t e = 0; e < ns::PitchTableEntries; ++e) {
        image.setWord(PrinterImage::pitchOffset(e), word(SettingRow::PitchTube));
    }
    setSetting(ns::PrintLength, SettingRow::PrintLength);
    for (std::size_t e = 0; e < ns::SequenceEntries; ++e) {
        const std::size_t at = PrinterImage::sequenceOffset(e);
        image.setByte(at + newest::sequence::Mode, low(SettingRow::SequenceMode));
        image.setByte(at + newest::sequence::Digits, low(SettingRow::SequenceDigits));
        image.setWord(at + newest::sequence::Start, word(SettingRow::DecimalRange));
        image.setWord(at + newest::sequence::End, word(SettingRow::DecimalRange));
        image.setByte(at + newest::sequence::Output, low(SettingRow::SequenceOutput));
    }
    setSetting(ns::PrintCount, SettingRow::PrintCount);
    setSetting(ns::PitchAuto, SettingRow::PitchAuto);
    setSetting(ns::LabelWidth, SettingRow::LabelWidth);
    setSetting(ns::LabelLength, SettingRow::LabelLength);
    setSetting(ns::LabelGap, SettingRow::LabelGap);
    setSetting(ns::PrintFont, SettingRow::PrintFont);
    image.setByte(PrinterImage::settingsOffset(ns::AutoTextSize), low(SettingRow::TextSize));
    setSetting(ns::ZeroSlash, SettingRow::ZeroSlash);

    image.setWord(newest::BlocksMinusOne, word(SettingRow::BlockCountMinusOne));
    image.setWord(newest::PitchEntryCount, word(SettingRow::PitchSettingCount));
    image.setWord(newest::Trailer, 0xFFFF);
    return image;
}

constexpr model::ModelType ModelIndexes = 11;

} // namespace

PrinterImage defaultImage(const model::Catalogue& catalogue) {
    // Every image of a model starts from the same bytes: built once per model, then copied.
    static const std::array<PrinterImage, ModelIndexes> images = [] {
        std::array<PrinterImage, ModelIndexes> built;
        for (model::ModelType m = 0; m < ModelIndexes; ++m) {
            built[static_cast<std::size_t>(m)] = buildDefaultImage(model::Catalogue(m));
        }
        return built;
    }();
    const model::ModelType m = catalogue.model();
    if (m < 0 || m >= ModelIndexes) {
        return buildDefaultImage(catalogue);
    }
    return images[static_cast<std::size_t>(m)];
}

} // namespace qx::formats
