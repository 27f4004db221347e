#pragma once

// The printer's own symbols: for every symbol code its meaning, decided once, and how its picture
// is made. A code whose meaning has a Unicode character is drawn with the print font's glyph when
// the font has one; otherwise, and for the electrical marks, which have no characters, the picture
// is composed or drawn as a vector path. The full repertoire is listed in docs/printer-symbols.md.

#include "model/CharCode.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace qx::render {

/// How a symbol is pictured when the print font has no glyph for its character.
enum class SymbolForm : std::uint8_t {
    Circled,         ///< the text inside a circle
    NegativeCircled, ///< the text cut out of a filled circle
    Parenthesized,   ///< the text in parentheses, squeezed into the cell
    Squeezed,        ///< the text squeezed into the cell (units, abbreviations)
    Raised,          ///< the text small in the upper part of the cell (superscripts)
    Lowered,         ///< the text small in the lower part of the cell (subscripts)
    Script,          ///< the character from any font that has it, else the italic letter
    Drawing,         ///< always the drawn mark; no character exists
};

/// The drawn marks.
enum class SymbolMark : std::uint8_t {
    None,
    Resistor,
    VariableResistor,
    Capacitor,
    PolarisedCapacitor,
    Inductor,
    Diode,
    ZenerDiode,
    Led,
    Fuse,
    Earth,
    FrameEarth,
    ProtectiveEarth,
    Battery,
    AcSource,
    DirectCurrent,
    AlternatingCurrent,
    AcDc,
    MakeContact,
    BreakContact,
    ChangeoverContact,
    PushButton,
    RelayCoil,
    Lamp,
    Motor,
    Generator,
    Transformer,
    Terminal,
    Junction,
    NpnTransistor,
    PnpTransistor,
    Thyristor,
    Triac,
    Photodiode,
    Antenna,
    Loudspeaker,
    Buzzer,
    Bell,
    Thermistor,
    Outlet,
    EarthedOutlet,
    WallSwitch,
    ThreeWaySwitch,
    PilotLampSwitch,
    Luminaire,
    FluorescentLuminaire,
    DistributionBoard,
    ControlPanel,
    JunctionBox,
    VentilationFan,
    TelephoneOutlet,
    TvOutlet,
    PushButtonStation,
    WattHourMeter,
    ArrowRight,
    ArrowLeft,
    ArrowUp,
    ArrowDown,
    ArrowUpRight,
    ArrowDownRight,
    ArrowDownLeft,
    ArrowUpLeft,
    ArrowLeftRight,
    ArrowUpDown,
    RotationClockwise,
    RotationCounterClockwise,
    StarConnection,
    DeltaConnection,
    HighVoltage,
    Warning,
    CrossingWires,
    ShieldedWire,
    TwistedPair,
    PositiveTerminal,
    NegativeTerminal,
    Connector,
    SequenceNumber,
};

struct SymbolDefinition {
    model::CharCode code = 0;
    std::string_view character; ///< the Unicode character (UTF-8); empty for drawn marks
    SymbolForm form = SymbolForm::Drawing;
    std::string_view text; ///< what the composed form shows (UTF-8)
    SymbolMark mark = SymbolMark::None;
    std::string_view name; ///< what the symbol means
};

/// Every symbol, ascending by code: all codes of the symbol catalogues and the sequence-number
/// marker.
std::span<const SymbolDefinition> symbolTable();

/// The definition of a code, or nullptr when the code is no symbol.
const SymbolDefinition* findSymbol(model::CharCode code);

} // namespace qx::render
