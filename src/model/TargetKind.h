#pragma once

namespace qx::model {

/// The print target (medium) of a document, the first word of the edit data record.
namespace TargetKind {
inline constexpr int Tape = 0;
inline constexpr int KavTube = 1;
inline constexpr int GeneralTube = 2;
inline constexpr int HeatShrinkTube = 3;
inline constexpr int NonPvcTube = 4;
inline constexpr int Plate03 = 5; ///< name plate 0.3 mm thick
inline constexpr int Plate05 = 6; ///< name plate 0.5 mm thick
inline constexpr int KavLabel = 7;
inline constexpr int GeneralLabel = 8;
inline constexpr int FlatTube = 9;  // reserved
inline constexpr int IdPlate = 10;  // reserved
inline constexpr int OvalTube = 11; // reserved
inline constexpr int KavgTube = 12;
} // namespace TargetKind

constexpr bool isTube(int kind) {
    return (kind >= 1 && kind <= 4) || kind == TargetKind::FlatTube || kind == TargetKind::OvalTube ||
           kind == TargetKind::KavgTube;
}
constexpr bool isLabel(int kind) { return kind == TargetKind::KavLabel || kind == TargetKind::GeneralLabel; }
constexpr bool isPlate(int kind) {
    return kind == TargetKind::Plate03 || kind == TargetKind::Plate05 || kind == TargetKind::IdPlate;
}
constexpr bool isTape(int kind) { return kind == TargetKind::Tape; }

} // namespace qx::model
