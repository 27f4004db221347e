#pragma once

#include "model/ModelType.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx::output {

/// The models that have a printer and so a driver: every known model, in index order.
std::vector<model::ModelType> driverModels();

/// The maker and the model of a driver name, split at its first blank: "KAV" and "QX-950W3" for
/// "KAV QX-950W3". Nothing for a reserved or unknown model.
std::optional<std::string_view> driverMaker(model::ModelType model);
std::optional<std::string_view> driverModel(model::ModelType model);

/// The IEEE 1284 device id a plugged-in printer of the model reports, as the driver carries it:
/// "MFG:KAV;MDL:QX-950W3;".
std::string driverDeviceId(model::ModelType model);

/// The file name of the model's driver in the drivers folder ("QX-950W3.ppd").
std::string driverFileName(model::ModelType model);

/// The model's driver: a PPD whose NickName and ModelName are the model's driver name and whose
/// only filter hands the raw job to the printer untouched. "" for a model without a driver.
std::string driverPpd(model::ModelType model);

} // namespace qx::output
