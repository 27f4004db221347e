#include "CsvTable.h"

#include "wirelist/SheetBuilder.h"

#include <array>
#include <map>
#include <string>

namespace qx::wirelist {

namespace {

constexpr std::array<char, 4> Candidates{'\t', ';', ',', '|'}; // the order settles a tie
constexpr std::size_t SniffRows = 50;

// A first line "sep=;" (Excel's way of naming the separator): its separator and the line's length
// with its line break, or 0 when the text does not start so.
std::size_t separatorLine(std::string_view text, char& separator) {
    if (text.size() < 5 || (text.substr(0, 4) != "sep=" && text.substr(0, 4) != "SEP=")) {
        return 0;
    }
    std::size_t end = 5;
    if (end < text.size() && text[end] != '\r' && text[end] != '\n') {
        return 0;
    }
    separator = text[4];
    if (end < text.size() && text[end] == '\r') {
        ++end;
    }
    if (end < text.size() && text[end] == '\n') {
        ++end;
    }
    return end;
}

} // namespace

char sniffSeparator(std::string_view text) {
    // Per candidate: how many rows showed each count (rows without any are left out).
    std::array<std::map<std::size_t, std::size_t>, Candidates.size()> tallies;
    std::array<std::size_t, Candidates.size()> counts{};
    bool quoted = false;
    bool blank = true;
    std::size_t rows = 0;
    auto endRow = [&] {
        if (!blank) {
            for (std::size_t k = 0; k < Candidates.size(); ++k) {
                if (counts[k] > 0) {
                    ++tallies[k][counts[k]];
                }
            }
            ++rows;
        }
        counts.fill(0);
        blank = true;
    };
    for (std::size_t i = 0; i < text.size() && rows < SniffRows; ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == '\n' || c == '\r') {
            endRow();
        } else {
            blank = false;
            for (std::size_t k = 0; k < Candidates.size(); ++k) {
                counts[k] += c == Candidates[k] ? 1u : 0u;
            }
        }
    }
    endRow();
    char best = ',';
    std::size_t bestRows = 0;
    for (std::size_t k = 0; k < Candidates.size(); ++k) {
        std::size_t agreeing = 0;
        for (const auto& [count, seen] : tallies[k]) {
            agreeing = std::max(agreeing, seen);
        }
        if (agreeing > bestRows) {
            bestRows = agreeing;
            best = Candidates[k];
        }
    }
    return best;
}

bool readDelimitedText(std::string_view text, char separator, ReadContext& context, Sheet& sheet,
                       char& used) {
    char named = 0;
    text.remove_prefix(separatorLine(text, named));
    used = separator != 0 ? separator : named != 0 ? named : sniffSeparator(text);

    SheetBuilder builder({}, context, false);
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };
    State state = State::FieldStart;
    std::string field;
    std::size_t row = 0;
    std::size_t column = 0;
    bool rowOpen = false;

    auto endField = [&] {
        const bool ok = builder.setCell(row, column, std::move(field));
        field.clear();
        ++column;
        rowOpen = true;
        return ok;
    };
    auto endRow = [&] {
        const bool ok = endField();
        ++row;
        column = 0;
        rowOpen = false;
        state = State::FieldStart;
        return ok;
    };
    // A line break is CR LF, LF or a lone CR; inside a cell it is kept as one LF.
    auto skipLineFeed = [&text](std::size_t& i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
    };

    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (state) {
        case State::FieldStart:
            if (c == '"') {
                state = State::Quoted;
                rowOpen = true;
            } else if (c == '=' && i + 1 < text.size() && text[i + 1] == '"') {
                ++i; // ="0012": the text a spreadsheet would show
                state = State::Quoted;
                rowOpen = true;
            } else if (c == used) {
                if (!endField()) {
                    return false;
                }
            } else if (c == '\r' || c == '\n') {
                skipLineFeed(i);
                if (!endRow()) {
                    return false;
                }
            } else {
                field.push_back(c);
                state = State::Unquoted;
                rowOpen = true;
            }
            break;
        case State::Unquoted:
        case State::QuoteInQuoted:
            if (c == used) {
                if (!endField()) {
                    return false;
                }
                state = State::FieldStart;
            } else if (c == '\r' || c == '\n') {
                skipLineFeed(i);
                if (!endRow()) {
                    return false;
                }
            } else if (c == '"' && state == State::QuoteInQuoted) {
                field.push_back('"');
                state = State::Quoted;
            } else {
                field.push_back(c); // text after a closing quote is kept, as spreadsheets do
                state = State::Unquoted;
            }
            break;
        case State::Quoted:
            if (c == '"') {
                state = State::QuoteInQuoted;
            } else if (c == '\r') {
                skipLineFeed(i);
                field.push_back('\n');
            } else {
                field.push_back(c);
            }
            break;
        }
        if (field.size() > context.limits().maxCellBytes) {
            return context.failAt(messages::CellTooLong, builder.place(row, column));
        }
    }
    if (rowOpen && !endRow()) {
        return false;
    }
    return builder.finish(sheet);
}

} // namespace qx::wirelist
