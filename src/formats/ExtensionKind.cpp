#include "ExtensionKind.h"

#include "model/StringTable.h"

namespace qx::formats {

namespace {

constexpr int DocumentExtensionText = 40002; // ".QXF"
constexpr int CsvExtensionText = 40003;      // ".CSV"

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size() || a.empty()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

ExtensionKind extensionKind(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return ExtensionKind::Other;
    }
    const std::string_view extension = name.substr(dot);
    if (equalsIgnoringCase(extension, model::messageText(DocumentExtensionText))) {
        return ExtensionKind::DocumentFile;
    }
    if (equalsIgnoringCase(extension, model::messageText(CsvExtensionText))) {
        return ExtensionKind::Csv;
    }
    return ExtensionKind::Other;
}

} // namespace qx::formats
