#pragma once

#include <functional>

class QWidget;

namespace qx::ui {

/// The forbidden-character notice of one run of the editor and its suppression flag. The flag is
/// not saved: every run starts with the notice on. The application object owns the one instance
/// of the run and hands it to every block grid it creates (through the view), so that ticking the
/// box in any document window silences the notice in all of them.
class ForbiddenCharNotice final {
public:
    /// Shows the notice once, modally; returns true when the operator closed it with OK and the
    /// box ticked.
    using Presenter = std::function<bool(QWidget* parent)>;

    /// Shows CForbiddenCharDialog.
    ForbiddenCharNotice();
    /// Shows the notice through `presenter` (tests answer without a window).
    explicit ForbiddenCharNotice(Presenter presenter);

    [[nodiscard]] bool isSuppressed() const { return m_suppressed; }
    void setSuppressed(bool suppressed) { m_suppressed = suppressed; }

    /// Tells about `replacedCharacters` characters that became blanks: one notice for each, until
    /// the operator ticks the box. Returns how many notices were shown.
    int notify(QWidget* parent, int replacedCharacters);

private:
    Presenter m_presenter;
    bool m_suppressed = false;
};

} // namespace qx::ui
