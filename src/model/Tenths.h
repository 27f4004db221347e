#pragma once

#include <string>

namespace qx::model {

/// A length in tenths of a millimetre as millimetres with one decimal ("12.5", "-0.5"): the form
/// files, jobs and fields carry. Built from the integer digits, so the C library's locale (a
/// desktop's decimal comma) never reaches it.
std::string formatTenths(int tenths);

} // namespace qx::model
