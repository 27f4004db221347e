#include "GuiSession.h"

#include <cstdlib>

namespace qx::cli {

GuiSession::GuiSession() {
    if (QCoreApplication::instance() != nullptr)
        return;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
}

GuiSession::~GuiSession() = default;

} // namespace qx::cli
