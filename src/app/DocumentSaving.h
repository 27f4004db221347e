#pragma once

#include "formats/ExtensionKind.h"

#include <QString>

#include <cstdint>
#include <string_view>
#include <vector>

namespace qx::model {
class Catalogue;
struct EditData;
struct OperatorSettings;
} // namespace qx::model

namespace qx::app {

/// The name and folder a save-as dialog starts with.
struct SaveProposal {
    QString folder; ///< empty: the stored "DirectoryPath"
    QString name;

    friend bool operator==(const SaveProposal&, const SaveProposal&) = default;
};

/// A never-saved document (no path) proposes its title, cut at the first of " #%;/\", in no
/// folder; a saved one its own file name in its own folder, without an extension other than ".QXF".
SaveProposal proposeSaveName(const QString& pathName, const QString& title, bool replace);

/// The bytes a save writes for the kind of the path's extension.
struct SaveBytes {
    enum class Status {
        Ready,         ///< `bytes` are to be written
        EncodeFailed,  ///< the trial encoding failed: messageId at the failed block and line
        NotSavable,    ///< neither ".QXF" nor ".CSV": fails without a message
    };
    Status status = Status::NotSavable;
    formats::ExtensionKind kind = formats::ExtensionKind::Other;
    int messageId = 0;
    int failedBlock = 0;
    int failedLine = 0;
    std::vector<std::uint8_t> bytes;
};

/// A document file is encoded (which is its trial: 42002, 42003 or 42004 when it does not fit the
/// model), a CSV file written as text; any other name is not saved.
SaveBytes saveBytesFor(const QString& path, const model::EditData& data, const model::Catalogue& catalogue,
                       const model::OperatorSettings& settings);

/// The name filters of a file dialog from a "text|pattern|text|pattern||" filter string; each
/// pattern also matches the lower-case form of the extension, since file names here are
/// case-sensitive.
QStringList fileDialogFilters(std::string_view filter);

} // namespace qx::app
