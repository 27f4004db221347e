#include "OdsReader.h"

#include "model/StringTable.h"
#include "wirelist/NumberFormat.h"
#include "wirelist/SheetBuilder.h"
#include "wirelist/XmlParser.h"
#include "wirelist/ZipArchive.h"

#include <charconv>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qx::wirelist {

namespace {

constexpr std::string_view ContentPart = "content.xml";
constexpr std::size_t Far = std::size_t{1} << 40; // past every limit, and far from wrapping around

std::size_t parseCount(std::string_view text) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        return Far;
    }
    return error != std::errc() || end != text.data() + text.size() || value == 0 ? 1 : std::min(value, Far);
}

std::size_t saturatingAdd(std::size_t a, std::size_t b) {
    return std::min(a + std::min(b, Far), Far);
}

class ContentHandler final : public XmlHandler {
public:
    ContentHandler(ReadContext& context, Table& table) : m_context(context), m_table(table) {}

    void startElement(std::string_view ns, std::string_view local, const XmlAttributes& attributes) override {
        if (m_skip > 0) {
            ++m_skip;
            return;
        }
        if (local == "table" && ns.ends_with(":table:1.0")) {
            if (m_builder) {
                m_skip = 1; // a table inside a cell is no sheet of its own
                return;
            }
            if (!m_context.checkSheetCount(m_table.sheets.size() + 1)) {
                return;
            }
            m_builder = std::make_unique<SheetBuilder>(std::string(attributes.value("name")), m_context);
            m_row = 0;
            return;
        }
        if (!m_builder) {
            return;
        }
        if (!m_inCell) {
            if (local == "table-row") {
                m_rowRepeat = parseCount(attributes.value("number-rows-repeated"));
                m_column = 0;
                m_cells.clear();
            } else if (local == "table-cell" || local == "covered-table-cell") {
                startCell(attributes);
            } else if (local == "shapes") {
                m_skip = 1;
            }
            return;
        }
        // Inside a cell: only its paragraphs show; notes, comments and drawings do not.
        if (local == "annotation" || local == "note" || ns.ends_with(":drawing:1.0")) {
            m_skip = 1;
        } else if (local == "p" || local == "h") {
            if (m_paragraphs > 0) {
                m_text.push_back('\n');
            }
            ++m_paragraphs;
            m_inParagraph = true;
            m_spaceBefore = true; // white space at the start of a paragraph does not show
        } else if (m_inParagraph && local == "s") {
            append(std::string(
                std::min(parseCount(attributes.value("c")), m_context.limits().maxCellBytes + 1), ' '));
        } else if (m_inParagraph && local == "tab") {
            append("\t");
        } else if (m_inParagraph && local == "line-break") {
            append("\n");
        }
    }

    void endElement(std::string_view ns, std::string_view local) override {
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        if (!m_builder) {
            return;
        }
        if (m_inCell) {
            if (local == "p" || local == "h") {
                m_inParagraph = false;
            } else if (local == "table-cell" || local == "covered-table-cell") {
                endCell();
            }
            return;
        }
        if (local == "table-row") {
            endRow();
        } else if (local == "table" && ns.ends_with(":table:1.0")) {
            Sheet sheet;
            if (m_builder->finish(sheet)) {
                m_table.sheets.push_back(std::move(sheet));
            }
            m_builder.reset();
        }
    }

    void characters(std::string_view text) override {
        if (m_skip > 0 || !m_inParagraph) {
            return;
        }
        // Runs of white space in a paragraph show as one blank; text:s writes the others.
        std::string collapsed;
        collapsed.reserve(text.size());
        for (char c : text) {
            const bool space = c == ' ' || c == '\t' || c == '\n' || c == '\r';
            if (space) {
                if (!m_spaceBefore) {
                    collapsed.push_back(' ');
                }
                m_spaceBefore = true;
            } else {
                collapsed.push_back(c);
                m_spaceBefore = false;
            }
        }
        appendRaw(collapsed);
    }

private:
    struct PendingCell {
        std::size_t column;
        std::size_t repeat;
        std::string text;
    };

    void append(std::string_view text) {
        appendRaw(text);
        m_spaceBefore = false;
    }
    void appendRaw(std::string_view text) {
        m_text.append(text);
        if (m_text.size() > m_context.limits().maxCellBytes) {
            m_context.failAt(messages::CellTooLong, m_builder->place(m_row, m_column));
        }
    }

    void startCell(const XmlAttributes& attributes) {
        m_inCell = true;
        m_text.clear();
        m_paragraphs = 0;
        m_inParagraph = false;
        m_columnRepeat = parseCount(attributes.value("number-columns-repeated"));
        m_columnSpan = parseCount(attributes.value("number-columns-spanned"));
        m_rowSpan = parseCount(attributes.value("number-rows-spanned"));
        // A cell written without its shown text: the value stands for it.
        m_fallback.clear();
        const std::string_view type = attributes.value("value-type");
        if (type == "string") {
            m_fallback = attributes.value("string-value");
        } else if (type == "boolean") {
            const std::string_view v = attributes.value("boolean-value");
            m_fallback = v == "true" || v == "1" ? "TRUE" : "FALSE";
        } else if (type == "date") {
            m_fallback = attributes.value("date-value");
        } else if (type == "time") {
            m_fallback = attributes.value("time-value");
        } else if (!type.empty()) {
            double number = 0;
            const std::string_view v = attributes.value("value");
            const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), number);
            if (error == std::errc() && end == v.data() + v.size()) {
                m_fallback = generalNumber(number);
            }
        }
    }

    void endCell() {
        m_inCell = false;
        std::string text = m_paragraphs > 0 ? std::move(m_text) : std::move(m_fallback);
        if (!text.empty()) {
            if (m_rowRepeat == 1 && (m_columnSpan > 1 || m_rowSpan > 1)) {
                m_builder->addMergedArea(m_row, m_column, saturatingAdd(m_row, m_rowSpan - 1),
                                         saturatingAdd(m_column, m_columnSpan - 1));
            }
            m_cells.push_back({m_column, m_columnRepeat, std::move(text)});
        }
        m_column = saturatingAdd(m_column, m_columnRepeat);
    }

    void endRow() {
        // Repeated empty rows (a sheet's unused rest, often a million of them) only move on.
        for (const PendingCell& cell : m_cells) {
            if (!m_builder->fillCells(m_row, cell.column, m_rowRepeat, cell.repeat, cell.text)) {
                return;
            }
        }
        m_cells.clear();
        m_row = saturatingAdd(m_row, m_rowRepeat);
    }

    ReadContext& m_context;
    Table& m_table;
    std::unique_ptr<SheetBuilder> m_builder;
    std::vector<PendingCell> m_cells;
    std::string m_text;
    std::string m_fallback;
    std::size_t m_row = 0;
    std::size_t m_column = 0;
    std::size_t m_rowRepeat = 1;
    std::size_t m_columnRepeat = 1;
    std::size_t m_columnSpan = 1;
    std::size_t m_rowSpan = 1;
    std::size_t m_skip = 0;
    int m_paragraphs = 0;
    bool m_inCell = false;
    bool m_inParagraph = false;
    bool m_spaceBefore = false;
};

} // namespace

bool isOds(const ZipArchive& archive, ReadContext& context) {
    const auto mimetype = archive.find("mimetype");
    if (!mimetype) {
        return archive.find(ContentPart).has_value() && !archive.find("xl/workbook.xml");
    }
    std::string type;
    return archive.readAll(*mimetype, context, type) &&
           type.starts_with("application/vnd.oasis.opendocument.spreadsheet");
}

bool readOds(const ZipArchive& archive, ReadContext& context, Table& table) {
    const auto content = archive.find(ContentPart);
    if (!content) {
        return context.failDamaged(ContentPart);
    }
    ContentHandler handler(context, table);
    if (!parsePart(archive, *content, handler, context)) {
        return false;
    }
    if (table.sheets.empty()) {
        return context.fail(messages::NoWorksheet, model::formatMessage(messages::NoWorksheet));
    }
    return true;
}

} // namespace qx::wirelist
