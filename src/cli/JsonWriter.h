#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace qx::cli {

/// Writes indented JSON by hand. Containers opened with `inlined` (and everything inside them)
/// stay on one line. Strings are escaped; bytes that are no well-formed UTF-8 become U+FFFD.
class JsonWriter final {
public:
    void beginObject(bool inlined = false);
    void endObject();
    void beginArray(bool inlined = false);
    void endArray();
    /// The key of the next value inside an object.
    void key(std::string_view name);
    void value(long long number);
    void value(std::string_view text);

    template <typename Int>
    requires std::is_integral_v<Int>
    void field(std::string_view name, Int number) {
        key(name);
        value(static_cast<long long>(number));
    }
    void field(std::string_view name, std::string_view text) {
        key(name);
        value(text);
    }

    /// The text written so far, with a final line feed once the outermost container is closed.
    const std::string& text() const { return m_text; }

    static std::string quoted(std::string_view utf8);

private:
    struct Level {
        bool inlined = false;
        bool empty = true;
    };

    void beforeValue();
    void open(char bracket, bool inlined);
    void close(char bracket);
    void newLine();

    std::string m_text;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
};

} // namespace qx::cli
