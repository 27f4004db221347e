#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx::wirelist {

/// The format code of a built-in number format of a workbook. The date format 14 follows the
/// Japanese desktop, which shows it as "yyyy/m/d"; the Japanese era formats show western dates.
/// "General" for 0 and for unknown ids.
std::string_view builtInNumberFormat(int id);

/// Whether a format code keeps a cell's text as typed ("@").
bool isTextFormat(std::string_view code);

/// A number as the General format shows it: integers exactly (up to 15 digits), other values with
/// up to 10 significant digits, so that stored binary noise (2.5000000001) never shows.
std::string generalNumber(double value);

struct FormatToken;

/// A format code taken apart once, for the many cells of a sheet that share it.
class NumberFormat final {
public:
    explicit NumberFormat(std::string_view code);
    NumberFormat(const NumberFormat&);
    NumberFormat& operator=(const NumberFormat&);
    NumberFormat(NumberFormat&&) noexcept;
    NumberFormat& operator=(NumberFormat&&) noexcept;
    ~NumberFormat();

    /// Whether cells of this format keep their text as typed ("@").
    bool isText() const { return m_text; }
    bool isGeneral() const { return m_general; }
    /// See formatNumber.
    std::string show(double value, bool date1904) const;

private:
    std::vector<std::vector<FormatToken>> m_sections;
    bool m_text = false;
    bool m_general = false;
};

/// A number as a spreadsheet shows it under a format code: fixed decimals, thousands groups,
/// percent, scientific, literal text and the sections for negative numbers and zero, and dates
/// and times (y, m, d, h, s, AM/PM) from the serial day number of the 1900 system (with its
/// 29 February 1900) or of the 1904 system. What is beyond that shows as General.
std::string formatNumber(double value, std::string_view code, bool date1904);

/// The serial day number of an ISO 8601 date ("2024-01-15", "2024-01-15T18:00:00"), as a cell of
/// date type holds it; nullopt when the text is no such date or lies before the first day.
std::optional<double> serialFromIsoDate(std::string_view text, bool date1904);

} // namespace qx::wirelist
