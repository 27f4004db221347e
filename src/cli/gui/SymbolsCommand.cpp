#include "GuiSession.h"
#include "PictureOutput.h"
#include "cli/Command.h"
#include "cli/ExitStatus.h"
#include "cli/ToolContext.h"
#include "render/PrintFont.h"
#include "render/SymbolPictures.h"
#include "render/SymbolSheet.h"

namespace qx::cli {

namespace {

constexpr OptionSpec Options[] = {OutputOption};

int runSymbols(ToolContext& context, const Invocation& invocation) {
    const std::optional<std::string> out = invocation.value(OutputOption.name);
    if (!invocation.arguments.empty() || !out) {
        context.error("symbols takes no arguments and needs -o OUT.png");
        return ExitStatus::Usage;
    }
    const GuiSession session;
    const render::SymbolPictures pictures(render::resolvePrintFontFamily());
    return writePng(context, *out, render::renderSymbolSheet(pictures));
}

} // namespace

const Command& symbolsCommand() {
    static constexpr Command command{
        "symbols",
        "-o OUT.png",
        "write a reference sheet of every printer symbol",
        "Writes a PNG with every printer symbol code: the code, its picture at the 16 x 16 size of\n"
        "the grid and large, where the picture comes from (a glyph of the print font, composed, or\n"
        "drawn) and what the symbol means.",
        Options,
        runSymbols};
    return command;
}

} // namespace qx::cli
