// Stand-ins for the picture commands in a qxtool built without Qt Gui.
#include "cli/Command.h"
#include "cli/ExitStatus.h"
#include "cli/ToolContext.h"

namespace qx::cli {

namespace {

int notBuilt(ToolContext& context, const Invocation& /*invocation*/) {
    context.error("this qxtool was built without Qt Gui (QX_BUILD_GUI=OFF): the picture commands "
                  "render, preview and symbols are not built");
    return ExitStatus::Usage;
}

// The options of the real commands, so that a script's command line reaches the notice.
constexpr OptionSpec Options[] = {
    {"--block", "", "N", ""}, {"--piece", "", "K", ""}, {"--scale", "", "S", ""}, {"--order", "", "0|1", ""},
    {"--output", "-o", "OUT", ""}, {"--target-kind", "", "K", ""}, {"--target-size", "", "S", ""},
    {"--print-length-mode", "", "", ""},
};

} // namespace

const Command& renderCommand() {
    static constexpr Command command{"render", "FILE", "(not built: needs Qt Gui)",
                                     "Not built in this qxtool: it needs Qt Gui.", Options, notBuilt};
    return command;
}

const Command& previewCommand() {
    static constexpr Command command{"preview", "FILE", "(not built: needs Qt Gui)",
                                     "Not built in this qxtool: it needs Qt Gui.", Options, notBuilt};
    return command;
}

const Command& symbolsCommand() {
    static constexpr Command command{"symbols", "", "(not built: needs Qt Gui)",
                                     "Not built in this qxtool: it needs Qt Gui.", Options, notBuilt};
    return command;
}

} // namespace qx::cli
