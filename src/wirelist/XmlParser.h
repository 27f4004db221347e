#pragma once

#include "wirelist/ReadContext.h"

#include <memory>
#include <string>
#include <string_view>

namespace qx::wirelist {

class ZipArchive;

/// The attributes of one element, looked up by local name (namespace prefixes are left out).
class XmlAttributes final {
public:
    explicit XmlAttributes(const char** pairs) : m_pairs(pairs) {}
    /// The value of the attribute with this local name; with `qualified`, only one that has a
    /// namespace (r:id rather than id). "" when absent.
    std::string_view value(std::string_view local, bool qualified = false) const;

private:
    const char** m_pairs;
};

/// Receives what a streaming parse finds. Element names come as their namespace and local name.
/// A handler refuses the file through the context; the parse stops at the next event.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void startElement(std::string_view ns, std::string_view local,
                              const XmlAttributes& attributes) = 0;
    virtual void endElement(std::string_view ns, std::string_view local) = 0;
    virtual void characters(std::string_view text) = 0;
};

/// A streaming XML parse of one part (the one place that talks to expat), with the limits
/// against hostile documents: nesting depth, and no document type declaration at all, so that no
/// entity can expand.
class XmlParser final {
public:
    XmlParser(XmlHandler& handler, ReadContext& context, std::string partName);
    ~XmlParser();
    XmlParser(const XmlParser&) = delete;
    XmlParser& operator=(const XmlParser&) = delete;

    /// Parses the next chunk; `last` for the end of the document. False once refused.
    bool feed(std::string_view chunk, bool last);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

/// Parses one part of a zip container as it is inflated.
bool parsePart(const ZipArchive& archive, std::string_view partName, XmlHandler& handler,
               ReadContext& context);

} // namespace qx::wirelist
