#include "XlsxReader.h"

#include "model/StringTable.h"
#include "wirelist/NumberFormat.h"
#include "wirelist/SheetBuilder.h"
#include "wirelist/XmlParser.h"
#include "wirelist/ZipArchive.h"

#include <charconv>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qx::wirelist {

namespace {

bool endsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

std::optional<std::size_t> parseIndex(std::string_view text) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

/// A part name from a relationship target: relative to the folder of the part that points to it,
/// or from the package root when it starts with '/'.
std::string resolvePart(std::string_view from, std::string_view target) {
    std::string path;
    if (!target.empty() && target[0] == '/') {
        path = std::string(target.substr(1));
    } else {
        const std::size_t slash = from.rfind('/');
        path = (slash == std::string_view::npos ? std::string() : std::string(from.substr(0, slash + 1))) +
               std::string(target);
    }
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string segment = path.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty()) {
                segments.pop_back();
            }
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string& s : segments) {
        out += out.empty() ? s : "/" + s;
    }
    return out;
}

/// The relationships part that belongs to a part: "xl/_rels/workbook.xml.rels" for "xl/workbook.xml".
std::string relationshipsOf(std::string_view part) {
    const std::size_t slash = part.rfind('/');
    const std::string folder = slash == std::string_view::npos ? "" : std::string(part.substr(0, slash + 1));
    const std::string name(slash == std::string_view::npos ? part : part.substr(slash + 1));
    return folder + "_rels/" + name + ".rels";
}

// Text in office documents writes characters XML cannot hold as _xHHHH_ (a line feed as _x000D_
// beside it, for one); a line break is CR LF or LF on the way in, one LF in the table.
std::string cleanText(std::string text) {
    if (text.find("_x") == std::string::npos && text.find('\r') == std::string::npos) {
        return text;
    }
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && text[i + 6] == '_') {
            unsigned code = 0;
            const auto [end, error] = std::from_chars(text.data() + i + 2, text.data() + i + 6, code, 16);
            if (error == std::errc() && end == text.data() + i + 6) {
                if (code == '\r' || code == 0 || (code >= 0xD800 && code <= 0xDFFF)) {
                    // dropped: CR pairs with the LF beside it; the rest has no character
                } else if (code < 0x80) {
                    out.push_back(static_cast<char>(code));
                } else if (code < 0x800) {
                    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
                    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
                } else {
                    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
                    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
                    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
                }
                i += 6;
                continue;
            }
        }
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                continue;
            }
            out.push_back('\n');
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

struct Relationship {
    std::string id;
    std::string type;
    std::string target; // resolved part name
};

class RelationshipsHandler final : public XmlHandler {
public:
    explicit RelationshipsHandler(std::string source) : m_source(std::move(source)) {}
    std::vector<Relationship> relationships;

    void startElement(std::string_view, std::string_view local, const XmlAttributes& attributes) override {
        if (local == "Relationship" && attributes.value("TargetMode") != "External") {
            relationships.push_back({std::string(attributes.value("Id")),
                                     std::string(attributes.value("Type")),
                                     resolvePart(m_source, attributes.value("Target"))});
        }
    }
    void endElement(std::string_view, std::string_view) override {}
    void characters(std::string_view) override {}

private:
    std::string m_source;
};

struct SheetEntry {
    std::string name;
    std::string relationship;
};

class WorkbookHandler final : public XmlHandler {
public:
    explicit WorkbookHandler(ReadContext& context) : m_context(context) {}
    std::vector<SheetEntry> sheets;
    bool date1904 = false;
    bool isWorkbook = false; // the main part of a text document or a presentation is not

    void startElement(std::string_view, std::string_view local, const XmlAttributes& attributes) override {
        if (m_depth++ == 0) {
            isWorkbook = local == "workbook";
        }
        if (local == "sheet") {
            sheets.push_back(
                {std::string(attributes.value("name")), std::string(attributes.value("id", true))});
            m_context.checkSheetCount(sheets.size());
        } else if (local == "workbookPr") {
            const std::string_view v = attributes.value("date1904");
            date1904 = v == "1" || v == "true";
        }
    }
    void endElement(std::string_view, std::string_view) override { --m_depth; }
    void characters(std::string_view) override {}

private:
    ReadContext& m_context;
    int m_depth = 0;
};

class SharedStringsHandler final : public XmlHandler {
public:
    SharedStringsHandler(ReadContext& context, std::string part)
        : m_context(context), m_part(std::move(part)) {}
    std::vector<std::string> strings;

    void startElement(std::string_view, std::string_view local, const XmlAttributes&) override {
        if (local == "si") {
            m_text.clear();
        } else if (local == "rPh") {
            ++m_phonetic;
        } else if (local == "t") {
            m_inText = m_phonetic == 0;
        }
    }
    void endElement(std::string_view, std::string_view local) override {
        if (local == "si") {
            // More strings than a table may hold cells could never all show.
            if (strings.size() >= m_context.limits().maxCells) {
                m_context.failAt(messages::TooManyCells, std::string_view(m_part));
                return;
            }
            strings.push_back(cleanText(std::move(m_text)));
            m_text.clear();
        } else if (local == "rPh") {
            --m_phonetic;
        } else if (local == "t") {
            m_inText = false;
        }
    }
    void characters(std::string_view text) override {
        if (m_inText) {
            m_text.append(text);
            // A shared string is at most a cell's text; the unpacked-size limit bounds the rest.
            if (m_text.size() > m_context.limits().maxCellBytes + 64) {
                m_context.failAt(messages::CellTooLong, std::string_view(m_part));
            }
        }
    }

private:
    ReadContext& m_context;
    std::string m_part;
    std::string m_text;
    int m_phonetic = 0;
    bool m_inText = false;
};

class StylesHandler final : public XmlHandler {
public:
    static constexpr std::size_t MaxCellFormats =
        65536; // what spreadsheet programs allow; the rest show as General
    std::map<int, std::string> customFormats;
    std::vector<int> cellFormats; // number format id of each cell style

    void startElement(std::string_view, std::string_view local, const XmlAttributes& attributes) override {
        if (local == "numFmt") {
            if (const auto id = parseIndex(attributes.value("numFmtId")); id && *id < 100000) {
                customFormats[static_cast<int>(*id)] = std::string(attributes.value("formatCode"));
            }
        } else if (local == "cellXfs") {
            m_inCellFormats = true;
        } else if (local == "xf" && m_inCellFormats && cellFormats.size() < MaxCellFormats) {
            const auto id = parseIndex(attributes.value("numFmtId"));
            cellFormats.push_back(id && *id < 100000 ? static_cast<int>(*id) : 0);
        }
    }
    void endElement(std::string_view, std::string_view local) override {
        if (local == "cellXfs") {
            m_inCellFormats = false;
        }
    }
    void characters(std::string_view) override {}

private:
    bool m_inCellFormats = false;
};

/// "AB12" as a 0-based column and row; a part left out stays as given. Saturates far past any limit.
void parseReference(std::string_view ref, std::size_t& column, std::size_t& row) {
    constexpr std::size_t Far = std::size_t{1} << 40;
    std::size_t i = 0;
    std::size_t c = 0;
    for (; i < ref.size() && ((ref[i] >= 'A' && ref[i] <= 'Z') || (ref[i] >= 'a' && ref[i] <= 'z')); ++i) {
        const auto letter = static_cast<std::size_t>((ref[i] | 0x20) - 'a' + 1);
        c = c > Far ? Far : c * 26 + letter;
    }
    std::size_t r = 0;
    const std::size_t digitsStart = i;
    for (; i < ref.size() && ref[i] >= '0' && ref[i] <= '9'; ++i) {
        r = r > Far ? Far : r * 10 + static_cast<std::size_t>(ref[i] - '0');
    }
    if (c > 0) {
        column = c - 1;
    }
    if (i > digitsStart && r > 0) {
        row = r - 1;
    }
}

class WorksheetHandler final : public XmlHandler {
public:
    WorksheetHandler(SheetBuilder& builder, ReadContext& context, const std::vector<std::string>& strings,
                     const std::vector<const NumberFormat*>& formats, bool date1904)
        : m_builder(builder), m_context(context), m_strings(strings), m_formats(formats),
          m_date1904(date1904) {}

    void startElement(std::string_view, std::string_view local, const XmlAttributes& attributes) override {
        if (local == "c") {
            ++m_column;
            parseReference(attributes.value("r"), m_column, m_row);
            m_type = attributes.value("t");
            const auto style = parseIndex(attributes.value("s"));
            m_style = style.value_or(0);
            m_value.clear();
            m_inCell = true;
        } else if (local == "row") {
            ++m_row;
            if (const auto r = parseIndex(attributes.value("r")); r && *r > 0) {
                m_row = *r - 1;
            }
            m_column = static_cast<std::size_t>(-1);
        } else if (!m_inCell) {
            if (local == "mergeCell") {
                if (++m_merges > m_context.limits().maxCells) {
                    m_context.failAt(messages::TooManyCells, m_builder.place(m_row));
                    return;
                }
                addMerge(attributes.value("ref"));
            }
        } else if (local == "v") {
            m_collect = true;
        } else if (local == "rPh") {
            ++m_phonetic;
        } else if (local == "t") {
            m_collect = m_phonetic == 0; // the text of an inline string
        }
    }

    void endElement(std::string_view, std::string_view local) override {
        if (local == "c" && m_inCell) {
            m_inCell = false;
            m_builder.setCell(m_row, m_column, shownText());
        } else if (local == "v" || local == "t") {
            m_collect = false;
        } else if (local == "rPh") {
            --m_phonetic;
        }
    }

    void characters(std::string_view text) override {
        if (m_collect) {
            m_value.append(text);
            if (m_value.size() > m_context.limits().maxCellBytes + 64) {
                m_context.failAt(messages::CellTooLong, m_builder.place(m_row, m_column));
            }
        }
    }

private:
    std::string shownText() {
        if (m_type == "s") {
            const auto index = parseIndex(m_value);
            return index && *index < m_strings.size() ? m_strings[*index] : std::string();
        }
        if (m_type == "inlineStr" || m_type == "str" || m_type == "e") {
            return cleanText(std::move(m_value));
        }
        if (m_type == "b") {
            return m_value.empty() ? std::string() : m_value == "1" || m_value == "true" ? "TRUE" : "FALSE";
        }
        if (m_value.empty()) {
            return {};
        }
        const NumberFormat* format = m_style < m_formats.size() ? m_formats[m_style] : nullptr;
        if (m_type == "d") {
            // A date written as ISO text shows in its cell's format, or as the ISO date itself.
            const std::optional<double> serial = serialFromIsoDate(m_value, m_date1904);
            if (!serial || format == nullptr || format->isGeneral() || format->isText()) {
                return cleanText(m_value.substr(0, m_value.find('T')));
            }
            return format->show(*serial, m_date1904);
        }
        double number = 0;
        const char* first = m_value.data();
        const char* last = first + m_value.size();
        const auto [end, error] = std::from_chars(first, last, number);
        if (error != std::errc() || end != last) {
            return cleanText(std::move(m_value)); // a date written as text, or anything else
        }
        return format != nullptr ? format->show(number, m_date1904) : generalNumber(number);
    }

    void addMerge(std::string_view ref) {
        const std::size_t colon = ref.find(':');
        if (colon == std::string_view::npos) {
            return;
        }
        std::size_t firstColumn = 0, firstRow = 0, lastColumn = 0, lastRow = 0;
        parseReference(ref.substr(0, colon), firstColumn, firstRow);
        parseReference(ref.substr(colon + 1), lastColumn, lastRow);
        m_builder.addMergedArea(firstRow, firstColumn, lastRow, lastColumn);
    }

    SheetBuilder& m_builder;
    ReadContext& m_context;
    const std::vector<std::string>& m_strings;
    const std::vector<const NumberFormat*>& m_formats;
    bool m_date1904;
    std::size_t m_row = static_cast<std::size_t>(-1);
    std::size_t m_column = static_cast<std::size_t>(-1);
    std::string m_type;
    std::size_t m_style = 0;
    std::string m_value;
    bool m_inCell = false;
    bool m_collect = false;
    int m_phonetic = 0;
    std::size_t m_merges = 0;
};

const Relationship* findRelationship(const std::vector<Relationship>& all, std::string_view typeTail) {
    for (const Relationship& r : all) {
        if (endsWith(r.type, typeTail)) {
            return &r;
        }
    }
    return nullptr;
}

bool readRelationships(const ZipArchive& archive, std::string_view source, ReadContext& context,
                       std::vector<Relationship>& out) {
    const std::string part = relationshipsOf(source);
    const auto stored = archive.find(part);
    if (!stored) {
        return true; // a part without relationships
    }
    RelationshipsHandler handler{std::string(source)};
    if (!parsePart(archive, *stored, handler, context)) {
        return false;
    }
    out = std::move(handler.relationships);
    return true;
}

std::optional<std::string> workbookPart(const ZipArchive& archive, ReadContext& context) {
    std::vector<Relationship> root;
    if (const auto rels = archive.find("_rels/.rels"); rels) {
        RelationshipsHandler handler{""};
        if (!parsePart(archive, *rels, handler, context)) {
            return std::nullopt;
        }
        root = std::move(handler.relationships);
    }
    if (const Relationship* main = findRelationship(root, "/officeDocument"); main != nullptr) {
        return archive.find(main->target);
    }
    return archive.find("xl/workbook.xml");
}

} // namespace

bool isXlsx(const ZipArchive& archive) {
    return archive.find("xl/workbook.xml").has_value() || archive.find("_rels/.rels").has_value();
}

bool readXlsx(const ZipArchive& archive, ReadContext& context, Table& table) {
    const std::optional<std::string> workbook = workbookPart(archive, context);
    if (context.failed()) {
        return false;
    }
    if (!workbook) {
        return context.fail(messages::UnknownFormat, model::formatMessage(messages::UnknownFormat));
    }
    // A binary workbook (.xlsb) or another kind of office document is no table this reads.
    if (!workbook->ends_with(".xml")) {
        return context.fail(messages::UnknownFormat, model::formatMessage(messages::UnknownFormat));
    }
    WorkbookHandler book(context);
    std::vector<Relationship> relationships;
    if (!parsePart(archive, *workbook, book, context)) {
        return false;
    }
    if (!book.isWorkbook) {
        return context.fail(messages::UnknownFormat, model::formatMessage(messages::UnknownFormat));
    }
    if (!readRelationships(archive, *workbook, context, relationships)) {
        return false;
    }
    // Sheets are found by their relationship id, once each.
    std::map<std::string, const Relationship*> worksheetsById;
    for (const Relationship& r : relationships) {
        if (endsWith(r.type, "/worksheet")) {
            worksheetsById.emplace(r.id, &r);
        }
    }

    std::vector<std::string> strings;
    if (const Relationship* r = findRelationship(relationships, "/sharedStrings"); r != nullptr) {
        if (const auto part = archive.find(r->target); part) {
            SharedStringsHandler handler(context, *part);
            if (!parsePart(archive, *part, handler, context)) {
                return false;
            }
            strings = std::move(handler.strings);
        }
    }

    // One number format per format id in use, shared by the cell styles that name it.
    std::map<int, NumberFormat> formatsById;
    std::vector<const NumberFormat*> formats;
    if (const Relationship* r = findRelationship(relationships, "/styles"); r != nullptr) {
        if (const auto part = archive.find(r->target); part) {
            StylesHandler handler;
            if (!parsePart(archive, *part, handler, context)) {
                return false;
            }
            for (int id : handler.cellFormats) {
                auto it = formatsById.find(id);
                if (it == formatsById.end()) {
                    const auto custom = handler.customFormats.find(id);
                    const std::string_view code = custom != handler.customFormats.end()
                                                      ? std::string_view(custom->second)
                                                      : builtInNumberFormat(id);
                    it = formatsById.emplace(id, NumberFormat(code)).first;
                }
                formats.push_back(&it->second);
            }
        }
    }

    for (const SheetEntry& entry : book.sheets) {
        const auto found = worksheetsById.find(entry.relationship);
        if (found == worksheetsById.end()) {
            continue; // a chart sheet or a dialog sheet holds no cells
        }
        const Relationship* r = found->second;
        const auto part = archive.find(r->target);
        if (!part) {
            return context.failDamaged(r->target);
        }
        SheetBuilder builder(entry.name, context);
        WorksheetHandler handler(builder, context, strings, formats, book.date1904);
        Sheet sheet;
        if (!parsePart(archive, *part, handler, context) || !builder.finish(sheet)) {
            return false;
        }
        table.sheets.push_back(std::move(sheet));
    }
    if (table.sheets.empty()) {
        return context.fail(messages::NoWorksheet, model::formatMessage(messages::NoWorksheet));
    }
    return true;
}

} // namespace qx::wirelist
