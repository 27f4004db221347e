#include "ClipboardMime.h"

#include <QMimeData>

namespace qx::ui {

QString clipboardMimeType(formats::ClipboardFormat format) {
    const std::string_view name = formats::clipboardFormatName(format);
    return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"")
        .arg(QLatin1String(name.data(), static_cast<qsizetype>(name.size())));
}

std::unique_ptr<QMimeData> copiedMimeData(formats::ClipboardFormat format, const std::vector<std::uint8_t>& payload) {
    auto mime = std::make_unique<QMimeData>();
    const QByteArray bytes(reinterpret_cast<const char*>(payload.data()), static_cast<qsizetype>(payload.size()));
    mime->setData(clipboardMimeType(format), bytes);
    mime->setData(clipboardMimeType(formats::ClipboardFormat::Format), bytes);
    return mime;
}

bool MimeClipboardContents::hasText() const { return m_mime != nullptr && m_mime->hasText(); }

std::string MimeClipboardContents::text() const {
    return m_mime != nullptr ? m_mime->text().toStdString() : std::string();
}

std::optional<std::vector<std::uint8_t>> MimeClipboardContents::bytes(formats::ClipboardFormat format) const {
    const QString type = clipboardMimeType(format);
    if (m_mime == nullptr || !m_mime->hasFormat(type)) {
        return std::nullopt;
    }
    const QByteArray data = m_mime->data(type);
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

} // namespace qx::ui
