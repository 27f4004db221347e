// Reading wire lists: a sheet of 10,000 wires × 12 columns as XLSX (shared strings, numbers,
// dates, as spreadsheet programs write it), as ODS and as a code page 932 CSV.

#include "model/TextConversion.h"
#include "wirelist/TableReader.h"
#include "wirelist/WorkbookBytes.h"

#include <map>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace qx::wirelist;
using namespace qx::wirelist::testing;

constexpr int Rows = 10000;
constexpr int Columns = 12;

const char* const Headers[Columns] = {"線番",       "接続元機器", "接続元端子", "接続先機器",
                                      "接続先端子", "色",         "断面積",     "本数",
                                      "長さ",       "ケーブル",   "日付",       "備考"};

// The text of each cell, the same in every format.
std::string cellText(int row, int column) {
    switch (column) {
    case 0:
        return "W" + std::to_string(10000 + row);
    case 1:
        return "-X" + std::to_string(row % 40 + 1);
    case 2:
        return std::to_string(row % 24 + 1);
    case 3:
        return "-K" + std::to_string(row % 70 + 1);
    case 4:
        return "A" + std::to_string(row % 2 + 1);
    case 5:
        return row % 3 == 0 ? "青" : row % 3 == 1 ? "赤" : "黒";
    case 9:
        return "ケーブル" + std::to_string(row % 100);
    case 11:
        return row % 10 == 0 ? "予備" : "";
    default:
        return {};
    }
}

double cellNumber(int row, int column) {
    switch (column) {
    case 6:
        return row % 2 == 0 ? 1.25 : 0.75;
    case 7:
        return row % 4 + 1;
    case 8:
        return 100 + row % 900;
    default:
        return 45306 + row % 365; // a date
    }
}

struct Workbook {
    std::string bytes;
    std::size_t unpacked = 0; // the sum of its parts, what the memory budget is measured against
};

Workbook zipped(const std::vector<Part>& parts) {
    Workbook book{makeZip(parts)};
    for (const Part& part : parts) {
        book.unpacked += part.bytes.size();
    }
    return book;
}

const Workbook& xlsxBook() {
    static const Workbook book = [] {
        std::vector<std::string> strings;
        std::map<std::string, std::size_t> index;
        auto shared = [&](const std::string& text) {
            auto [it, added] = index.emplace(text, strings.size());
            if (added) {
                strings.push_back(text);
            }
            return it->second;
        };
        std::string rows;
        auto column = [](int c) { return std::string(1, static_cast<char>('A' + c)); };
        rows += "<row r=\"1\">";
        for (int c = 0; c < Columns; ++c) {
            rows +=
                "<c r=\"" + column(c) + "1\" t=\"s\"><v>" + std::to_string(shared(Headers[c])) + "</v></c>";
        }
        rows += "</row>";
        for (int r = 0; r < Rows; ++r) {
            const std::string n = std::to_string(r + 2);
            rows += "<row r=\"" + n + "\" spans=\"1:12\">";
            for (int c = 0; c < Columns; ++c) {
                const std::string ref = column(c) + n;
                if (c >= 6 && c <= 8) {
                    rows += "<c r=\"" + ref + "\" s=\"" + (c == 6 ? "2" : "0") + "\"><v>" +
                            std::to_string(cellNumber(r, c)) + "</v></c>";
                } else if (c == 10) {
                    rows += "<c r=\"" + ref + "\" s=\"1\"><v>" +
                            std::to_string(static_cast<int>(cellNumber(r, c))) + "</v></c>";
                } else if (const std::string text = cellText(r, c); !text.empty()) {
                    rows += "<c r=\"" + ref + "\" t=\"s\"><v>" + std::to_string(shared(text)) + "</v></c>";
                }
            }
            rows += "</row>";
        }
        std::string sst = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
        for (const std::string& s : strings) {
            sst += "<si><t>" + s + "</t></si>";
        }
        sst += "</sst>";
        const std::string styles =
            "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
            "<numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy/m/d\"/></numFmts><cellXfs>"
            "<xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"2\"/></cellXfs></styleSheet>";
        return zipped(minimalXlsx({worksheet(rows)}, sst, styles));
    }();
    return book;
}

const Workbook& odsBook() {
    static const Workbook book = [] {
        std::string rows = "<table:table-row>";
        for (const char* h : Headers) {
            rows += "<table:table-cell office:value-type=\"string\"><text:p>" + std::string(h) +
                    "</text:p></table:table-cell>";
        }
        rows += "</table:table-row>";
        for (int r = 0; r < Rows; ++r) {
            rows += "<table:table-row>";
            for (int c = 0; c < Columns; ++c) {
                std::string text = cellText(r, c);
                if (c >= 6 && c <= 10) {
                    text = c == 10  ? "2024/1/15"
                           : c == 6 ? (r % 2 == 0 ? "1.25" : "0.75")
                                    : std::to_string(static_cast<int>(cellNumber(r, c)));
                }
                rows += text.empty() ? "<table:table-cell/>"
                                     : "<table:table-cell office:value-type=\"string\"><text:p>" + text +
                                           "</text:p></table:table-cell>";
            }
            rows += "</table:table-row>";
        }
        return zipped(minimalOds("<table:table table:name=\"配線\">" + rows + "</table:table>"));
    }();
    return book;
}

const std::string& csvBytes() {
    static const std::string bytes = [] {
        std::string csv;
        for (int c = 0; c < Columns; ++c) {
            csv += std::string(c > 0 ? "," : "") + Headers[c];
        }
        csv += "\r\n";
        for (int r = 0; r < Rows; ++r) {
            for (int c = 0; c < Columns; ++c) {
                std::string text = cellText(r, c);
                if (c >= 6 && c <= 10) {
                    text = c == 10  ? "2024/1/15"
                           : c == 6 ? (r % 2 == 0 ? "1.25" : "0.75")
                                    : std::to_string(static_cast<int>(cellNumber(r, c)));
                }
                csv += (c > 0 ? "," : "") + (c == 11 && !text.empty() ? "\"" + text + "\"" : text);
            }
            csv += "\r\n";
        }
        return qx::model::utf8ToSjis(csv).value_or(std::string());
    }();
    return bytes;
}

void readBench(benchmark::State& state, const std::string& bytes, std::size_t unpacked) {
    for (auto _ : state) {
        const TableReadResult result = readTableBytes(bytes);
        if (!result.ok || result.table.sheets.at(0).rows.size() != Rows + 1) {
            state.SkipWithError("the wire list was not read whole");
            break;
        }
        benchmark::DoNotOptimize(result.table.sheets.data());
    }
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
    state.counters["unpacked_bytes"] = static_cast<double>(unpacked);
}

void BM_ReadXlsxWireList(benchmark::State& state) {
    readBench(state, xlsxBook().bytes, xlsxBook().unpacked);
}
BENCHMARK(BM_ReadXlsxWireList)->Unit(benchmark::kMillisecond);

void BM_ReadOdsWireList(benchmark::State& state) {
    readBench(state, odsBook().bytes, odsBook().unpacked);
}
BENCHMARK(BM_ReadOdsWireList)->Unit(benchmark::kMillisecond);

void BM_ReadCp932CsvWireList(benchmark::State& state) {
    readBench(state, csvBytes(), csvBytes().size());
}
BENCHMARK(BM_ReadCp932CsvWireList)->Unit(benchmark::kMillisecond);

} // namespace
