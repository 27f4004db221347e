#pragma once

#include "model/OperatorSettings.h"

#include <QString>

class QComboBox;
class QGridLayout;
class QDialog;
class QWidget;

namespace qx::model {
class Catalogue;
}

namespace qx::output {
class Prompter;
}

namespace qx::ui {

class CTargetDlgSpinEdit;

/// The editing defaults every environment settings dialog carries (character size and width, the
/// continuous counts and pitch lengths of tubes and other targets) and their exchange with the
/// operator's settings. The QX-790 calls the other targets "ﾃｰﾌﾟ/記名板" and lets their pitch
/// go down to its own row's limit; later models use a fixed 4.0 mm.
class ConfigDlgFields final {
public:
    ConfigDlgFields(QDialog& dialog, const model::Catalogue& catalogue, bool firstGeneration);

    QWidget& box() const { return *m_box; }
    QGridLayout& grid() const { return *m_grid; }

    void write(const model::OperatorSettings& settings);
    /// Takes the fields back in their order: 42040 or 42041 and the focus on the first that fails.
    bool read(model::OperatorSettings& settings, output::Prompter& prompter) const;

    /// A list filled with (text, value) pairs and the entry of `value` selected.
    static void fillChoices(QComboBox& combo, const model::Catalogue& catalogue, int list, int value);
    static int selectedValue(const QComboBox& combo, int fallback);

private:
    const model::Catalogue& m_catalogue;
    bool m_firstGeneration;
    QWidget* m_box = nullptr;
    QGridLayout* m_grid = nullptr;
    QComboBox* m_textSize = nullptr;
    QComboBox* m_textWidth = nullptr;
    CTargetDlgSpinEdit* m_numberTube = nullptr;
    CTargetDlgSpinEdit* m_numberTape = nullptr;
    CTargetDlgSpinEdit* m_pitchTube = nullptr;
    CTargetDlgSpinEdit* m_pitchTape = nullptr;
};

} // namespace qx::ui
