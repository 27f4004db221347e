#include "PrintOptions.h"

#include "model/OperatorSettings.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace qx::output {

namespace {

std::int16_t saturated(long long value) {
    constexpr long long lowest = std::numeric_limits<std::int16_t>::min();
    constexpr long long highest = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::clamp(value, lowest, highest));
}

} // namespace

std::int16_t storedCutPosition(int shownTenths) {
    return saturated(static_cast<long long>(shownTenths) + CutPositionOffset);
}

std::int16_t storedPrintOffsetY(int shown) {
    return saturated(static_cast<long long>(shown) + PrintOffsetYOffset);
}

std::int16_t storedRevision(int shownTenths) {
    return saturated(static_cast<long long>(shownTenths) + RevisionOffset);
}

PrintOptions withPrintParameters(PrintOptions options, const model::PrintParameters& parameters) {
    options.heatVol = parameters.heatVolume;
    options.cutPosAdjust = parameters.cutPosition;
    options.frontFeed = parameters.frontFeed;
    options.lowTempMode = parameters.lowTempMode;
    options.seqOrder = parameters.seqOrder;
    options.prnOffsetY = parameters.printOffsetY;
    return options;
}

model::PrintParameters printParametersOf(const PrintOptions& options) {
    model::PrintParameters parameters;
    parameters.heatVolume = options.heatVol;
    parameters.cutPosition = options.cutPosAdjust;
    parameters.frontFeed = options.frontFeed;
    parameters.lowTempMode = options.lowTempMode;
    parameters.seqOrder = options.seqOrder;
    parameters.printOffsetY = options.prnOffsetY;
    return parameters;
}

} // namespace qx::output
