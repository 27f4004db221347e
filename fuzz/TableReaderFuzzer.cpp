// Table reading on arbitrary bytes: text in any encoding, XLSX and ODS containers with their XML
// parts. Besides never crashing, a table read must keep the promises of its shape and limits, and
// a refusal must say why.

#include "wirelist/TableReader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// Smaller than the defaults, so that an input that spends its limit still runs fast.
qx::wirelist::TableLimits fuzzLimits() {
    qx::wirelist::TableLimits limits;
    limits.maxUnpackedBytes = 4u << 20;
    limits.maxRows = 2000;
    limits.maxColumns = 256;
    limits.maxCellBytes = 4096;
    limits.maxXmlDepth = 64;
    limits.maxCells = 100000;
    return limits;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const qx::wirelist::TableLimits limits = fuzzLimits();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const qx::wirelist::TableReadResult result = qx::wirelist::readTableBytes(bytes, {}, limits);
    if (!result.ok) {
        if (result.messageId == 0 || result.message.empty()) {
            std::abort();
        }
        return 0;
    }
    std::size_t cells = 0;
    for (const qx::wirelist::Sheet& sheet : result.table.sheets) {
        if (sheet.rows.size() > limits.maxRows || (!sheet.rows.empty() && sheet.rows.back().empty())) {
            std::abort();
        }
        for (const auto& row : sheet.rows) {
            if (row.size() > limits.maxColumns || (!row.empty() && row.back().empty())) {
                std::abort();
            }
            cells += row.size();
            for (const std::string& cell : row) {
                if (cell.size() > limits.maxCellBytes) {
                    std::abort();
                }
            }
        }
    }
    if (cells > limits.maxCells) {
        std::abort();
    }
    return 0;
}
