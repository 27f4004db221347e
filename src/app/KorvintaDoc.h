#pragma once

#include "ui/EditDocument.h"

#include <QString>

#include <functional>
#include <optional>

namespace qx::app {

/// A document of the editor: its record tied to a file. A document file (.QXF) opens and saves as
/// one printer image of the model's generation; a CSV file is written as text and never becomes
/// the document's name. Every failure is told to the operator here, through the context's prompter.
class CKorvintaDoc final : public ui::EditDocument {
    Q_OBJECT

public:
    /// A document with a fresh record at the model's defaults.
    explicit CKorvintaDoc(const ui::EditorContext& context, QObject* parent = nullptr);
    ~CKorvintaDoc() override;

    QString pathName() const { return m_pathName; }
    /// Takes a path as the document's name (only a .QXF path); the title becomes its file name.
    void setPathName(const QString& path);

    /// The name the save question shows: the path when the document has one, else its title.
    QString displayName() const;

    /// Reads a document file into the record (the file's bytes, then the image decoder). On
    /// success the document is clean and named after the file; on failure the record is unchanged
    /// and the operator has been told why (a file message, or 42001).
    bool open(const QString& path);

    /// Writes the record to `path` by its extension: a document file (then the document is
    /// clean), a CSV file (the modified flag stays), any other name fails silently. An existing
    /// file is replaced whole or not at all.
    bool save(const QString& path);

    /// Asks where a document goes: (proposed name, proposed folder) → the chosen path, or nothing
    /// when the operator cancels.
    using SaveLocationChooser = std::function<std::optional<QString>(const QString& name, const QString& folder)>;

    /// Save (a path given) and Save As (none): without a path the operator is asked where, a
    /// document file is first encoded as a trial, and with `replace` a .QXF save renames the
    /// document. A failed save leaves the name, the title, the modified flag and any file already
    /// at the chosen path as they were.
    bool saveWithPrompt(const std::optional<QString>& path, bool replace, const SaveLocationChooser& choose);

signals:
    /// The trial encoding failed at this block and text line: the grid should show it.
    void encodingFailedAt(int block, int line);

private:
    bool write(const QString& path, const std::vector<std::uint8_t>& bytes);

    QString m_pathName;
};

} // namespace qx::app
