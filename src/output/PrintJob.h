#pragma once

#include "PrintOptions.h"

#include "formats/ImageLayout.h"
#include "model/ModelType.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qx::model {
class Catalogue;
struct EditData;
struct OperatorSettings;
struct TargetSettings;
} // namespace qx::model

namespace qx::formats {
class PrinterImage;
}

namespace qx::output {

/// Which PJL header a model's jobs carry.
enum class JobHeader {
    Fixed,               ///< MACHINE only; the options are never written
    Options,             ///< the machine parameters and, when printing, the block range
    OptionsAndPrintType, ///< as Options, plus the print pattern in every job
};

/// How one model's jobs are laid out. (The spooler driver name of the model is modelDriverName.)
struct PrintJobModel {
    model::ModelType model;
    JobHeader header;
    std::string_view machineName;         ///< "@PJL SET MACHINE=" value
    formats::ImageVersion imageVersion;   ///< what the encoder writes for this model
    formats::ImageVersion lowestAccepted; ///< the image versions a job of this model may carry
    formats::ImageVersion highestAccepted;
    /// The layout the payload is converted to; NewestV1400 sends the encoded image unchanged.
    formats::ImageLayoutId layout;
    std::size_t dataSize; ///< "~DATASIZE", the payload's byte count
};

// clang-format off
inline constexpr std::array<PrintJobModel, 11> PrintJobModels{{
    //   header                          machine  version accepted layout                               size
    {0,  JobHeader::Fixed,               "QX780",    3,  3,  3, formats::ImageLayoutId::Layout13790, 13790},
    {1,  JobHeader::Options,             "QX790",    6,  6,  6, formats::ImageLayoutId::Layout13790, 13790},
    {2,  JobHeader::Options,             "QX950",    8,  8,  9, formats::ImageLayoutId::Layout13852, 13852},
    {3,  JobHeader::Options,             "QX950",    9,  8,  9, formats::ImageLayoutId::Layout13852, 13852},
    {4,  JobHeader::Options,             "QX950",    9,  8,  9, formats::ImageLayoutId::Layout13852, 13852},
    {5,  JobHeader::OptionsAndPrintType, "QX950_2", 11, 11, 12, formats::ImageLayoutId::NewestV1400, 28476},
    {6,  JobHeader::OptionsAndPrintType, "QX950_2", 12, 11, 12, formats::ImageLayoutId::NewestV1400, 28476},
    {7,  JobHeader::OptionsAndPrintType, "QX950_2", 12, 11, 12, formats::ImageLayoutId::NewestV1400, 28476},
    {8,  JobHeader::OptionsAndPrintType, "QX950_3", 14, 14, 14, formats::ImageLayoutId::NewestV1400, 28476},
    {9,  JobHeader::OptionsAndPrintType, "QX950_3", 14, 14, 14, formats::ImageLayoutId::NewestV1400, 28476},
    {10, JobHeader::OptionsAndPrintType, "QX950_3", 14, 14, 14, formats::ImageLayoutId::NewestV1400, 28476},
}};
// clang-format on

/// The row of a model, or nullptr for a model index outside 0..10 (no job exists for it).
const PrintJobModel* printJobModel(model::ModelType model);

/// The PJL universal exit sequence that opens and closes every job: ESC "%-12345X".
inline constexpr std::string_view UniversalExit = "\x1B%-12345X";

/// Why no job was built.
enum class PrintJobRefusal {
    None,
    UnsupportedModel, ///< a model index outside 0..10
    Encoder,          ///< the document exceeds a limit of the model: messageId and the failed cell tell
    VersionMismatch,  ///< the image carries a version the model does not accept
    OutOfMemory,      ///< the job could not be allocated
};

/// A job, or why there is none.
struct PrintJobResult {
    bool ok = false;
    std::vector<std::uint8_t> bytes; ///< the whole job, exactly its length; empty on refusal
    std::string jobName;             ///< the spooler document name (the title); empty on refusal
    PrintJobRefusal refusal = PrintJobRefusal::None;
    int messageId = 0;   ///< the encoder's 42002, 42003 or 42004; 0 for the silent refusals
    int failedBlock = 0; ///< the failed cell of an encoder refusal (0-based block), else 0
    int failedLine = 0;  ///< its line (0-based), else 0
};

/// Builds the print or send job of a document for the catalogue's model: encodes the document,
/// puts the target kind into the image's first word, checks the image version, converts the image
/// to the generation's layout and frames it with the model's PJL header and trailer. `title` becomes
/// the job name. The document is not changed.
PrintJobResult BuildPrintJob(const model::EditData& data, const model::Catalogue& catalogue,
                             const model::OperatorSettings& settings, const PrintOptions& options,
                             std::string_view title);

/// The framing part alone: the job of an encoded newest-layout image for `model` (its first word is
/// set from the settings part's target kind here). `target` gives the document's mode and pitch
/// choice. Refuses an unsupported model or a version the model does not accept (messageId 0).
PrintJobResult BuildPrintJobFromImage(const formats::PrinterImage& image, model::ModelType model,
                                      const model::TargetSettings& target, const PrintOptions& options,
                                      std::string_view title);

} // namespace qx::output
