#pragma once

// How the document window opens the wire-list import.

#include "formats/FileInsert.h"

#include <QString>

#include <filesystem>
#include <functional>
#include <optional>

class QWidget;

namespace qx::ui {

struct EditorContext;

/// The folder of the saved import profiles: the context's, else one beside the settings store.
std::filesystem::path wireListProfileFolder(const EditorContext& context);

/// The wire-list import in front of block `position` of `current`, of the file at `path` (empty:
/// the operator picks one first, through `chooseFile` or the desktop's file dialog). The record
/// with the pieces inserted, or nothing when cancelled.
std::optional<formats::FileInsertResult> runWireListImportDialog(
    QWidget* owner, const EditorContext& context, const model::EditData& current, int position, const QString& path,
    const std::function<QString(QWidget*)>& chooseFile = {});

} // namespace qx::ui
