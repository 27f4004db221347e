#include "GuiSession.h"
#include "PictureOutput.h"
#include "cli/Command.h"
#include "cli/DocumentIo.h"
#include "cli/ExitStatus.h"
#include "cli/ToolContext.h"
#include "model/Sequences.h"
#include "output/OutputValidation.h"
#include "render/PrintFont.h"
#include "render/PrintImageContext.h"
#include "render/SymbolPictures.h"

#include <QPainter>

#include <cmath>

namespace qx::cli {

namespace {

constexpr OptionSpec BlockOption{"--block", "", "N", "the block to draw, from 1 (as check reports it)"};
constexpr OptionSpec PieceOption{"--piece", "", "K", "the piece (sequence value) to draw, from 1 (default 1)"};
constexpr OptionSpec Options[] = {BlockOption, PieceOption, ScaleOption, OutputOption,
                                  TargetKindOption, TargetSizeOption, PrintLengthModeOption};

/// Room around the medium so that its outline shows.
constexpr int BorderDots = 4;

std::optional<int> positiveOption(const ToolContext& context, const Invocation& invocation,
                                  const OptionSpec& option, int fallback) {
    const std::optional<std::string> text = invocation.value(option.name);
    if (!text)
        return fallback;
    const std::optional<int> value = parseInteger(*text);
    if (!value || *value < 1) {
        context.error(std::string(option.name) + " needs a number from 1, not '" + *text + "'");
        return std::nullopt;
    }
    return value;
}

int runRender(ToolContext& context, const Invocation& invocation) {
    const std::optional<std::string> out = invocation.value(OutputOption.name);
    if (invocation.arguments.size() != 1 || !out || !invocation.has(BlockOption.name)) {
        context.error("render needs FILE, --block N and -o OUT.png");
        return ExitStatus::Usage;
    }
    const std::optional<int> block = positiveOption(context, invocation, BlockOption, 1);
    const std::optional<int> piece = positiveOption(context, invocation, PieceOption, 1);
    const std::optional<double> scale = scaleOption(context, invocation);
    if (!block || !piece || !scale)
        return ExitStatus::Usage;
    if (!hasExtension(*out, ".png")) {
        context.error("render writes .png files");
        return ExitStatus::Usage;
    }
    const GuiSession session;
    model::EditData data;
    if (const int status = readCheckedDocument(context, invocation, data); status != ExitStatus::Success)
        return status;
    const int blocks = output::usedBlockCount(data);
    if (*block > blocks) {
        context.error("the document has " + std::to_string(blocks) + " blocks");
        return ExitStatus::Usage;
    }
    const int b = *block - 1;
    // The pieces the sequence numbers give: the block's own, or in print-length mode those of the
    // document's one numbered block.
    int pieces = 1;
    if (!data.target.isPrintLengthMode()) {
        pieces = model::blockPieceCount(data.block(b));
    } else {
        for (int i = 0; i < blocks; ++i) {
            if (data.block(i).hasSequences()) {
                pieces = model::blockPieceCount(data.block(i));
                break;
            }
        }
    }
    if (*piece > pieces) {
        context.error("block " + std::to_string(*block) + " has " + std::to_string(pieces) + " pieces");
        return ExitStatus::Usage;
    }
    const int k = *piece - 1;

    const render::SymbolPictures symbols(render::resolvePrintFontFamily());
    render::CPrintImageContext image(data, context.catalogue(), context.settings(), symbols);
    // As the view draws it: a plain outline, at S pixels per dot.
    image.setFitToRect(false);
    image.setShapedOutline(false);
    image.setOutlineStyle(render::OutlineStyle::Closed);
    const QSize medium = image.GetPieceSize(b, k);
    const QSize dots(medium.width() + 2 * BorderDots, medium.height() + 2 * BorderDots);
    const QSize pixels(static_cast<int>(std::ceil(dots.width() * *scale)),
                       static_cast<int>(std::ceil(dots.height() * *scale)));
    if (pixels.width() > 32000 || pixels.height() > 32000) {
        context.error("the picture would be larger than 32000 pixels: choose a smaller --scale");
        return ExitStatus::Usage;
    }
    QImage picture(pixels, QImage::Format_RGB32);
    picture.fill(image.colours().workspace);
    QPainter painter(&picture);
    painter.scale(*scale, *scale);
    painter.translate(dots.width() / 2.0, dots.height() / 2.0);
    image.DrawBlockImage(painter, b, k,
                         QRect(-medium.width() / 2, -medium.height() / 2, medium.width(), medium.height()));
    painter.end();
    return writePng(context, *out, picture);
}

} // namespace

const Command& renderCommand() {
    static constexpr Command command{
        "render",
        "FILE --block N -o OUT.png",
        "draw the print image of one block",
        "Reads FILE as dump does and draws what the printer prints for block N as the editor's\n"
        "print image shows it: the medium and the block's text with its sizes, sequence numbers,\n"
        "symbols, frame, underline and reverse, or the error text that replaces it. --piece K\n"
        "chooses the sequence value (each piece is fitted on its own). In print-length mode the\n"
        "piece is the whole document. The picture has S pixels per printer dot (0.0845 mm).",
        Options,
        runRender};
    return command;
}

} // namespace qx::cli
