#include "GuiSession.h"
#include "PictureOutput.h"
#include "cli/Command.h"
#include "cli/DocumentIo.h"
#include "cli/ExitStatus.h"
#include "cli/ToolContext.h"
#include "output/OutputValidation.h"
#include "render/PreviewLayout.h"
#include "render/PreviewPainter.h"
#include "render/PrintFont.h"
#include "render/PrintImageContext.h"
#include "render/SymbolPictures.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace qx::cli {

namespace {

constexpr OptionSpec OrderOption{"--order", "", "0|1",
                                 "0 連続優先 (11 22 33), 1 連番優先 (123 123); default the print settings' order"};
constexpr OptionSpec Options[] = {OrderOption, ScaleOption, OutputOption, TargetKindOption, TargetSizeOption,
                                  PrintLengthModeOption};

constexpr double MillimetresPerDot = 0.0845;
/// A PDF page side stays well inside what viewers accept; a longer strip goes on to further pages.
constexpr double LongestPageMillimetres = 4000.0;

int writePdf(const ToolContext& context, const std::string& path, const render::CPreviewLayout& layout,
             const render::CPrintImageContext& image, int order, double scale) {
    const QRectF bounds = render::stripBounds(layout);
    const double pageDots = LongestPageMillimetres / (MillimetresPerDot * scale);
    const int pages = std::max(1, static_cast<int>(std::ceil(bounds.width() / pageDots)));
    const double widthDots = pages == 1 ? bounds.width() : pageDots;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(1200);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(QSizeF(widthDots * MillimetresPerDot * scale, bounds.height() * MillimetresPerDot * scale),
                                  QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
        QPainter painter(&pdf);
        // Device units per dot at the writer's resolution.
        const double unitsPerDot = 1200.0 * MillimetresPerDot * scale / 25.4;
        for (int p = 0; p < pages; ++p) {
            if (p > 0)
                pdf.newPage();
            painter.save();
            painter.translate(-p * pageDots * unitsPerDot, 0);
            render::paintStrip(painter, layout, image, order, unitsPerDot,
                               QRectF(p * pageDots, 0, widthDots, bounds.height()));
            painter.restore();
        }
    }
    const auto* begin = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    return context.writeFile(path, std::span<const std::uint8_t>(begin, static_cast<std::size_t>(bytes.size())))
               ? ExitStatus::Success
               : ExitStatus::FileFailure;
}

int runPreview(ToolContext& context, const Invocation& invocation) {
    const std::optional<std::string> out = invocation.value(OutputOption.name);
    if (invocation.arguments.size() != 1 || !out) {
        context.error("preview needs FILE and -o OUT.png or OUT.pdf");
        return ExitStatus::Usage;
    }
    int order = context.settings().print.seqOrder;
    if (const std::optional<std::string> text = invocation.value(OrderOption.name)) {
        if (*text != "0" && *text != "1") {
            context.error("--order is 0 or 1");
            return ExitStatus::Usage;
        }
        order = *text == "1" ? 1 : 0;
    }
    const std::optional<double> scale = scaleOption(context, invocation);
    if (!scale)
        return ExitStatus::Usage;
    const bool pdf = hasExtension(*out, ".pdf");
    if (!pdf && !hasExtension(*out, ".png")) {
        context.error("preview writes .png or .pdf files");
        return ExitStatus::Usage;
    }
    const GuiSession session;
    model::EditData data;
    if (const int status = readCheckedDocument(context, invocation, data); status != ExitStatus::Success)
        return status;
    // The whole image opens only for a document that passes its check.
    const output::ValidationResult check = output::ValidateWholeImage(data, context.catalogue(), context.settings());
    if (!check.ok()) {
        context.showMessage(check.messageId);
        if (check.error != output::OutputError::EmptyDocument)
            context.out() << "block " << check.block + 1 << '\n';
        return ExitStatus::Invalid;
    }
    const render::SymbolPictures symbols(render::resolvePrintFontFamily());
    const render::CPrintImageContext image(data, context.catalogue(), context.settings(), symbols);
    const render::CPreviewLayout layout = render::CPreviewLayout::build(data, image);
    if (pdf)
        return writePdf(context, *out, layout, image, order, *scale);

    const QRectF bounds = render::stripBounds(layout);
    const double width = std::ceil(bounds.width() * *scale);
    const double height = std::ceil(bounds.height() * *scale);
    if (width > 32000 || height > 32000) {
        context.error("the strip would be wider than 32000 pixels: choose a smaller --scale or write a PDF");
        return ExitStatus::Usage;
    }
    QImage picture(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    render::paintStrip(painter, layout, image, order, *scale);
    painter.end();
    return writePng(context, *out, picture);
}

} // namespace

const Command& previewCommand() {
    static constexpr Command command{
        "preview",
        "FILE -o OUT.png|OUT.pdf",
        "draw the whole run as one strip",
        "Reads FILE as dump does and draws the whole run the printer produces, as the whole-image\n"
        "preview lays it out: every block repeated by its continuous count and expanded per\n"
        "sequence value, in the chosen order, side by side. A PNG has S pixels per printer dot; a\n"
        "PDF is vector (text and symbols as outlines of the print font) at S times the true size,\n"
        "a strip longer than 4 m going on to further pages. A document that fails the whole-image\n"
        "check is refused with its message (status 3).",
        Options,
        runPreview};
    return command;
}

} // namespace qx::cli
