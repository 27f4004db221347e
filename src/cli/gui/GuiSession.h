#pragma once

#include <QGuiApplication>

#include <memory>

namespace qx::cli {

/// The Qt Gui application the picture commands draw with, for the command's run. qxtool needs no
/// display: unless QT_QPA_PLATFORM chooses a platform, it draws offscreen, so it works in scripts
/// and over ssh. When the process already has an application (tests), that one is used.
class GuiSession final {
public:
    GuiSession();
    ~GuiSession();
    GuiSession(const GuiSession&) = delete;
    GuiSession& operator=(const GuiSession&) = delete;

private:
    int m_argc = 1;
    char m_name[8] = "qxtool";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
};

} // namespace qx::cli
