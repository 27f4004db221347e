#pragma once

namespace qx::model {

/// Index of the selected printer model, 0 to 10. Groups are plain index comparisons: below 5 is
/// first generation or W, 5 to 7 is W2, 8 and above is W3. The indexes 4, 7 and 10 are reserved
/// and fall into the group of their neighbours.
using ModelType = int;

namespace models {
inline constexpr ModelType QX780 = 0;
inline constexpr ModelType QX790 = 1;
inline constexpr ModelType QX900W = 2;
inline constexpr ModelType QX950W = 3;
inline constexpr ModelType QX950A = 4; // reserved
inline constexpr ModelType QX900W2 = 5;
inline constexpr ModelType QX950W2 = 6;
inline constexpr ModelType QX950A2 = 7; // reserved
inline constexpr ModelType QX900W3 = 8;
inline constexpr ModelType QX950W3 = 9;
inline constexpr ModelType QX950A3 = 10; // reserved
inline constexpr ModelType Default = QX950W3;
} // namespace models

constexpr bool isFirstGeneration(ModelType m) { return m <= models::QX790; }
constexpr bool isW2(ModelType m) { return m >= 5 && m <= 7; }
constexpr bool isW3(ModelType m) { return m > 7; }
/// W2 and W3: 999 blocks, three sequence numbers per block, the newer dialogs.
constexpr bool isLaterGeneration(ModelType m) { return m >= 5; }
constexpr bool isReservedModel(ModelType m) { return m == 4 || m == 7 || m == 10; }
constexpr bool isKnownModel(ModelType m) { return m >= 0 && m <= 10 && !isReservedModel(m); }

} // namespace qx::model
