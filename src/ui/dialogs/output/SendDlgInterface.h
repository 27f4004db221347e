#pragma once

#include "model/CharCode.h"

#include <array>
#include <cstdint>

class QDialog;

namespace qx::model {
class Catalogue;
}

namespace qx::output {
class Prompter;
}

namespace qx::ui {

struct EditorContext;

/// What every send dialog is opened with.
struct SendDlgSetup {
    const model::Catalogue& catalogue;
    output::Prompter& prompter;
    /// The document name as the document keeps it (CharCode values, zero-padded).
    std::array<std::int16_t, 11> documentName{};
    /// The run's editor context: the later dialog's symbol button opens the symbol dialog with it
    /// (null: the button is disabled).
    const EditorContext* editor = nullptr;
};

/// Where a send puts the document.
enum class SendMode { InputDocument = 0, DocumentMemory = 1 };

/// What the send command and the tests use of every send dialog, whichever class it is.
class SendDlgInterface {
public:
    virtual ~SendDlgInterface() = default;

    virtual QDialog& dialog() = 0;
    virtual SendMode mode() const = 0;
    /// The document memory chosen; meaningful once accepted in mode DocumentMemory.
    virtual int documentNumber() const = 0;
    /// The name to keep with the document, zero-padded (at most 10 codes, the last word 0); the
    /// QX-790's dialog has no name and gives the opened one back.
    virtual std::array<std::int16_t, 11> documentName() const = 0;

protected:
    SendDlgInterface() = default;
    SendDlgInterface(const SendDlgInterface&) = default;
    SendDlgInterface& operator=(const SendDlgInterface&) = default;
};

} // namespace qx::ui
