#include "TracingPrompter.h"

#include <cstdio>

namespace qx::app {

output::Answer TracingPrompter::prompt(const output::Prompt& message) {
    std::fprintf(stderr, "qxeditor: message %d\n", message.messageId);
    std::fflush(stderr);
    return m_shown.prompt(message);
}

} // namespace qx::app
