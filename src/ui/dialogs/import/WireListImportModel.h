#pragma once

// What the wire-list import dialog shows and changes, without a widget: the table read from the
// file, the profile the operator shapes, and the blocks the pieces make in the document.

#include "formats/FileInsert.h"
#include "wirelist/ImportProfile.h"
#include "wirelist/ImportProfileStore.h"
#include "wirelist/Table.h"
#include "wirelist/WireListImport.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qx::model {
class Catalogue;
struct OperatorSettings;
} // namespace qx::model

namespace qx::ui {

class WireListImportModel final {
public:
    /// The pieces go in front of block `position` of `current` (−1: they make the document).
    WireListImportModel(const model::EditData& current, int position, const model::Catalogue& catalogue,
                        const model::OperatorSettings& settings, std::filesystem::path profileFolder);

    /// Reads the file, its encoding and separator found out, and takes over a saved profile made for
    /// a file with the same header, else starts afresh from its headers. False, with the reader's
    /// message, when it is refused; the table and the profile before stay.
    bool open(const std::filesystem::path& path);
    /// Reads the same file again after the encoding or separator changed.
    bool reread();
    /// A table read elsewhere, without a file.
    void setTable(wirelist::Table table);

    const wirelist::Table& table() const { return m_table; }
    const std::filesystem::path& path() const { return m_path; }
    int sheetIndex() const { return m_sheet; }
    /// Chooses a sheet by its index; the profile remembers its name.
    void setSheet(int index);

    const wirelist::ImportProfile& profile() const { return m_profile; }
    /// Changes the profile; call update() after.
    wirelist::ImportProfile& profile() { return m_profile; }
    /// A saved profile in place of the current one, the file's encoding, separator and sheet kept
    /// unless it names its own.
    void applyProfile(const wirelist::ImportProfile& profile);
    /// The name of the saved profile in use ("" for none).
    const std::string& profileName() const { return m_profile.name; }

    /// Maps the rows again and places the pieces; after every change of the profile or the sheet.
    void update();

    const wirelist::SheetMapping& mapping() const { return m_mapping; }
    const wirelist::PieceInsert& inserted() const { return m_inserted; }
    /// The record with the pieces in it, as the document would be.
    const model::EditData& preview() const { return m_inserted.merge.data; }
    /// The first block the pieces fill in the preview, and how many they fill.
    int firstInsertedBlock() const { return std::max(m_position, 0); }
    int insertedBlocks() const { return m_inserted.merge.insertedBlocks; }

    /// Whether OK can insert: the rows map, give pieces, and the merged record passed its check.
    bool canInsert() const;
    /// Why OK cannot insert, or "" when it can.
    std::string problem() const;
    /// The skipped rows, then the rows read with a change, then the pieces that did not fit.
    std::vector<std::string> reportLines() const;

    /// What the file insert takes: the merged record and its messages.
    formats::FileInsertResult result() const;

    /// The message of the last refused read.
    int readMessageId() const { return m_readMessageId; }
    const std::string& readMessage() const { return m_readMessage; }

    /// The profiles saved in the settings folder.
    const wirelist::ImportProfileStore& store() const { return m_store; }
    /// Saves the profile under `name` with the header of the file it was made for.
    wirelist::ImportProfileStore::SaveResult saveProfile(const std::string& name);

private:
    bool read(const std::filesystem::path& path);

    const model::EditData& m_current;
    int m_position;
    const model::Catalogue& m_catalogue;
    const model::OperatorSettings& m_settings;
    wirelist::ImportProfileStore m_store;

    std::filesystem::path m_path;
    wirelist::Table m_table;
    int m_sheet = 0;
    wirelist::ImportProfile m_profile;
    wirelist::SheetMapping m_mapping;
    wirelist::PieceInsert m_inserted;
    int m_readMessageId = 0;
    std::string m_readMessage;
};

} // namespace qx::ui
