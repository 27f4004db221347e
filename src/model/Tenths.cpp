#include "Tenths.h"

namespace qx::model {

std::string formatTenths(int tenths) {
    const long long v = tenths;
    const long long magnitude = v < 0 ? -v : v;
    std::string text = v < 0 ? "-" : "";
    text += std::to_string(magnitude / 10);
    text += '.';
    text += static_cast<char>('0' + magnitude % 10);
    return text;
}

} // namespace qx::model
