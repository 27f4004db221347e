#pragma once

// The sample document of the golden files, built byte by byte from the layout tables (offsets typed
// here again, independently of src/formats), and the record it stands for.

#include "ImageTestSupport.h"
#include "model/Catalogue.h"
#include "model/EditData.h"

#include <string>

namespace qx::formats::test {

/// Where a layout puts things, as the layout tables give it.
struct HandLayout {
    std::size_t size, textBytes, records, recordCount, recordSize, settings, seqEntrySize, pitchEntries,
        seqEntries, printCount, pitchAuto, labels, blocksMinusOne, pitchEntryCount, sendSettings, trailer;
    bool newest;
};

// 0 marks a field the layout does not have.
// Columns: size, text bytes, records, record count, record size, settings, sequence entry size,
// pitch entries, sequence entries, then within the settings part printCount, pitchAuto, labels,
// then in the image blocks minus one, pitch entry count, sendSettings, trailer; newest layout.
// clang-format off
constexpr HandLayout L2596{2596, 1414, 1432, 101, 10, 2442, 6, 6, 16,
                           146, 0, 0, 2590, 2592, 0, 2594, false};
constexpr HandLayout L7790{7790, 4004, 4022, 301, 12, 7634, 6, 6, 16,
                           146, 148, 0, 7784, 7786, 0, 7788, false};
constexpr HandLayout L13790{13790, 10004, 10022, 301, 12, 13634, 6, 6, 16,
                            146, 148, 0, 13784, 13786, 0, 13788, false};
constexpr HandLayout L13852{13852, 10004, 10022, 301, 12, 13634, 8, 6, 16,
                            178, 180, 182, 13824, 13826, 13828, 13850, false};
constexpr HandLayout LNewest{28476, 10004, 10022, 1000, 16, 26022, 8, 1000, 46,
                             2406, 2408, 2410, 28446, 28448, 28450, 28474, true};
// clang-format on

inline std::string versionTextOf(int v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "QX700  %2d.00 JPN", v);
    return std::string(buf, 16);
}

/// One block of a hand-made image.
struct HandBlock {
    std::vector<int> sizes{3, 3, 3, 3};
    std::vector<int> widths{0, 0, 0, 0};
    int count = 2, linesMinusOne = 0, reverse = 0, underline = 0, reserved = 0;
};

/// An image in layout `L` with every field at the default image's value, then the given stream,
/// blocks and pitch table; v1400 writes zeroSlash into the last settings word.
inline ByteBuilder handImage(const HandLayout& L, int version, const std::vector<int>& stream,
                             const std::vector<HandBlock>& blocks, const std::vector<int>& pitches,
                             bool v1400) {
    ByteBuilder b(L.size);
    const std::size_t S = L.settings;
    b.u16(0, 1).text(2, versionTextOf(version));
    for (std::size_t i = 0; i < stream.size() && 2 * i < L.textBytes; ++i) {
        b.u16(18 + 2 * i, stream[i]);
    }
    for (std::size_t r = 0; r < L.recordCount; ++r) {
        const HandBlock h = r < blocks.size() ? blocks[r] : HandBlock{};
        const std::size_t at = L.records + r * L.recordSize;
        for (std::size_t l = 0; l < 4; ++l) {
            b.u8(at + l, h.sizes[l]).u8(at + 4 + l, h.widths[l]);
        }
        if (L.newest) {
            b.u16(at + 8, h.count).u8(at + 10, h.linesMinusOne).u8(at + 11, h.reverse);
            b.u16(at + 12, h.underline).u16(at + 14, h.reserved);
        } else {
            b.u8(at + 8, h.count).u8(at + 9, h.linesMinusOne);
            if (L.recordSize == 12) {
                b.u8(at + 10, h.reverse).u8(at + 11, h.reserved);
            }
        }
    }
    // targetKind, targetSize, sizeMode, direction, frame, charSpacing, lineSpacing, pitchCut,
    // leftMargin, rightMargin, placement, extraSettings ×7
    b.words(S, {1, 32, 1, 1, 2, 3, 2, 1, 2, 2, 0, 1, 4, -5, 30, 1, 0, 1});
    for (std::size_t e = 0; e < L.pitchEntries; ++e) {
        b.u16(S + 36 + 2 * e, e < pitches.size() ? pitches[e] : 200);
    }
    b.u16(S + 36 + 2 * L.pitchEntries, 25); // printLength
    for (std::size_t e = 0; e < L.seqEntries; ++e) {
        b.u8(S + 38 + 2 * L.pitchEntries + e * L.seqEntrySize, 1); // mode 1, the rest 0
    }
    b.u16(S + L.printCount, 4);
    if (L.pitchAuto != 0) {
        b.u16(S + L.pitchAuto, 0);
    }
    if (L.labels != 0) {
        b.words(S + L.labels, {55, 200, 20});
    }
    if (L.newest) {
        b.u16(S + 2418, 2).u8(S + 2420, 2).u16(S + 2422, v1400 ? 1 : 0); // printFont 明快, autoTextSize
    }
    b.u16(L.blocksMinusOne, static_cast<int>(blocks.size()) - 1);
    b.u16(L.pitchEntryCount, static_cast<int>(pitches.size()));
    if (L.sendSettings != 0) {
        b.words(L.sendSettings, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    }
    b.u16(L.trailer, 0xFFFF);
    return b;
}

/// The two one-line blocks A and BC of one pitch (15.0 mm), with some attributes off their defaults.
inline const std::vector<int> sampleStream{0x2F21, 0x2F22, 0x2341, 0x2F22, 0x2342, 0x2343, 0};

inline std::vector<HandBlock> sampleBlocks() {
    HandBlock first;
    first.sizes = {4, 3, 3, 3};
    first.widths = {1, 0, 0, 0};
    first.count = 3;
    first.reverse = 1;
    first.underline = 1;
    first.reserved = 7;
    return {first, HandBlock{}};
}

/// The record that the sample image of layout L stands for (what that layout can hold of it).
inline model::EditData sampleRecord(const model::Catalogue& catalogue, const HandLayout& L) {
    model::EditData d = model::createEditData(catalogue, 1);
    model::TargetSettings& t = d.target;
    t.targetKind = 1;
    t.targetSize = 32;
    t.printLength = 25;
    t.printCount = 4;
    t.placement = 0;
    t.direction = 1;
    t.charSpacing = 3;
    t.lineSpacing = 2;
    t.frame = 2;
    t.frameGap = 2;
    t.labelWidth = static_cast<std::int16_t>(L.labels != 0 ? 55 : 60);
    t.printFont = static_cast<std::int16_t>(L.newest ? 2 : 0);
    t.autoTextSize = static_cast<std::uint8_t>(L.newest ? 2 : 3);
    t.zeroSlash = static_cast<std::int16_t>(L.newest ? 1 : 0);
    d.extraSettings = {1, 4, -5, 30, 1, 0, 1};
    if (L.sendSettings != 0) {
        d.sendSettings = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    }
    d.blockCount = 2;
    model::EditBlock& a = d.block(0);
    a.lines[0].chars = {0x2341};
    a.lines[0].charSize = 4;
    a.lines[0].charWidth = 1;
    a.count = 3;
    a.reverse = static_cast<std::uint8_t>(L.recordSize >= 12 ? 1 : 0);
    a.underline = static_cast<std::int16_t>(L.newest ? 1 : 0);
    a.reserved = static_cast<std::int16_t>(L.recordSize >= 12 ? 7 : 0);
    d.block(1).lines[0].chars = {0x2342, 0x2343};
    a.pitch = d.block(1).pitch = 150;
    return d;
}

} // namespace qx::formats::test
