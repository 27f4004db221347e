#include "ui/dialogs/import/WireListImportModel.h"

#include "model/StringTable.h"
#include "wirelist/HeaderRow.h"
#include "wirelist/TableReader.h"
#include "wirelist/WireListMessages.h"

#include <algorithm>

namespace qx::ui {

WireListImportModel::WireListImportModel(const model::EditData& current, int position,
                                         const model::Catalogue& catalogue, const model::OperatorSettings& settings,
                                         std::filesystem::path profileFolder)
    : m_current(current), m_position(position), m_catalogue(catalogue), m_settings(settings),
      m_store(std::move(profileFolder)) {
    update();
}

bool WireListImportModel::read(const std::filesystem::path& path) {
    wirelist::TableReadResult read = wirelist::readTableFile(path, {m_profile.encoding, m_profile.separator});
    if (!read.ok) {
        m_readMessageId = read.messageId;
        m_readMessage = std::move(read.message);
        return false;
    }
    m_readMessageId = 0;
    m_readMessage.clear();
    m_path = path;
    m_table = std::move(read.table);
    m_sheet = static_cast<int>(wirelist::findSheet(m_table, m_profile.sheet).value_or(0));
    return true;
}

bool WireListImportModel::open(const std::filesystem::path& path) {
    // Another file: its encoding and separator are found out afresh, its sheet is the first.
    wirelist::ImportProfile fresh = m_profile;
    m_profile.encoding.clear();
    m_profile.separator = 0;
    m_profile.sheet.clear();
    if (!read(path)) {
        m_profile = std::move(fresh);
        return false;
    }
    if (!m_table.sheets.empty()) {
        const wirelist::Header header = wirelist::findHeader(m_table.sheets[static_cast<std::size_t>(m_sheet)]);
        if (std::optional<wirelist::ImportProfileStore::Entry> saved = m_store.findFor(header.cells)) {
            applyProfile(saved->profile);
            return true;
        }
    }
    // A file of another kind starts from what its headers say, with the encoding it was read in.
    wirelist::ImportProfile found;
    found.encoding = m_profile.encoding;
    found.separator = m_profile.separator;
    m_profile = std::move(found);
    update();
    return true;
}

bool WireListImportModel::reread() {
    if (m_path.empty()) {
        update();
        return true;
    }
    const bool ok = read(m_path);
    update();
    return ok;
}

void WireListImportModel::setTable(wirelist::Table table) {
    m_path.clear();
    m_table = std::move(table);
    m_sheet = static_cast<int>(wirelist::findSheet(m_table, m_profile.sheet).value_or(0));
    update();
}

void WireListImportModel::setSheet(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_table.sheets.size()) {
        return;
    }
    m_sheet = index;
    // A name another sheet also has is kept as the sheet's number.
    const std::string& name = m_table.sheets[static_cast<std::size_t>(index)].name;
    const bool unique = wirelist::findSheet(m_table, name) == static_cast<std::size_t>(index);
    m_profile.sheet = unique ? name : std::to_string(index + 1);
    update();
}

void WireListImportModel::applyProfile(const wirelist::ImportProfile& profile) {
    const std::string encoding = m_profile.encoding;
    const char separator = m_profile.separator;
    const std::string sheet = m_profile.sheet;
    m_profile = profile;
    if (m_profile.sheet.empty()) {
        m_profile.sheet = sheet;
    }
    const bool textFile = !m_table.encoding.empty();
    const bool otherReading = (!m_profile.encoding.empty() && m_profile.encoding != m_table.encoding) ||
                              (m_profile.separator != 0 && m_profile.separator != m_table.separator);
    if (m_profile.encoding.empty()) {
        m_profile.encoding = encoding;
    }
    if (m_profile.separator == 0) {
        m_profile.separator = separator;
    }
    if (textFile && otherReading && !m_path.empty()) {
        read(m_path);
    } else {
        m_sheet = static_cast<int>(wirelist::findSheet(m_table, m_profile.sheet).value_or(0));
    }
    update();
}

void WireListImportModel::update() {
    if (m_table.sheets.empty()) {
        m_mapping = wirelist::SheetMapping{};
        m_mapping.messageId = wirelist::WireListMessage::EmptySheet;
        m_mapping.message = model::formatMessage(m_mapping.messageId);
    } else {
        m_sheet = std::clamp(m_sheet, 0, static_cast<int>(m_table.sheets.size()) - 1);
        m_mapping = wirelist::mapSheet(m_table.sheets[static_cast<std::size_t>(m_sheet)], m_profile);
    }
    const std::span<const wirelist::Piece> pieces =
        m_mapping.ok ? std::span<const wirelist::Piece>(m_mapping.pieces) : std::span<const wirelist::Piece>();
    wirelist::insertPieces(m_current, m_position, pieces, m_catalogue, m_settings, m_inserted);
}

bool WireListImportModel::canInsert() const {
    return problem().empty();
}

std::string WireListImportModel::problem() const {
    if (!m_mapping.ok) {
        return m_mapping.message;
    }
    if (m_mapping.pieces.empty()) {
        return model::formatMessage(wirelist::WireListMessage::EmptySheet);
    }
    if (!m_inserted.merge.ok) {
        const std::vector<int>& ids = m_inserted.merge.report.messageIds;
        return ids.empty() ? std::string() : std::string(model::messageText(ids.front()));
    }
    return {};
}

std::vector<std::string> WireListImportModel::reportLines() const {
    std::vector<std::string> lines;
    for (const auto* notes : {&m_mapping.skipped, &m_mapping.notices, &m_inserted.notices}) {
        for (const wirelist::RowNote& note : *notes) {
            lines.push_back(note.text);
        }
    }
    return lines;
}

formats::FileInsertResult WireListImportModel::result() const {
    formats::FileInsertResult result;
    result.ok = canInsert();
    result.messageIds = m_inserted.merge.report.messageIds;
    if (result.ok) {
        result.data = m_inserted.merge.data;
    }
    return result;
}

wirelist::ImportProfileStore::SaveResult WireListImportModel::saveProfile(const std::string& name) {
    m_profile.name = name;
    m_profile.header = wirelist::headerSignature(m_mapping.header);
    return m_store.save(m_profile);
}

} // namespace qx::ui
