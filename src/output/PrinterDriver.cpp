#include "PrinterDriver.h"

#include "SpoolerTransport.h"

namespace qx::output {

namespace {

std::optional<std::pair<std::string_view, std::string_view>> splitDriverName(model::ModelType model) {
    if (!model::isKnownModel(model)) {
        return std::nullopt;
    }
    const std::optional<std::string_view> name = modelDriverName(model);
    if (!name) {
        return std::nullopt;
    }
    const std::size_t blank = name->find(' ');
    if (blank == std::string_view::npos) {
        return std::nullopt;
    }
    return std::pair{name->substr(0, blank), name->substr(blank + 1)};
}

} // namespace

std::vector<model::ModelType> driverModels() {
    std::vector<model::ModelType> models;
    for (model::ModelType model = 0; model <= 10; ++model) {
        if (splitDriverName(model)) {
            models.push_back(model);
        }
    }
    return models;
}

std::optional<std::string_view> driverMaker(model::ModelType model) {
    const auto parts = splitDriverName(model);
    return parts ? std::optional(parts->first) : std::nullopt;
}

std::optional<std::string_view> driverModel(model::ModelType model) {
    const auto parts = splitDriverName(model);
    return parts ? std::optional(parts->second) : std::nullopt;
}

std::string driverDeviceId(model::ModelType model) {
    const auto parts = splitDriverName(model);
    if (!parts) {
        return {};
    }
    return "MFG:" + std::string(parts->first) + ";MDL:" + std::string(parts->second) + ";";
}

std::string driverFileName(model::ModelType model) {
    const auto parts = splitDriverName(model);
    return parts ? std::string(parts->second) + ".ppd" : std::string();
}

std::string driverPpd(model::ModelType model) {
    const auto parts = splitDriverName(model);
    if (!parts) {
        return {};
    }
    const std::string maker(parts->first);
    const std::string name(parts->second);
    const std::string driver = maker + " " + name;
    // The short DOS name: the model without its hyphen fits eight characters ("QX950W3").
    std::string shortName;
    for (const char c : name) {
        if (c != '-') {
            shortName += c;
        }
    }
    // CUPS shows the NickName as the queue's make and model, which is what the editor looks for;
    // the device id lets CUPS and the desktop's printer settings offer this driver for a plugged-in
    // printer. The one filter passes the job, already in the printer's language, through untouched.
    // A tube is no page: the one page size only satisfies the PPD rules.
    std::string ppd;
    ppd += "*PPD-Adobe: \"4.3\"\n";
    ppd += "*FormatVersion: \"4.3\"\n";
    ppd += "*FileVersion: \"1.0\"\n";
    ppd += "*LanguageVersion: English\n";
    ppd += "*LanguageEncoding: ISOLatin1\n";
    ppd += "*PCFileName: \"" + shortName.substr(0, 8) + ".PPD\"\n";
    ppd += "*Manufacturer: \"" + maker + "\"\n";
    ppd += "*Product: \"(" + name + ")\"\n";
    ppd += "*ModelName: \"" + driver + "\"\n";
    ppd += "*ShortNickName: \"" + driver + "\"\n";
    ppd += "*NickName: \"" + driver + "\"\n";
    ppd += "*1284DeviceID: \"" + driverDeviceId(model) + "\"\n";
    ppd += "*PSVersion: \"(3010.000) 0\"\n";
    ppd += "*LanguageLevel: \"3\"\n";
    ppd += "*ColorDevice: False\n";
    ppd += "*DefaultColorSpace: Gray\n";
    ppd += "*FileSystem: False\n";
    ppd += "*Throughput: \"1\"\n";
    ppd += "*LandscapeOrientation: Plus90\n";
    ppd += "*TTRasterizer: Type42\n";
    ppd += "*cupsVersion: 2.4\n";
    ppd += "*cupsFilter2: \"application/vnd.cups-raw application/vnd.cups-raw 0 -\"\n";
    ppd += "*OpenUI *PageSize: PickOne\n";
    ppd += "*OrderDependency: 10 AnySetup *PageSize\n";
    ppd += "*DefaultPageSize: Tape\n";
    ppd += "*PageSize Tape/Tape: \"\"\n";
    ppd += "*CloseUI: *PageSize\n";
    ppd += "*OpenUI *PageRegion: PickOne\n";
    ppd += "*OrderDependency: 10 AnySetup *PageRegion\n";
    ppd += "*DefaultPageRegion: Tape\n";
    ppd += "*PageRegion Tape/Tape: \"\"\n";
    ppd += "*CloseUI: *PageRegion\n";
    ppd += "*DefaultImageableArea: Tape\n";
    ppd += "*ImageableArea Tape/Tape: \"0 0 36 288\"\n";
    ppd += "*DefaultPaperDimension: Tape\n";
    ppd += "*PaperDimension Tape/Tape: \"36 288\"\n";
    return ppd;
}

} // namespace qx::output
