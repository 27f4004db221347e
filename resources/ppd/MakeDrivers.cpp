// Writes the printer drivers, one PPD per model, into the folder given: the build runs it so that
// the drivers carry exactly the names the spooler looks for.
#include "output/PrinterDriver.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: qx_make_drivers FOLDER\n";
        return 1;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::cerr << "qx_make_drivers: " << folder << ": " << error.message() << '\n';
        return 1;
    }
    for (const qx::model::ModelType model : qx::output::driverModels()) {
        const std::filesystem::path file = folder / qx::output::driverFileName(model);
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << qx::output::driverPpd(model);
        out.close();
        if (!out) {
            std::cerr << "qx_make_drivers: cannot write " << file << '\n';
            return 1;
        }
    }
    return 0;
}
