#include "PictureOutput.h"

#include "cli/DocumentIo.h"
#include "cli/ExitStatus.h"
#include "cli/ToolContext.h"
#include "output/OutputValidation.h"

#include <QBuffer>

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace qx::cli {

std::optional<double> scaleOption(const ToolContext& context, const Invocation& invocation) {
    const std::optional<std::string> text = invocation.value(ScaleOption.name);
    if (!text)
        return 1.0;
    char* end = nullptr;
    const double value = std::strtod(text->c_str(), &end);
    if (text->empty() || end != text->c_str() + text->size() || !(value >= 0.1 && value <= 16.0)) {
        context.error("--scale needs a number from 0.1 to 16, not '" + *text + "'");
        return std::nullopt;
    }
    return value;
}

int readCheckedDocument(const ToolContext& context, const Invocation& invocation, model::EditData& data) {
    const std::optional<NewDocumentOptions> options = newDocumentOptions(context, invocation);
    if (!options)
        return ExitStatus::Usage;
    const int status = readDocument(context, invocation.arguments[0], *options, data);
    if (status != ExitStatus::Success)
        return status;
    // The editor keeps these current on every change; the pictures read them.
    output::ComputeBlockResults(data, context.catalogue(), context.settings(), 0, model::MaxBlocks);
    output::ComputeDocumentResult(data, context.catalogue());
    return ExitStatus::Success;
}

int writePng(const ToolContext& context, const std::string& path, const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        context.error("the picture could not be encoded as PNG");
        return ExitStatus::FileFailure;
    }
    const auto* begin = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    return context.writeFile(path, std::span<const std::uint8_t>(begin, static_cast<std::size_t>(bytes.size())))
               ? ExitStatus::Success
               : ExitStatus::FileFailure;
}

bool hasExtension(const std::string& path, const char* extension) {
    const std::string ext(extension);
    if (path.size() < ext.size())
        return false;
    return std::equal(ext.begin(), ext.end(), path.end() - static_cast<std::ptrdiff_t>(ext.size()),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) ==
                                                  std::tolower(static_cast<unsigned char>(b)); });
}

} // namespace qx::cli
