#pragma once

// The private clipboard formats on the system clipboard. Qt maps these MIME types to the format
// names registered on Windows, so two editors exchange the same bytes on either system.

#include "ClipboardPaste.h"

#include "formats/ClipboardPayload.h"

#include <QMimeData>
#include <QString>

#include <memory>



namespace qx::ui {

/// `application/x-qt-windows-mime;value="KorvintaRow"` and so on.
QString clipboardMimeType(formats::ClipboardFormat format);

/// What a copy puts on the clipboard: the payload under its own format and under
/// "KorvintaFormat". Never plain text.
std::unique_ptr<QMimeData> copiedMimeData(formats::ClipboardFormat format, const std::vector<std::uint8_t>& payload);

/// The clipboard's data as the paste rules read it.
class MimeClipboardContents final : public ClipboardContents {
public:
    explicit MimeClipboardContents(const QMimeData* mime) : m_mime(mime) {}
    [[nodiscard]] bool hasText() const override;
    [[nodiscard]] std::string text() const override;
    [[nodiscard]] std::optional<std::vector<std::uint8_t>> bytes(formats::ClipboardFormat format) const override;

private:
    const QMimeData* m_mime;
};

} // namespace qx::ui
