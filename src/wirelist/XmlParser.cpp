#include "XmlParser.h"

#include "model/StringTable.h"
#include "wirelist/ZipArchive.h"

// Debian's expat is built with document type support, whose amplification guard is declared only
// under this name.
#ifndef XML_DTD
#define XML_DTD 1
#endif
#include <expat.h>

#include <algorithm>
#include <climits>
#include <type_traits>

namespace qx::wirelist {

namespace {

// Expat joins a namespace and a local name with this byte, which no name or namespace holds.
constexpr char NamespaceSeparator = '\x01';

void splitName(const char* name, std::string_view& ns, std::string_view& local) {
    const std::string_view full(name);
    const std::size_t at = full.rfind(NamespaceSeparator);
    if (at == std::string_view::npos) {
        ns = {};
        local = full;
    } else {
        ns = full.substr(0, at);
        local = full.substr(at + 1);
    }
}

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

} // namespace

std::string_view XmlAttributes::value(std::string_view local, bool qualified) const {
    for (const char** p = m_pairs; p != nullptr && p[0] != nullptr; p += 2) {
        std::string_view ns;
        std::string_view name;
        splitName(p[0], ns, name);
        if (name == local && (!qualified || !ns.empty())) {
            return p[1];
        }
    }
    return {};
}

struct XmlParser::State {
    XmlHandler& handler;
    ReadContext& context;
    std::string partName;
    std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserFree> parser;
    std::size_t depth = 0;

    std::string where() const {
        const auto line = XML_GetCurrentLineNumber(parser.get());
        return partName + " " + std::to_string(line) + " 行目";
    }
    void stopIfRefused() {
        if (context.failed()) {
            XML_StopParser(parser.get(), XML_FALSE);
        }
    }

    static void onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
        auto* self = static_cast<State*>(data);
        if (++self->depth > self->context.limits().maxXmlDepth) {
            self->context.fail(messages::XmlTooDeep,
                               model::formatMessage(messages::XmlTooDeep, {self->where()}));
        } else {
            std::string_view ns;
            std::string_view local;
            splitName(name, ns, local);
            self->handler.startElement(ns, local, XmlAttributes(attributes));
        }
        self->stopIfRefused();
    }
    static void onEnd(void* data, const XML_Char* name) {
        auto* self = static_cast<State*>(data);
        --self->depth;
        std::string_view ns;
        std::string_view local;
        splitName(name, ns, local);
        self->handler.endElement(ns, local);
        self->stopIfRefused();
    }
    static void onText(void* data, const XML_Char* text, int length) {
        auto* self = static_cast<State*>(data);
        self->handler.characters(std::string_view(text, static_cast<std::size_t>(length)));
        self->stopIfRefused();
    }
    // Spreadsheet parts never declare a document type; one that does is refused before any
    // entity it declares can expand.
    static void onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
        auto* self = static_cast<State*>(data);
        self->context.fail(messages::XmlDoctype, model::formatMessage(messages::XmlDoctype, {self->where()}));
        XML_StopParser(self->parser.get(), XML_FALSE);
    }
    static void onEntity(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                         const XML_Char*, const XML_Char*, const XML_Char*) {
        onDoctype(data, nullptr, nullptr, nullptr, 0);
    }
};

XmlParser::XmlParser(XmlHandler& handler, ReadContext& context, std::string partName)
    : m_state(std::make_unique<State>(State{handler, context, std::move(partName), nullptr, 0})) {
    m_state->parser.reset(XML_ParserCreateNS(nullptr, NamespaceSeparator));
    XML_Parser parser = m_state->parser.get();
    if (parser == nullptr) {
        return;
    }
    XML_SetUserData(parser, m_state.get());
    XML_SetElementHandler(parser, &State::onStart, &State::onEnd);
    XML_SetCharacterDataHandler(parser, &State::onText);
    XML_SetStartDoctypeDeclHandler(parser, &State::onDoctype);
    XML_SetEntityDeclHandler(parser, &State::onEntity);
#if XML_MAJOR_VERSION > 2 || (XML_MAJOR_VERSION == 2 && XML_MINOR_VERSION >= 4)
    // A second guard should a declaration ever get through: expansions may not outgrow the input.
    XML_SetBillionLaughsAttackProtectionMaximumAmplification(parser, 10.0f);
    XML_SetBillionLaughsAttackProtectionActivationThreshold(parser, 1u << 20);
#endif
}

XmlParser::~XmlParser() = default;

bool XmlParser::feed(std::string_view chunk, bool last) {
    State& state = *m_state;
    if (state.context.failed()) {
        return false;
    }
    if (!state.parser) {
        return state.context.failDamaged(state.partName);
    }
    // Expat takes an int length: a big chunk goes in pieces.
    do {
        const std::size_t piece = std::min<std::size_t>(chunk.size(), INT_MAX / 2);
        const bool final = last && piece == chunk.size();
        const XML_Status status = XML_Parse(state.parser.get(), chunk.data(), static_cast<int>(piece),
                                            final ? XML_TRUE : XML_FALSE);
        if (state.context.failed()) {
            return false;
        }
        if (status != XML_STATUS_OK) {
            return state.context.failDamaged(state.where());
        }
        chunk.remove_prefix(piece);
    } while (!chunk.empty());
    return true;
}

bool parsePart(const ZipArchive& archive, std::string_view partName, XmlHandler& handler,
               ReadContext& context) {
    XmlParser parser(handler, context, std::string(partName));
    if (!archive.read(partName, context,
                      [&parser](std::string_view chunk) { return parser.feed(chunk, false); })) {
        return false;
    }
    return parser.feed({}, true);
}

} // namespace qx::wirelist
