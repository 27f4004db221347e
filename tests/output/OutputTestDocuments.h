#pragma once

// Small builders for the documents of the measurement, auto-size and validation tests.

#include "model/Catalogue.h"
#include "model/CharCode.h"
#include "model/EditData.h"
#include "model/SequenceDefinition.h"

#include <string_view>

namespace qx::output::testdocs {

inline constexpr std::uint16_t PitchLengthMode = 0x2F21;
inline constexpr std::uint16_t PrintLengthMode = 0x2F22;
inline constexpr model::CharCode Kanji = 0x3021;  ///< "亜": no 2.4 mm glyph
inline constexpr model::CharCode Symbol = 0x2A21; ///< a printer symbol: no single-byte form

/// ASCII letters, digits and signs as their full-width codes; '$' is a sequence token, '@' a
/// kanji and '&' a printer symbol.
inline model::CodeList codesOf(std::string_view text) {
    model::CodeList codes;
    for (const char c : text) {
        model::CharCode code = model::codes::FullWidthBlank;
        if (c >= '0' && c <= '9')
            code = static_cast<model::CharCode>(0x2330 + (c - '0'));
        else if (c >= 'A' && c <= 'Z')
            code = static_cast<model::CharCode>(0x2341 + (c - 'A'));
        else if (c >= 'a' && c <= 'z')
            code = static_cast<model::CharCode>(0x2361 + (c - 'a'));
        else if (c == '-')
            code = 0x215D;
        else if (c == '.')
            code = 0x2125;
        else if (c == '$')
            code = model::codes::SequenceMarker;
        else if (c == '@')
            code = Kanji;
        else if (c == '&')
            code = Symbol;
        codes.push_back(code);
    }
    return codes;
}

/// A one-block pitch-length document on a φ3.2 KAV tube (print height 36 dots on models below 5,
/// 46 from 5 on) with pitch 20.0 mm (189 printable dots), size mode `sizeMode`.
inline model::EditData newDocument(const model::Catalogue& catalogue, int sizeMode) {
    model::EditData data = model::createEditData(catalogue, 1);
    data.target.sizeMode = static_cast<std::int16_t>(sizeMode);
    return data;
}

/// Sets line `line` of block `block` and raises the block's line count to cover it.
inline void setLine(model::EditData& data, int block, int line, std::string_view text, int size,
                    int width = 0) {
    model::EditBlock& b = data.block(block);
    model::EditLine& l = b.lines[static_cast<std::size_t>(line)];
    l.chars = codesOf(text);
    l.charSize = static_cast<std::uint8_t>(size);
    l.charWidth = static_cast<std::uint8_t>(width);
    if (b.lineCount < line + 1)
        b.lineCount = static_cast<std::int8_t>(line + 1);
}

inline model::tagSEQ_V900 decimalRun(int start, int end, int output = 0, int digits = 0) {
    return {1,
            static_cast<std::uint8_t>(digits),
            static_cast<std::uint16_t>(start),
            static_cast<std::uint16_t>(end),
            static_cast<std::uint8_t>(output),
            0};
}

inline void addSequence(model::EditData& data, int block, const model::tagSEQ_V900& definition) {
    data.block(block).appendSequence(definition);
}

} // namespace qx::output::testdocs
