#pragma once

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/StringTable.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx::cli {

/// What every command works with: the selected model's catalogue, the settings of a fresh
/// settings store for it, and the two output streams. Messages the editor would show in a box go
/// to the error stream as one line each: the id, a space and the text.
class ToolContext final {
public:
    ToolContext(model::ModelType model, std::ostream& out, std::ostream& err);

    const model::Catalogue& catalogue() const { return m_catalogue; }
    const model::OperatorSettings& settings() const { return m_settings; }
    model::ModelType model() const { return m_catalogue.model(); }
    std::ostream& out() const { return m_out; }
    std::ostream& err() const { return m_err; }

    /// "42001 使用中の…": the string table's text, its line breaks printed as blanks; with
    /// arguments, the text formatted with them.
    void showMessage(int id, std::initializer_list<model::MessageArg> args = {}) const;
    void showMessages(std::span<const int> ids) const;
    /// The same with a text whose details are filled in already.
    void showMessage(int id, std::string_view text) const;
    /// "qxtool: text" on the error stream.
    void error(std::string_view text) const;

    /// The whole file, or nothing after reporting the path and the system's reason.
    std::optional<std::vector<std::uint8_t>> readFile(const std::string& path) const;
    /// Saves through the atomic save; false after reporting the path and the system's reason.
    bool writeFile(const std::string& path, std::span<const std::uint8_t> bytes) const;

private:
    model::Catalogue m_catalogue;
    model::OperatorSettings m_settings;
    std::ostream& m_out;
    std::ostream& m_err;
};

/// The model named by `text`: a display name of the model list (such as "QX-950W3", any case) or
/// a model index the catalogue knows.
std::optional<model::ModelType> parseModel(std::string_view text);

/// The display name of the model in the model list; "" when it has none.
std::string_view modelDisplayName(model::ModelType model);

/// A decimal integer, the whole text.
std::optional<int> parseInteger(std::string_view text);

} // namespace qx::cli
