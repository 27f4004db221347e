#include "ClipboardPayload.h"

#include <algorithm>
#include <array>

namespace qx::formats {

namespace {

constexpr std::size_t HeaderSize = 16;
constexpr std::size_t SequenceSize = 8;
constexpr int LargestCharSize = 5;
constexpr int LargestCharWidth = 2;

constexpr std::array<std::string_view, ClipboardFormatCount> FormatNames{
    "KorvintaRow", "KorvintaNumber", "KorvintaPitch", "KorvintaFormat", "KorvintaAll", "KorvintaColumn",
};

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& out) : m_out(out) {}
    void u8(std::uint8_t v) { m_out.push_back(v); }
    void u16(std::uint16_t v) {
        m_out.push_back(static_cast<std::uint8_t>(v & 0xFF));
        m_out.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
    void i32(std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int shift = 0; shift < 32; shift += 8) {
            m_out.push_back(static_cast<std::uint8_t>((u >> shift) & 0xFF));
        }
    }

private:
    std::vector<std::uint8_t>& m_out;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    [[nodiscard]] std::size_t offset() const { return m_pos; }
    [[nodiscard]] std::size_t left() const { return m_bytes.size() - m_pos; }
    [[nodiscard]] bool has(std::size_t n) const { return left() >= n; }

    // Callers check has() first; reading past the end is a programming fault, not bad input.
    std::uint8_t u8() { return m_bytes[m_pos++]; }
    std::uint16_t u16() {
        const auto lo = m_bytes[m_pos];
        const auto hi = m_bytes[m_pos + 1];
        m_pos += 2;
        return static_cast<std::uint16_t>(lo | (hi << 8));
    }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::int32_t i32() {
        std::uint32_t u = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            u |= static_cast<std::uint32_t>(m_bytes[m_pos++]) << shift;
        }
        return static_cast<std::int32_t>(u);
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
};

void writeSequence(Writer& w, const model::tagSEQ_V900& s) {
    w.u8(s.mode);
    w.u8(s.digits);
    w.u16(s.start);
    w.u16(s.end);
    w.u8(s.output);
    w.u8(s.reserved);
}

void writeBlock(Writer& w, const model::EditBlock& block) {
    for (const model::EditLine& line : block.lines) {
        // A line never holds more than a signed 16-bit count of characters in any file or image.
        const auto n = static_cast<std::int16_t>(std::min<std::size_t>(line.chars.size(), 0x7FFF));
        w.i16(n);
        for (int i = 0; i < n; ++i) {
            w.u16(line.chars[static_cast<std::size_t>(i)]);
        }
        w.u8(line.charSize);
        w.u8(line.charWidth);
    }
    w.u8(static_cast<std::uint8_t>(block.lineCount));
    w.i16(block.count);
    w.i16(block.pitch);
    const int m = std::clamp(block.sequenceCount, 0, model::MaxSequencesPerBlock);
    w.i32(m);
    for (int i = 0; i < m; ++i) {
        writeSequence(w, block.sequences[static_cast<std::size_t>(i)]);
    }
    w.u8(block.reverse);
    w.i16(block.underline);
    w.i16(block.reserved);
}

PayloadReadResult refused(const Reader& r) {
    PayloadReadResult result;
    result.messageId = clipboardMessages::WrongFormat;
    result.failedAt = r.offset();
    return result;
}

/// One block record; false when the bytes cannot be one.
bool readBlock(Reader& r, model::EditBlock& block) {
    for (model::EditLine& line : block.lines) {
        if (!r.has(2)) {
            return false;
        }
        const int n = r.i16();
        // The count must leave room for its characters and the two size bytes.
        if (n < 0 || !r.has(2 * static_cast<std::size_t>(n) + 2)) {
            return false;
        }
        line.chars.resize(static_cast<std::size_t>(n));
        for (auto& c : line.chars) {
            c = r.u16();
        }
        line.charSize = r.u8();
        line.charWidth = r.u8();
        if (line.charSize > LargestCharSize || line.charWidth > LargestCharWidth) {
            return false;
        }
    }
    if (!r.has(1 + 2 + 2 + 4)) {
        return false;
    }
    const int lineCount = r.u8();
    if (lineCount > model::MaxLines) {
        return false;
    }
    block.lineCount = static_cast<std::int8_t>(lineCount);
    block.count = r.i16();
    block.pitch = r.i16();
    const std::int32_t m = r.i32();
    if (m < 0 || m > model::MaxSequencesPerBlock || !r.has(SequenceSize * static_cast<std::size_t>(m) + 5)) {
        return false;
    }
    block.sequenceCount = m;
    for (int i = 0; i < m; ++i) {
        model::tagSEQ_V900& s = block.sequences[static_cast<std::size_t>(i)];
        s.mode = r.u8();
        s.digits = r.u8();
        s.start = r.u16();
        s.end = r.u16();
        s.output = r.u8();
        s.reserved = r.u8();
    }
    block.reverse = r.u8();
    block.underline = r.i16();
    block.reserved = r.i16();
    return true;
}

// Smallest block record: four empty lines (4 bytes each), then 1 + 2 + 2 + 4 + 1 + 2 + 2 bytes.
constexpr std::size_t SmallestBlockRecord = 4 * 4 + 14;

} // namespace

std::string_view clipboardFormatName(ClipboardFormat format) {
    return FormatNames[static_cast<std::size_t>(format)];
}

std::vector<std::uint8_t> writeClipboardPayload(const model::EditData& data, int left, int top, int right,
                                                int bottom) {
    bottom = std::min(bottom, data.blockCount - 1);
    std::vector<std::uint8_t> out;
    Writer w(out);
    w.i32(left);
    w.i32(top);
    w.i32(right);
    w.i32(bottom);
    if (top < 0 || bottom >= model::MaxBlocks) {
        return out;
    }
    for (int row = top; row <= bottom; ++row) {
        writeBlock(w, data.block(row));
    }
    return out;
}

PayloadReadResult readClipboardPayload(std::span<const std::uint8_t> bytes) {
    Reader r(bytes);
    if (!r.has(HeaderSize)) {
        return refused(r);
    }
    ClipboardPayload payload;
    payload.left = r.i32();
    payload.top = r.i32();
    payload.right = r.i32();
    payload.bottom = r.i32();
    const std::int64_t rows = std::int64_t{payload.bottom} - payload.top + 1;
    if (rows > 0) {
        // The rows must be slots of a document, and the bytes must be able to hold that many
        // records before a single block is allocated.
        if (payload.top < 0 || payload.bottom >= model::MaxBlocks ||
            static_cast<std::uint64_t>(rows) * SmallestBlockRecord > r.left()) {
            return refused(r);
        }
        payload.blocks.resize(static_cast<std::size_t>(rows));
        for (model::EditBlock& block : payload.blocks) {
            if (!readBlock(r, block)) {
                return refused(r);
            }
        }
    }
    PayloadReadResult result;
    result.ok = true;
    result.failedAt = r.offset();
    result.payload = std::move(payload);
    return result;
}

} // namespace qx::formats
