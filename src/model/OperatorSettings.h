#pragma once

#include "ModelType.h"

#include <cstdint>
#include <string>

namespace qx::model {

class Catalogue;

/// The operator's print parameters, kept with the settings and used by every print job.
struct PrintParameters {
    std::int16_t heatVolume = 4;  ///< "HeatVolume": print density
    std::int16_t cutPosition = 20; ///< "CutPotision"
    std::int16_t frontFeed = 0;   ///< "FrontFeed": blank feed at the head
    std::int16_t lowTempMode = 0; ///< "LowTempMode": low-speed mode
    std::int16_t seqOrder = 0;    ///< "SeqOrder": 0 count first, 1 sequence first
    std::int16_t printOffsetY = 10; ///< "Prnoffsety": vertical print position

    friend bool operator==(const PrintParameters&, const PrintParameters&) = default;
};

/// The operator's defaults for new documents and blocks, owned by the application and passed
/// down by reference; the core never reads the settings store itself.
struct OperatorSettings {
    std::uint8_t textSize = 3;    ///< "TextSize": character size of new text
    std::uint8_t textWidth = 0;   ///< "TextWidth"
    std::int16_t numberTube = 2;  ///< "NumberTube": continuous count for tubes
    std::int16_t numberTape = 1;  ///< "NumberTape": continuous count for every other target
    std::int16_t pitchLenTube = 200; ///< "PitchLenTube": tenths of a millimetre
    std::int16_t pitchLenTape = 100; ///< "PitchLenTape"
    std::string defaultCfDrive;   ///< "DefaultCfDrive": last removable-memory folder
    std::uint8_t frameGap = 1;    ///< "FrameGap"
    std::uint8_t printFont = 0;   ///< "PrintFont"
    std::int16_t zeroSlash = 0;   ///< "ZeroSlash"
    ModelType modelType = models::Default; ///< "ModelType"
    PrintParameters print;
    /// The desktop's documents folder, as the application learns it from the desktop (never
    /// stored): the named print settings live below it. Empty: the core looks it up itself.
    std::string documentsFolder;

    /// The values of an empty settings store for the catalogue's model.
    static OperatorSettings defaultsFor(const Catalogue& catalogue);

    friend bool operator==(const OperatorSettings&, const OperatorSettings&) = default;
};

} // namespace qx::model
