#pragma once

// Conversion between the CharCodes of a document line and operator text. Operator text is
// Shift_JIS (code page 932) held as a std::string of bytes; the Qt layer uses the UTF-8 functions
// at the end, which give exactly the codes and replacement counts of the Shift_JIS route.

#include "CharCode.h"
#include "ModelType.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qx::model {

struct EditData;

struct TextToCodesResult {
    CodeList codes;
    int replaced = 0; ///< characters the printers cannot print, each stored as a full-width blank

    friend bool operator==(const TextToCodesResult&, const TextToCodesResult&) = default;
};

/// Shift_JIS text of the codes up to the first code 0. A special code (printer symbol or marker)
/// is written as its token "0x%04X" in double quotes, or as a full-width blank with blankSpecials
/// (CSV export). A code without a Shift_JIS form, which only a token or a file brings in, is
/// treated like a special code so that the text never holds a zero byte.
std::string codesToText(std::span<const CharCode> codes, bool blankSpecials);

/// codesToText of one code, with tokens.
std::string codeToText(CharCode code);

/// Codes of Shift_JIS text, read up to its first zero byte. With `tokens`, "0xHHHH" in double
/// quotes gives the code HHHH and a doubled double quote stands for one. Printable ASCII becomes its
/// full-width form; every character outside the supported ranges becomes 0x2121 and is counted.
/// A token that names a stream marker (0x2F21-0x2F25) or 0 is counted and stored as 0x2121 as well:
/// the encoded text stream would read it as the start of a line or group, or as its end.
TextToCodesResult textToCodes(std::string_view sjis, bool tokens);

/// Replaces the characters of one line by the codes of `sjis` and raises the block's lineCount to
/// include the line when any code results. Returns the replacement count; an index outside the
/// record changes nothing and returns 0. The line never receives a stream marker (see textToCodes).
int setLineFromText(EditData& data, int block, int line, std::string_view sjis, bool tokens);

/// Replaces in place, by 0x2121, every code that the model cannot print, and returns how many.
/// Besides the unsupported characters and the symbols the model lacks, a code that is no character
/// at all (no Shift_JIS form, a control code other than the sequence marker, a stream marker or a
/// 0: only possible in data from outside, such as a clipboard payload or a file) is replaced too.
int sanitiseCodes(std::span<CharCode> codes, ModelType model);

/// Whether a Shift_JIS double-byte code lies in the ranges the printers print; 0 counts as supported.
bool isSupportedSjis(std::uint16_t sjisCode);

/// Every full-width form of a printable ASCII character turned back into that character.
std::string narrowText(std::string_view sjis);

/// Every printable ASCII character turned into its full-width form (a blank into 0x8140).
std::string widenText(std::string_view sjis);

/// The code page 932 JIS-to-Shift_JIS rule; 0 when a byte of the code lies outside 0x21-0x7E.
std::uint16_t jisToSjis(CharCode code);

/// The code page 932 Shift_JIS-to-JIS rule; 0 when the code is no double-byte character of rows
/// 1 to 94 (lead byte 0x81-0x9F or 0xE0-0xEF, trail byte 0x40-0x7E or 0x80-0xFC).
CharCode sjisToJis(std::uint16_t sjisCode);

/// Full-width code of a printable ASCII character (0x20-0x7E); 0 for any other byte.
CharCode fullWidthCode(char ascii);

/// The printable ASCII character whose full-width form is `code`; 0 when there is none.
char narrowCode(CharCode code);

// Unicode side (UTF-8) for the Qt layer.

/// codesToText, then as UTF-8. A code of an unassigned cell inside the supported ranges has no
/// Unicode character and becomes U+FFFD.
std::string codesToUtf8(std::span<const CharCode> codes, bool blankSpecials);

/// textToCodes of the text's code page 932 form. A character that code page 932 cannot write, and
/// every malformed UTF-8 sequence, counts as one replacement. The Unicode forms that input methods
/// type for some code page 932 characters (U+301C for U+FF5E and the like) are accepted.
TextToCodesResult utf8ToCodes(std::string_view utf8, bool tokens);

/// Shift_JIS bytes as UTF-8; a byte or pair without a character becomes U+FFFD. Zero bytes are kept.
std::string sjisToUtf8(std::string_view sjis);

/// Length of the well-formed UTF-8 character at `pos` (1 to 4 bytes), or 0 when the bytes there are
/// malformed (overlong forms, surrogates, values above U+10FFFF, a sequence cut short).
std::size_t wellFormedUtf8Length(std::string_view text, std::size_t pos);

/// UTF-8 as Shift_JIS; nullopt when the text is malformed or holds a character with no code page 932 form.
std::optional<std::string> utf8ToSjis(std::string_view utf8);

} // namespace qx::model
