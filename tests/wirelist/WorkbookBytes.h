#pragma once

// Test helpers: zip containers written in memory with libzip, and a table as text.

#include "wirelist/Table.h"

#include <zip.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace qx::wirelist::testing {

struct Part {
    std::string name;
    std::string bytes;
};

/// A zip container of the parts, deflated (or stored); throws when libzip cannot write it.
inline std::string makeZip(const std::vector<Part>& parts, bool deflate = true,
                           const char* password = nullptr) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        zip_source_free(buffer);
        throw std::runtime_error("zip_open_from_source");
    }
    for (const Part& part : parts) {
        zip_source_t* source = zip_source_buffer(archive, part.bytes.data(), part.bytes.size(), 0);
        const zip_int64_t index = zip_file_add(archive, part.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            throw std::runtime_error("zip_file_add");
        }
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                 deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 9);
        if (password != nullptr && zip_file_set_encryption(archive, static_cast<zip_uint64_t>(index),
                                                           ZIP_EM_AES_256, password) != 0) {
            zip_discard(archive);
            zip_source_free(buffer);
            throw std::runtime_error("zip_file_set_encryption");
        }
    }
    if (zip_close(archive) != 0) {
        throw std::runtime_error("zip_close");
    }
    std::string out;
    zip_source_open(buffer);
    zip_source_seek(buffer, 0, SEEK_END);
    out.resize(static_cast<std::size_t>(zip_source_tell(buffer)));
    zip_source_seek(buffer, 0, SEEK_SET);
    zip_source_read(buffer, out.data(), out.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    return out;
}

inline std::string escapeCell(const std::string& cell) {
    std::string out;
    for (char c : cell) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

/// The table in the form of the fixtures' .expected.txt files: for text files the encoding and
/// the separator, then each sheet's name and its rows, numbered from 1, cells separated by tabs.
inline std::string dumpTable(const Table& table) {
    std::string out;
    if (!table.encoding.empty()) {
        out += "encoding: " + table.encoding + "\n";
        out += "separator: " + escapeCell(std::string(1, table.separator)) + "\n";
    }
    for (const Sheet& sheet : table.sheets) {
        out += "sheet: " + sheet.name + "\n";
        for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
            out += std::to_string(r + 1);
            for (const std::string& cell : sheet.rows[r]) {
                out += "\t" + escapeCell(cell);
            }
            out += "\n";
        }
    }
    return out;
}

/// The smallest XLSX package around one or more worksheets, in this order, named Sheet1...
inline std::vector<Part> minimalXlsx(const std::vector<std::string>& sheetXml,
                                     const std::string& sharedStrings = {}, const std::string& styles = {},
                                     const std::string& workbookProperties = {}) {
    const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    std::vector<Part> parts;
    parts.push_back(
        {"_rels/.rels", "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/"
                        "package/2006/relationships\"><Relationship Id=\"rId1\" Type=\"" +
                            rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"});
    std::string sheets;
    std::string rels;
    for (std::size_t i = 0; i < sheetXml.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        sheets += "<sheet name=\"Sheet" + n + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + rel + "/worksheet\" Target=\"worksheets/sheet" +
                n + ".xml\"/>";
        parts.push_back({"xl/worksheets/sheet" + n + ".xml", sheetXml[i]});
    }
    if (!sharedStrings.empty()) {
        rels += "<Relationship Id=\"rS\" Type=\"" + rel + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
        parts.push_back({"xl/sharedStrings.xml", sharedStrings});
    }
    if (!styles.empty()) {
        rels += "<Relationship Id=\"rT\" Type=\"" + rel + "/styles\" Target=\"/xl/styles.xml\"/>";
        parts.push_back({"xl/styles.xml", styles});
    }
    parts.push_back({"xl/workbook.xml", "<?xml version=\"1.0\"?><workbook xmlns=\"" + main + "\" xmlns:r=\"" +
                                            rel + "\">" + workbookProperties + "<sheets>" + sheets +
                                            "</sheets></workbook>"});
    parts.push_back(
        {"xl/_rels/workbook.xml.rels", "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas."
                                       "openxmlformats.org/package/2006/relationships\">" +
                                           rels + "</Relationships>"});
    return parts;
}

/// A worksheet part around the given sheetData content (and what follows it, such as merges).
inline std::string worksheet(const std::string& rows, const std::string& after = {}) {
    return "<?xml version=\"1.0\"?><worksheet "
           "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<sheetData>" +
           rows + "</sheetData>" + after + "</worksheet>";
}

/// An ODS package around the given office:spreadsheet content.
inline std::vector<Part> minimalOds(const std::string& spreadsheet) {
    return {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
            {"content.xml", "<?xml version=\"1.0\"?><office:document-content "
                            "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                            "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                            "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                            "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\"><office:body><"
                            "office:spreadsheet>" +
                                spreadsheet +
                                "</office:spreadsheet></office:body></office:document-content>"}};
}

} // namespace qx::wirelist::testing
