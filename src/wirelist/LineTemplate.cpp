#include "LineTemplate.h"

#include "HeaderRow.h"
#include "WireListMessages.h"

#include "model/StringTable.h"

#include <algorithm>

namespace qx::wirelist {

namespace {

// A column number beyond this cannot be a column of any sheet that can be read.
constexpr int MaxColumnNumber = 1 << 16;

std::string_view cellOf(std::span<const std::string> cells, int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= cells.size()) {
        return {};
    }
    return trimCell(cells[static_cast<std::size_t>(column)]);
}

} // namespace

std::string EndCells::address() const {
    if (device.empty() || terminal.empty()) {
        return device.empty() ? terminal : device;
    }
    return device + ":" + terminal;
}

EndCells endCells(std::span<const std::string> cells, const ColumnRoles& roles, bool targetEnd) {
    const Role deviceRole = targetEnd ? Role::TargetDevice : Role::SourceDevice;
    const Role terminalRole = targetEnd ? Role::TargetTerminal : Role::SourceTerminal;
    const Role bothRole = targetEnd ? Role::Target : Role::Source;
    EndCells end;
    const std::string_view both = cellOf(cells, roles.column(bothRole));
    const std::size_t colon = both.rfind(':');
    const std::string_view bothDevice = colon == std::string_view::npos ? both : trimCell(both.substr(0, colon));
    const std::string_view bothTerminal =
        colon == std::string_view::npos ? std::string_view() : trimCell(both.substr(colon + 1));
    end.device = roles.has(deviceRole) ? cellOf(cells, roles.column(deviceRole)) : bothDevice;
    end.terminal = roles.has(terminalRole) ? cellOf(cells, roles.column(terminalRole)) : bothTerminal;
    return end;
}

int findColumn(std::span<const std::string> header, std::string_view name) {
    const std::string_view wanted = trimCell(name);
    if (wanted.size() > 1 && wanted.front() == '#' &&
        std::all_of(wanted.begin() + 1, wanted.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        int number = 0;
        for (const char c : wanted.substr(1)) {
            number = std::min(MaxColumnNumber, number * 10 + (c - '0'));
        }
        return number >= 1 && number < MaxColumnNumber ? number - 1 : -1;
    }
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (trimCell(header[i]) == wanted) {
            return static_cast<int>(i);
        }
    }
    const std::string folded = foldHeaderText(wanted);
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (!folded.empty() && foldHeaderText(header[i]) == folded) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

LineTemplate::Parsed LineTemplate::parse(std::string_view text, std::span<const std::string> header,
                                         const ColumnRoles& roles) {
    Parsed parsed;
    LineTemplate& line = parsed.line;
    line.m_text = std::string(text);
    const auto fail = [&](int id, std::string_view token) {
        parsed.ok = false;
        parsed.messageId = id;
        parsed.message = model::formatMessage(id, {text, token});
        return parsed;
    };
    const auto addText = [&line](std::string_view literal) {
        if (line.m_parts.empty() || line.m_parts.back().field != Field::Text) {
            line.m_parts.push_back({Field::Text, {}, -1});
        }
        line.m_parts.back().text += literal;
    };
    static constexpr struct {
        std::string_view name;
        Field field;
    } Fixed[] = {
        {"wire", Field::Wire},
        {"here.device", Field::HereDevice},
        {"here.terminal", Field::HereTerminal},
        {"here", Field::Here},
        {"there.device", Field::ThereDevice},
        {"there.terminal", Field::ThereTerminal},
        {"there", Field::There},
    };
    for (std::size_t pos = 0; pos < text.size();) {
        const char c = text[pos];
        if ((c == '{' || c == '}') && pos + 1 < text.size() && text[pos + 1] == c) {
            addText(text.substr(pos, 1));
            pos += 2;
            continue;
        }
        if (c == '}') {
            return fail(WireListMessage::UnbalancedBraces, {});
        }
        if (c != '{') {
            const std::size_t next = text.find_first_of("{}", pos);
            const std::size_t end = next == std::string_view::npos ? text.size() : next;
            addText(text.substr(pos, end - pos));
            pos = end;
            continue;
        }
        const std::size_t close = text.find('}', pos + 1);
        const std::size_t open = text.find('{', pos + 1);
        if (close == std::string_view::npos || (open != std::string_view::npos && open < close)) {
            return fail(WireListMessage::UnbalancedBraces, {});
        }
        const std::string_view name = text.substr(pos + 1, close - pos - 1);
        pos = close + 1;
        const auto fixed = std::find_if(std::begin(Fixed), std::end(Fixed), [&](const auto& f) { return f.name == name; });
        if (fixed == std::end(Fixed)) {
            const int column = findColumn(header, name);
            if (column < 0) {
                return fail(WireListMessage::UnknownColumnToken, name);
            }
            line.m_parts.push_back({Field::Column, {}, column});
            line.m_columns.push_back(column);
            continue;
        }
        const bool assigned = fixed->field == Field::Wire ? roles.has(Role::Wire)
                              : fixed->field == Field::HereDevice || fixed->field == Field::HereTerminal ||
                                      fixed->field == Field::Here
                                  ? roles.hasSourceEnd() || roles.hasTargetEnd()
                                  : roles.hasSourceEnd() && roles.hasTargetEnd();
        if (!assigned) {
            return fail(WireListMessage::RoleNotAssigned, name);
        }
        line.m_parts.push_back({fixed->field, {}, -1});
    }
    parsed.ok = true;
    return parsed;
}

std::string LineTemplate::expand(const TemplateRow& row) const {
    // A list of one end per row names it in the source columns or in the target columns alone.
    const bool oneEnded = !(row.roles.hasSourceEnd() && row.roles.hasTargetEnd());
    const bool hereIsTarget = oneEnded ? !row.roles.hasSourceEnd() : row.targetEnd;
    EndCells here;
    EndCells there;
    bool endsRead = false;
    std::string out;
    for (const Part& part : m_parts) {
        if (part.field != Field::Text && part.field != Field::Wire && part.field != Field::Column && !endsRead) {
            here = endCells(row.cells, row.roles, hereIsTarget);
            there = endCells(row.cells, row.roles, !hereIsTarget);
            endsRead = true;
        }
        switch (part.field) {
        case Field::Text:
            out += part.text;
            break;
        case Field::Wire:
            out += cellOf(row.cells, row.roles.column(Role::Wire));
            break;
        case Field::Column:
            out += cellOf(row.cells, part.column);
            break;
        case Field::HereDevice:
            out += here.device;
            break;
        case Field::HereTerminal:
            out += here.terminal;
            break;
        case Field::Here:
            out += here.address();
            break;
        case Field::ThereDevice:
            out += there.device;
            break;
        case Field::ThereTerminal:
            out += there.terminal;
            break;
        case Field::There:
            out += there.address();
            break;
        }
    }
    return out;
}

} // namespace qx::wirelist
