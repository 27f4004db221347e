// Build-time tool: asks the C library's iconv for every code page 932 character and writes the
// tables declared in Cp932Table.h as one C++ source file. The model library itself never calls
// iconv, so a host without it can build from a file generated elsewhere.
//
// Usage: Cp932TableGenerator <output.cpp>

#include "Cp932Table.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using qx::model::cp932::cellIndex;
using qx::model::cp932::DoubleByteCells;
using qx::model::cp932::isLeadByte;
using qx::model::cp932::isTrailByte;
using qx::model::cp932::TrailFirst;
using qx::model::cp932::TrailLast;
using qx::model::cp932::Unmapped;

// Linux input methods produce these Unicode forms where code page 932 has its own; they must be
// accepted as the code page 932 character. glibc already writes them one way; another iconv may
// not, so they are added from the target's bytes when missing.
struct InputVariant {
    std::uint16_t variant;
    std::uint16_t cp932Form;
};
constexpr std::array<InputVariant, 7> InputVariants{{
    {0x301C, 0xFF5E}, // WAVE DASH -> FULLWIDTH TILDE
    {0x2212, 0xFF0D}, // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    {0x2016, 0x2225}, // DOUBLE VERTICAL LINE -> PARALLEL TO
    {0x2014, 0x2015}, // EM DASH -> HORIZONTAL BAR
    {0x00A2, 0xFFE0}, // CENT SIGN -> FULLWIDTH CENT SIGN
    {0x00A3, 0xFFE1}, // POUND SIGN -> FULLWIDTH POUND SIGN
    {0x00AC, 0xFFE2}, // NOT SIGN -> FULLWIDTH NOT SIGN
}};

class Converter final {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (ok())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    /// The whole input converted, or nothing when any of it has no form in the target.
    std::optional<std::string> convert(const std::string& input) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        std::string in = input;
        std::array<char, 64> out{};
        char* inPtr = in.data();
        std::size_t inLeft = in.size();
        char* outPtr = out.data();
        std::size_t outLeft = out.size();
        if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0)
            return std::nullopt;
        if (iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        return std::string(out.data(), static_cast<std::size_t>(outPtr - out.data()));
    }

private:
    iconv_t m_cd;
};

std::string utf32be(unsigned cp) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[static_cast<std::size_t>(i)] = static_cast<char>((cp >> (8 * (3 - i))) & 0xFF);
    return s;
}

/// The single Unicode character of a decoded code page 932 sequence, if it is one from the basic plane.
std::optional<std::uint16_t> singleBmpCharacter(const std::optional<std::string>& utf32) {
    if (!utf32 || utf32->size() != 4)
        return std::nullopt;
    unsigned cp = 0;
    for (char c : *utf32)
        cp = (cp << 8) | static_cast<unsigned char>(c);
    if (cp > 0xFFFF || cp == Unmapped)
        return std::nullopt;
    return static_cast<std::uint16_t>(cp);
}

/// The code page 932 bytes of one written character as a table value, if they form one character.
std::optional<std::uint16_t> sjisValue(const std::optional<std::string>& bytes) {
    if (!bytes)
        return std::nullopt;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>((*bytes)[i]); };
    if (bytes->size() == 1 && !isLeadByte(byte(0)))
        return byte(0);
    if (bytes->size() == 2 && isLeadByte(byte(0)) && isTrailByte(byte(1)))
        return static_cast<std::uint16_t>((byte(0) << 8) | byte(1));
    return std::nullopt;
}

void writeTable(std::ostream& os, const char* name, const std::vector<std::uint16_t>& values,
                std::size_t perLine) {
    os << "constexpr std::array<std::uint16_t, " << values.size() << "> " << name << "{{\n";
    char buf[16];
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i % perLine == 0)
            os << "   ";
        std::snprintf(buf, sizeof buf, " 0x%04X,", static_cast<unsigned>(values[i]));
        os << buf;
        if (i % perLine == perLine - 1 || i + 1 == values.size())
            os << '\n';
    }
    os << "}};\n\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.cpp>\n", argv[0]);
        return 2;
    }
    Converter decoder("UTF-32BE", "CP932");
    Converter encoder("CP932", "UTF-32BE");
    if (!decoder.ok() || !encoder.ok()) {
        std::fprintf(stderr, "iconv does not know CP932\n");
        return 1;
    }

    std::vector<std::uint16_t> single(256, Unmapped);
    for (unsigned b = 0; b < 256; ++b) {
        if (!isLeadByte(b)) {
            if (auto u = singleBmpCharacter(decoder.convert(std::string(1, static_cast<char>(b)))))
                single[b] = *u;
        }
    }

    std::vector<std::uint16_t> cells(DoubleByteCells, Unmapped);
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isLeadByte(lead))
            continue;
        for (unsigned trail = TrailFirst; trail <= TrailLast; ++trail) {
            if (!isTrailByte(trail))
                continue;
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            if (auto u = singleBmpCharacter(decoder.convert(pair)))
                cells[cellIndex(lead, trail)] = *u;
        }
    }

    std::map<std::uint16_t, std::uint16_t> written;
    for (unsigned cp = 0; cp < 0xFFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue;
        if (auto s = sjisValue(encoder.convert(utf32be(cp))))
            written[static_cast<std::uint16_t>(cp)] = *s;
    }
    for (const InputVariant& v : InputVariants) {
        const auto target = written.find(v.cp932Form);
        if (target == written.end()) {
            std::fprintf(stderr, "CP932 cannot write U+%04X\n", static_cast<unsigned>(v.cp932Form));
            return 1;
        }
        written.emplace(v.variant, target->second);
    }
    if (written.size() < 7000) {
        std::fprintf(stderr, "iconv's CP932 looks incomplete (%zu characters)\n", written.size());
        return 1;
    }

    std::ostringstream os;
    os << "// Generated at build time by Cp932TableGenerator from iconv (\"CP932\"). Do not edit.\n\n"
          "#include \"model/gen/Cp932Table.h\"\n\n"
          "#include <array>\n\n"
          "namespace qx::model::cp932 {\n"
          "namespace {\n\n";
    writeTable(os, "SingleByte", single, 16);
    writeTable(os, "DoubleByte", cells, 12);
    os << "constexpr std::array<UnicodeMapping, " << written.size() << "> Written{{\n";
    char buf[32];
    std::size_t n = 0;
    for (const auto& [unicode, sjis] : written) {
        if (n % 6 == 0)
            os << "   ";
        std::snprintf(buf, sizeof buf, " {0x%04X, 0x%04X},", static_cast<unsigned>(unicode),
                      static_cast<unsigned>(sjis));
        os << buf;
        if (n % 6 == 5 || n + 1 == written.size())
            os << '\n';
        ++n;
    }
    os << "}};\n\n"
          "} // namespace\n\n"
          "std::span<const std::uint16_t, 256> singleByteTable() { return SingleByte; }\n"
          "std::span<const std::uint16_t, DoubleByteCells> doubleByteTable() { return DoubleByte; }\n"
          "std::span<const UnicodeMapping> unicodeTable() { return Written; }\n\n"
          "} // namespace qx::model::cp932\n";

    const std::string text = os.str();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
