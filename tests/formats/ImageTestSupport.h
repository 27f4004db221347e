#pragma once

// Hand-made image bytes for the image tests: every offset is written here from the layout tables,
// never through the code under test.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace qx::formats::test {

using Bytes = std::vector<std::uint8_t>;

/// A zeroed byte buffer with big-endian writers.
struct ByteBuilder {
    Bytes bytes;

    explicit ByteBuilder(std::size_t size) : bytes(size, 0) {}

    ByteBuilder& u8(std::size_t at, int value) {
        bytes.at(at) = static_cast<std::uint8_t>(value);
        return *this;
    }
    ByteBuilder& u16(std::size_t at, int value) {
        bytes.at(at) = static_cast<std::uint8_t>((value >> 8) & 0xFF);
        bytes.at(at + 1) = static_cast<std::uint8_t>(value & 0xFF);
        return *this;
    }
    ByteBuilder& text(std::size_t at, std::string_view s) {
        for (std::size_t i = 0; i < s.size(); ++i) {
            bytes.at(at + i) = static_cast<std::uint8_t>(s[i]);
        }
        return *this;
    }
    /// Consecutive big-endian words from `at`.
    ByteBuilder& words(std::size_t at, std::initializer_list<int> values) {
        for (int v : values) {
            u16(at, v);
            at += 2;
        }
        return *this;
    }
};

inline int be16(const Bytes& b, std::size_t at) {
    return (b.at(at) << 8) | b.at(at + 1);
}

/// "" when equal; otherwise the size difference and up to `maxLines` differing 16-byte rows in hex.
inline std::string hexDiff(const Bytes& expected, const Bytes& actual, int maxLines = 12) {
    std::string out;
    if (expected.size() != actual.size()) {
        out += "size " + std::to_string(expected.size()) + " expected, " + std::to_string(actual.size()) +
               " actual\n";
    }
    const std::size_t n = std::max(expected.size(), actual.size());
    int lines = 0;
    for (std::size_t row = 0; row < n && lines < maxLines; row += 16) {
        bool differs = false;
        for (std::size_t i = row; i < row + 16 && i < n; ++i) {
            const int e = i < expected.size() ? expected[i] : -1;
            const int a = i < actual.size() ? actual[i] : -1;
            differs = differs || e != a;
        }
        if (!differs) {
            continue;
        }
        ++lines;
        const auto dump = [&](const char* tag, const Bytes& b) {
            char buf[48];
            std::snprintf(buf, sizeof buf, "%6zu %s", row, tag);
            out += buf;
            for (std::size_t i = row; i < row + 16; ++i) {
                if (i < b.size()) {
                    std::snprintf(buf, sizeof buf, " %02X", b[i]);
                    out += buf;
                } else {
                    out += " --";
                }
            }
            out += '\n';
        };
        dump("exp", expected);
        dump("act", actual);
    }
    return out;
}

inline std::filesystem::path goldenDir() {
    return std::filesystem::path(QX_TEST_DATA_DIR) / "formats";
}

inline Bytes readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace qx::formats::test
