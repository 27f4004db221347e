#include "NumberFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace qx::wirelist {

namespace {

struct BuiltIn {
    int id;
    std::string_view code;
};

constexpr std::string_view JapaneseDate = "yyyy/m/d";
constexpr std::size_t MaxCodeBytes = 1024;
constexpr std::array<BuiltIn, 33> BuiltIns{{
    {1, "0"},
    {2, "0.00"},
    {3, "#,##0"},
    {4, "#,##0.00"},
    {9, "0%"},
    {10, "0.00%"},
    {11, "0.00E+00"},
    {14, JapaneseDate},
    {15, "d-mmm-yy"},
    {16, "d-mmm"},
    {17, "mmm-yy"},
    {18, "h:mm AM/PM"},
    {19, "h:mm:ss AM/PM"},
    {20, "h:mm"},
    {21, "h:mm:ss"},
    {22, "yyyy/m/d h:mm"},
    {27, JapaneseDate},
    {28, JapaneseDate},
    {29, JapaneseDate},
    {30, "m/d/yy"},
    {31, "yyyy\"年\"m\"月\"d\"日\""},
    {32, "h\"時\"mm\"分\""},
    {33, "h\"時\"mm\"分\"ss\"秒\""},
    {37, "#,##0 ;(#,##0)"},
    {38, "#,##0 ;(#,##0)"},
    {39, "#,##0.00;(#,##0.00)"},
    {40, "#,##0.00;(#,##0.00)"},
    {45, "mm:ss"},
    {46, "[h]:mm:ss"},
    {47, "mm:ss.0"},
    {48, "##0.0E+0"},
    {49, "@"},
    {55, "yyyy\"年\"m\"月\""},
}};

constexpr std::array<std::string_view, 12> MonthNames{"January",   "February", "March",    "April",
                                                      "May",       "June",     "July",     "August",
                                                      "September", "October",  "November", "December"};
constexpr std::array<std::string_view, 7> DayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                   "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 7> JapaneseDays{"日", "月", "火", "水", "木", "金", "土"};

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithNoCase(std::string_view text, std::size_t at, std::string_view word) {
    if (text.size() - at < word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (lowerAscii(text[at + i]) != lowerAscii(word[i])) {
            return false;
        }
    }
    return true;
}

// Splits at ';' outside quotes, brackets and escapes.
std::vector<std::string_view> sections(std::string_view code) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    bool quoted = false;
    bool bracket = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (quoted) {
            quoted = c != '"';
        } else if (bracket) {
            bracket = c != ']';
        } else if (c == '"') {
            quoted = true;
        } else if (c == '[') {
            bracket = true;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == ';') {
            out.push_back(code.substr(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(code.substr(start));
    return out;
}

} // namespace

// One piece of a format section.
struct FormatToken {
    enum class Kind { Literal, Date, Digit, Point, Comma, Percent, Exponent, General, Text, Elapsed };
    Kind kind;
    std::string
        text; // literal text, the date letters ("yyyy", "mm", "am/pm", ".00") or the digit ('0', '#', '?')
};

namespace {

using Token = FormatToken;

std::vector<Token> tokenize(std::string_view s) {
    std::vector<Token> tokens;
    auto literal = [&tokens](std::string_view text) {
        if (!tokens.empty() && tokens.back().kind == Token::Kind::Literal) {
            tokens.back().text += text;
        } else {
            tokens.push_back({Token::Kind::Literal, std::string(text)});
        }
    };
    for (std::size_t i = 0; i < s.size();) {
        const char c = s[i];
        const char l = lowerAscii(c);
        if (c == '"') {
            const std::size_t end = s.find('"', i + 1);
            literal(s.substr(i + 1, (end == std::string_view::npos ? s.size() : end) - i - 1));
            i = end == std::string_view::npos ? s.size() : end + 1;
        } else if (c == '\\' && i + 1 < s.size()) {
            literal(s.substr(i + 1, 1));
            i += 2;
        } else if (c == '_' && i + 1 < s.size()) {
            literal(" "); // the width of the next character
            i += 2;
        } else if (c == '*') {
            i += 2; // fill character: nothing in a text
        } else if (c == '[') {
            const std::size_t end = s.find(']', i);
            const std::string_view inside =
                s.substr(i + 1, (end == std::string_view::npos ? s.size() : end) - i - 1);
            i = end == std::string_view::npos ? s.size() : end + 1;
            if (!inside.empty() && inside[0] == '$') {
                literal(inside.substr(1, inside.find('-') == std::string_view::npos ? std::string_view::npos
                                                                                    : inside.find('-') - 1));
            } else if (!inside.empty() && (lowerAscii(inside[0]) == 'h' || lowerAscii(inside[0]) == 'm' ||
                                           lowerAscii(inside[0]) == 's')) {
                tokens.push_back({Token::Kind::Elapsed,
                                  std::string(1, lowerAscii(inside[0])) + std::to_string(inside.size())});
            } // colours and conditions show nothing
        } else if (startsWithNoCase(s, i, "general")) {
            tokens.push_back({Token::Kind::General, {}});
            i += 7;
        } else if (startsWithNoCase(s, i, "am/pm")) {
            tokens.push_back({Token::Kind::Date, "am/pm"});
            i += 5;
        } else if (startsWithNoCase(s, i, "a/p")) {
            tokens.push_back({Token::Kind::Date, "a/p"});
            i += 3;
        } else if (l == 'y' || l == 'm' || l == 'd' || l == 'h' || l == 's' || l == 'a' ||
                   (l == 'e' && c == 'e' && (i + 1 >= s.size() || (s[i + 1] != '+' && s[i + 1] != '-'))) ||
                   l == 'g') {
            std::size_t run = i;
            while (run < s.size() && lowerAscii(s[run]) == l) {
                ++run;
            }
            if (l == 'a' && run - i < 3) {
                literal(s.substr(i, run - i)); // a lone "a" is text
            } else if (l != 'g') {
                tokens.push_back({Token::Kind::Date, std::string(run - i, l)});
            }
            i = run;
        } else if (c == '0' || c == '#' || c == '?') {
            tokens.push_back({Token::Kind::Digit, std::string(1, c)});
            ++i;
        } else if (c == '.') {
            tokens.push_back({Token::Kind::Point, "."});
            ++i;
        } else if (c == ',') {
            tokens.push_back({Token::Kind::Comma, ","});
            ++i;
        } else if (c == '%') {
            tokens.push_back({Token::Kind::Percent, "%"});
            ++i;
        } else if ((c == 'E' || c == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
            tokens.push_back({Token::Kind::Exponent, std::string(1, s[i + 1])});
            i += 2;
        } else if (c == '@') {
            tokens.push_back({Token::Kind::Text, {}});
            ++i;
        } else {
            literal(s.substr(i, 1));
            ++i;
        }
    }
    return tokens;
}

bool isDateSection(const std::vector<Token>& tokens) {
    for (const Token& t : tokens) {
        if (t.kind == Token::Kind::Date || t.kind == Token::Kind::Elapsed) {
            return true;
        }
    }
    return false;
}

struct Civil {
    long long year;
    unsigned month;
    unsigned day;
};

// Days since 1970-01-01 to the proleptic Gregorian date.
Civil civilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {m <= 2 ? y + 1 : y, m, d};
}

constexpr long long Days1899_12_30 = -25569; // days from 1970-01-01
constexpr long long Days1904_01_01 = -24107;

std::string twoDigits(long long v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

std::string formatDate(double value, const std::vector<Token>& tokens, bool date1904) {
    // The shown fraction of a second decides the rounding: to the second, or to what ".00" shows.
    int fractionDigits = 0;
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
        if (tokens[i].kind == Token::Kind::Point && tokens[i + 1].kind == Token::Kind::Digit) {
            std::size_t k = i + 1;
            while (k < tokens.size() && tokens[k].kind == Token::Kind::Digit && fractionDigits < 3) {
                ++fractionDigits;
                ++k;
            }
        }
    }
    const double unitsPerDay = 86400.0 * std::pow(10.0, fractionDigits);
    const double total = std::round(value * unitsPerDay);
    const auto units = static_cast<long long>(total);
    const long long perDay = static_cast<long long>(unitsPerDay);
    long long serial = units / perDay;
    const long long dayUnits = units % perDay;
    const long long perSecond = perDay / 86400;
    const long long seconds = dayUnits / perSecond;
    const long long fraction = dayUnits % perSecond;

    Civil date{};
    if (date1904) {
        date = civilFromDays(Days1904_01_01 + serial);
    } else if (serial == 60) {
        date = {1900, 2, 29}; // the day the 1900 system counts although it never was
    } else if (serial == 0) {
        date = {1900, 1, 0};
    } else {
        date = civilFromDays(Days1899_12_30 + serial + (serial < 60 ? 1 : 0));
    }
    const long long realDays =
        date1904 ? Days1904_01_01 + serial : Days1899_12_30 + serial + (serial < 60 ? 1 : 0);
    const auto weekday = static_cast<std::size_t>(((realDays % 7) + 7 + 4) % 7); // 1970-01-01 was a Thursday

    bool twelveHour = false;
    for (const Token& t : tokens) {
        twelveHour = twelveHour || (t.kind == Token::Kind::Date && (t.text == "am/pm" || t.text == "a/p"));
    }
    const long long hour = seconds / 3600;
    const long long minute = seconds / 60 % 60;
    const long long second = seconds % 60;

    // m means minutes right after an hour or right before a second, months elsewhere.
    auto isMinute = [&tokens](std::size_t i) {
        for (std::size_t k = i; k-- > 0;) {
            if (tokens[k].kind == Token::Kind::Date || tokens[k].kind == Token::Kind::Elapsed) {
                if (tokens[k].text[0] == 'h') {
                    return true;
                }
                break;
            }
        }
        for (std::size_t k = i + 1; k < tokens.size(); ++k) {
            if (tokens[k].kind == Token::Kind::Date || tokens[k].kind == Token::Kind::Elapsed) {
                return tokens[k].text[0] == 's';
            }
        }
        return false;
    };

    std::string out;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        const std::size_t n = t.text.size();
        switch (t.kind) {
        case Token::Kind::Literal:
            out += t.text;
            break;
        case Token::Kind::Elapsed: {
            const long long whole = serial * 86400 + seconds;
            const long long v = t.text[0] == 'h' ? whole / 3600 : t.text[0] == 'm' ? whole / 60 : whole;
            out += t.text.size() > 2 ? twoDigits(v) : std::to_string(v);
            break;
        }
        case Token::Kind::Point:
            if (fractionDigits > 0) {
                out += '.';
                std::string digits = std::to_string(fraction);
                out += std::string(static_cast<std::size_t>(fractionDigits) -
                                       std::min(digits.size(), std::size_t(fractionDigits)),
                                   '0') +
                       digits;
                while (i + 1 < tokens.size() && tokens[i + 1].kind == Token::Kind::Digit) {
                    ++i;
                }
            } else {
                out += '.';
            }
            break;
        case Token::Kind::Date:
            switch (t.text[0]) {
            case 'y':
            case 'e':
                out += n <= 2 && t.text[0] == 'y' ? twoDigits(date.year % 100) : std::to_string(date.year);
                break;
            case 'm':
                if (n <= 2 && isMinute(i)) {
                    out += n == 2 ? twoDigits(minute) : std::to_string(minute);
                } else if (n == 1) {
                    out += std::to_string(date.month);
                } else if (n == 2) {
                    out += twoDigits(date.month);
                } else if (n == 3) {
                    out += MonthNames[date.month - 1].substr(0, 3);
                } else if (n == 5) {
                    out += MonthNames[date.month - 1].substr(0, 1);
                } else {
                    out += MonthNames[date.month - 1];
                }
                break;
            case 'd':
                if (n <= 2) {
                    out += n == 2 ? twoDigits(date.day) : std::to_string(date.day);
                } else {
                    out += n == 3 ? DayNames[weekday].substr(0, 3) : DayNames[weekday];
                }
                break;
            case 'a':
                if (t.text == "am/pm") {
                    out += hour < 12 ? "AM" : "PM";
                } else if (t.text == "a/p") {
                    out += hour < 12 ? "A" : "P";
                } else {
                    out += JapaneseDays[weekday];
                    if (n >= 4) {
                        out += "曜日";
                    }
                }
                break;
            case 'h': {
                long long h = hour;
                if (twelveHour) {
                    h = h % 12 == 0 ? 12 : h % 12;
                }
                out += n >= 2 ? twoDigits(h) : std::to_string(h);
                break;
            }
            case 's':
                out += n >= 2 ? twoDigits(second) : std::to_string(second);
                break;
            default:
                break;
            }
            break;
        default:
            out += t.text;
            break;
        }
    }
    return out;
}

std::string stripZeros(std::string s) {
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0') {
            s.pop_back();
        }
        if (!s.empty() && s.back() == '.') {
            s.pop_back();
        }
    }
    return s;
}

// A non-negative number with a fixed count of decimals, rounded as a spreadsheet rounds: on the 15
// significant decimal digits it keeps, half away from zero (2.005 shows as 2.01, where the binary
// value alone would give 2.00).
std::string fixedDecimals(double magnitude, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
    const std::string_view text(buffer);
    const std::size_t e = text.find('e');
    std::string digits = std::string(1, text[0]) + std::string(text.substr(2, e - 2));
    long point = std::strtol(buffer + e + 1, nullptr, 10) + 1; // digits before the decimal point
    if (point < 1) {
        digits.insert(0, static_cast<std::size_t>(1 - point), '0');
        point = 1;
    }
    const auto cut = static_cast<std::size_t>(point + decimals);
    if (digits.size() <= cut) {
        digits.append(cut + 1 - digits.size(), '0');
    }
    const bool up = digits[cut] >= '5';
    digits.resize(cut);
    if (up) {
        std::size_t i = cut;
        while (i > 0 && digits[i - 1] == '9') {
            digits[--i] = '0';
        }
        if (i == 0) {
            digits.insert(digits.begin(), '1');
            ++point;
        } else {
            ++digits[i - 1];
        }
    }
    std::string whole = digits.substr(0, static_cast<std::size_t>(point));
    const std::size_t first = whole.find_first_not_of('0');
    whole = first == std::string::npos ? "0" : whole.substr(first);
    return decimals > 0 ? whole + "." + digits.substr(static_cast<std::size_t>(point)) : whole;
}

std::string scientific(double value, int decimals, int exponentDigits, bool plus) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*E", decimals, value);
    std::string s(buffer);
    const std::size_t e = s.find('E');
    std::string mantissa = s.substr(0, e);
    int exponent = std::stoi(s.substr(e + 1));
    std::string digits = std::to_string(std::abs(exponent));
    while (static_cast<int>(digits.size()) < exponentDigits) {
        digits.insert(digits.begin(), '0');
    }
    return mantissa + "E" + (exponent < 0 ? "-" : plus ? "+" : "") + digits;
}

std::string formatFixedNumber(double value, const std::vector<Token>& tokens, bool showSign) {
    std::string prefix;
    std::string suffix;
    int integerZeros = 0;
    int decimals = 0;
    int exponentDigits = 0;
    bool exponent = false;
    bool exponentPlus = false;
    bool grouping = false;
    bool afterPoint = false;
    bool seenDigit = false;
    int scale = 0;
    bool general = false;
    int pendingCommas = 0;
    for (const Token& t : tokens) {
        switch (t.kind) {
        case Token::Kind::Digit:
            if (pendingCommas > 0 && !afterPoint && !exponent) {
                grouping = true;
            }
            pendingCommas = 0;
            seenDigit = true;
            if (exponent) {
                ++exponentDigits;
            } else if (afterPoint) {
                ++decimals;
            } else if (t.text == "0") {
                ++integerZeros;
            }
            break;
        case Token::Kind::Point:
            afterPoint = true;
            break;
        case Token::Kind::Comma:
            if (seenDigit) {
                ++pendingCommas;
            } else {
                prefix += ',';
            }
            break;
        case Token::Kind::Percent:
            value *= 100.0;
            (seenDigit ? suffix : prefix) += '%';
            break;
        case Token::Kind::Exponent:
            exponent = true;
            exponentPlus = t.text == "+";
            break;
        case Token::Kind::General:
            general = true;
            seenDigit = true;
            break;
        case Token::Kind::Literal:
        case Token::Kind::Text:
            (seenDigit ? suffix : prefix) += t.text;
            break;
        default:
            break;
        }
    }
    scale = pendingCommas; // commas after the last digit divide by a thousand each
    for (int k = 0; k < scale; ++k) {
        value /= 1000.0;
    }
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    std::string number;
    if (general || !seenDigit) {
        number = general ? generalNumber(magnitude) : std::string();
    } else if (exponent) {
        number = scientific(magnitude, decimals, std::max(exponentDigits, 1), exponentPlus);
    } else {
        number = fixedDecimals(magnitude, std::min(decimals, 30));
        std::size_t point = number.find('.');
        std::string whole = number.substr(0, point);
        std::string fraction = point == std::string::npos ? "" : number.substr(point);
        if (whole == "0" && integerZeros == 0) {
            whole.clear();
        }
        if (static_cast<int>(whole.size()) < integerZeros) {
            whole.insert(0, static_cast<std::size_t>(integerZeros) - whole.size(), '0');
        }
        if (grouping) {
            std::string grouped;
            for (std::size_t i = 0; i < whole.size(); ++i) {
                if (i > 0 && (whole.size() - i) % 3 == 0) {
                    grouped.push_back(',');
                }
                grouped.push_back(whole[i]);
            }
            whole = std::move(grouped);
        }
        number = whole + fraction;
    }
    const bool zero = number.find_first_not_of("0.,E+-") == std::string::npos;
    return (showSign && negative && !zero ? "-" : "") + prefix + number + suffix;
}

} // namespace

std::string_view builtInNumberFormat(int id) {
    for (const BuiltIn& b : BuiltIns) {
        if (b.id == id) {
            return b.code;
        }
    }
    if ((id >= 34 && id <= 36) || (id >= 50 && id <= 54) || id == 57 || id == 58) {
        return JapaneseDate;
    }
    return "General";
}

bool isTextFormat(std::string_view code) {
    return code == "@";
}

std::string generalNumber(double value) {
    if (!std::isfinite(value)) {
        return "#NUM!";
    }
    if (value == 0.0) {
        return "0";
    }
    const double magnitude = std::fabs(value);
    char buffer[64];
    if (magnitude < 1e15 && value == std::trunc(value)) {
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value)).ptr;
        return std::string(buffer, end);
    }
    if (magnitude >= 1e11 || magnitude < 1e-9) {
        std::string s = scientific(value, 5, 2, true);
        const std::size_t e = s.find('E');
        return stripZeros(s.substr(0, e)) + s.substr(e);
    }
    const int integerDigits = magnitude >= 1.0 ? static_cast<int>(std::floor(std::log10(magnitude))) + 1 : 1;
    std::snprintf(buffer, sizeof buffer, "%.*f", std::max(0, 10 - integerDigits), value);
    std::string s = stripZeros(buffer);
    return s == "-0" ? "0" : s;
}

NumberFormat::NumberFormat(std::string_view code) {
    // Spreadsheet programs keep format codes to 255 characters; a longer one comes from no program
    // and shows as General rather than costing a token per byte.
    if (code.size() > MaxCodeBytes) {
        code = {};
    }
    m_text = isTextFormat(code);
    m_general = code.empty() || (code.size() == 7 && startsWithNoCase(code, 0, "general"));
    for (std::string_view part : sections(code)) {
        m_sections.push_back(tokenize(part));
    }
}

NumberFormat::NumberFormat(const NumberFormat&) = default;
NumberFormat& NumberFormat::operator=(const NumberFormat&) = default;
NumberFormat::NumberFormat(NumberFormat&&) noexcept = default;
NumberFormat& NumberFormat::operator=(NumberFormat&&) noexcept = default;
NumberFormat::~NumberFormat() = default;

std::string NumberFormat::show(double value, bool date1904) const {
    if (!std::isfinite(value)) {
        return "#NUM!";
    }
    if (m_general || m_text) {
        return generalNumber(value);
    }
    const std::vector<Token>* tokens = &m_sections[0];
    bool showSign = true;
    if (value < 0 && m_sections.size() >= 2 && !m_sections[1].empty()) {
        tokens = &m_sections[1];
        showSign = false; // the negative section writes its own sign, or brackets
        value = -value;
    } else if (value == 0 && m_sections.size() >= 3) {
        tokens = &m_sections[2];
    }
    if (tokens->empty()) {
        return generalNumber(value);
    }
    if (isDateSection(*tokens)) {
        // Before the first day or after 9999-12-31 a spreadsheet shows no date at all.
        if (value < 0 || value >= 2958466.0) {
            return generalNumber(showSign ? value : -value);
        }
        return formatDate(value, *tokens, date1904);
    }
    for (const Token& t : *tokens) {
        if (t.kind == Token::Kind::Text ||
            (t.kind == Token::Kind::Literal && t.text.find('/') != std::string::npos && tokens->size() > 1)) {
            return generalNumber(showSign ? value : -value); // fractions and text sections
        }
    }
    return formatFixedNumber(value, *tokens, showSign);
}

std::string formatNumber(double value, std::string_view code, bool date1904) {
    return NumberFormat(code).show(value, date1904);
}

std::optional<double> serialFromIsoDate(std::string_view text, bool date1904) {
    auto number = [&text](std::size_t at, std::size_t length, unsigned& out) {
        out = 0;
        if (text.size() < at + length) {
            return false;
        }
        for (std::size_t i = at; i < at + length; ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return false;
            }
            out = out * 10 + static_cast<unsigned>(text[i] - '0');
        }
        return true;
    };
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!number(0, 4, year) || text.size() < 10 || text[4] != '-' || !number(5, 2, month) || text[7] != '-' ||
        !number(8, 2, day) || month < 1 || month > 12 || day < 1 || day > 31) {
        return std::nullopt;
    }
    if (text.size() > 10 && (text[10] != 'T' || !number(11, 2, hour) || !number(14, 2, minute) ||
                             (text.size() >= 19 && !number(17, 2, second)))) {
        return std::nullopt;
    }
    // Days from 1970-01-01 of the proleptic Gregorian date (the inverse of civilFromDays).
    const long long y = static_cast<long long>(year) - (month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long long days = era * 146097 + static_cast<long long>(doe) - 719468;
    long long serial = days - (date1904 ? Days1904_01_01 : Days1899_12_30);
    if (!date1904 && serial <= 60) {
        --serial; // before the 29 February 1900 that the 1900 system counts
    }
    if (serial < (date1904 ? 0 : 1)) {
        return std::nullopt;
    }
    return static_cast<double>(serial) + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

} // namespace qx::wirelist
