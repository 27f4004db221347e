#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace qx::model {

/// One numbered text of the string table: operator messages, captions, list and column texts.
struct MessageEntry {
    int id;
    std::string_view text; ///< UTF-8; a line break inside a message box text is a line feed
};

/// The whole string table, sorted by id, each id once.
std::span<const MessageEntry> messageTable();

/// The text of a string id; "" when the table has no such id.
std::string_view messageText(int id);
bool hasMessage(int id);

/// The document template (string resource 129): seven fields separated by line feeds — window
/// title, document name, new-file type name, filter name, filter extension, registered file type
/// identifier and registered file type name.
inline constexpr std::string_view DocumentTemplateText = "QXPC\n"
                                                         "QXPC\n"
                                                         "コルビンタ PCエディタ\n"
                                                         "コルビンタ PCエディタ ﾌｧｲﾙ (*.QXF)\n"
                                                         ".QXF\n"
                                                         "Korvinta.Document\n"
                                                         "コルビンタ PCエディタ 文書";

/// Field 0..6 of the document template; "" outside that range.
std::string_view documentTemplateField(int index);

/// One argument of formatText: an integer, a floating-point number or a text (not owned: it must
/// outlive the call, which holds for temporaries in the argument list).
struct MessageArg final {
    enum class Kind { Integer, Real, Text };

    // Implicit on purpose: callers write formatMessage(42040, {lower, upper}).
    MessageArg(int v) : m_kind(Kind::Integer), m_integer(v) {}
    MessageArg(long v) : m_kind(Kind::Integer), m_integer(v) {}
    MessageArg(long long v) : m_kind(Kind::Integer), m_integer(v) {}
    MessageArg(unsigned v) : m_kind(Kind::Integer), m_integer(v) {}
    MessageArg(unsigned long v) : m_kind(Kind::Integer), m_integer(static_cast<long long>(v)) {}
    MessageArg(unsigned long long v) : m_kind(Kind::Integer), m_integer(static_cast<long long>(v)) {}
    MessageArg(double v) : m_kind(Kind::Real), m_real(v) {}
    MessageArg(const char* v) : m_kind(Kind::Text), m_text(v != nullptr ? v : "") {}
    MessageArg(std::string_view v) : m_kind(Kind::Text), m_text(v) {}
    MessageArg(const std::string& v) : m_kind(Kind::Text), m_text(v) {}

    Kind kind() const { return m_kind; }
    long long integer() const { return m_integer; }
    double real() const { return m_real; }
    std::string_view text() const { return m_text; }

private:
    Kind m_kind;
    long long m_integer = 0;
    double m_real = 0.0;
    std::string_view m_text;
};

/// printf-style formatting that cannot go wrong on a bad argument list: each conversion
/// (%d %i %u %o %x %X %c %s %e %f %g and their upper-case forms, flags, width, precision, '*')
/// takes the next argument and formats it as sensibly as its type allows — an integer for %s
/// prints the number, a text for %d prints the text, a missing argument prints nothing. "%%" is a
/// percent sign; %1 to %9 not followed by a conversion insert that argument (the framework's
/// message style); anything else after '%' is copied unchanged.
std::string formatText(std::string_view pattern, std::initializer_list<MessageArg> args);

/// formatText over the text of a string id; "" when the id is unknown.
std::string formatMessage(int id, std::initializer_list<MessageArg> args = {});

} // namespace qx::model
