#pragma once

#include "wirelist/ReadContext.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qx::wirelist {

/// A zip container in memory, read-only (the one place that talks to libzip). Every byte taken
/// out of it is counted against the context's unpacked-size limit as it is inflated, whatever the
/// container's directory claims.
class ZipArchive final {
public:
    /// Opens the bytes, which must outlive the archive; nullopt when they are no zip container.
    static std::optional<ZipArchive> open(std::string_view bytes);

    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;
    ~ZipArchive();

    /// The stored name of a part, found as written or else regardless of case (part names of
    /// office documents are not case sensitive); nullopt when absent.
    std::optional<std::string> find(std::string_view name) const;
    /// Whether some part is encrypted.
    bool anyEncrypted() const;

    /// Streams one part to `sink` chunk by chunk; stops when the sink returns false or the
    /// context refuses. False on any refusal (a damaged part is refused as damaged).
    bool read(std::string_view name, ReadContext& context,
              const std::function<bool(std::string_view)>& sink) const;
    /// The whole part as one string (for small parts such as a mime type).
    bool readAll(std::string_view name, ReadContext& context, std::string& out) const;

private:
    struct Handles;
    explicit ZipArchive(std::unique_ptr<Handles> handles);
    std::unique_ptr<Handles> m_handles;
};

} // namespace qx::wirelist
