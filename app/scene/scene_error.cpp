#include "app/scene/scene_error.h"
#include <nlohmann/json.hpp>

// JSON escapes the C0 controls; the C1 controls (U+0080 to U+009F, a
// terminal's CSI among them) are escaped here too.
std::string quoteName(const std::string& name) {
    std::string json = nlohmann::json(name).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    std::string quoted;
    for (std::size_t i = 0; i < json.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(json[i]);
        unsigned char next = i + 1 < json.size() ? static_cast<unsigned char>(json[i + 1]) : 0;
        if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {
            static const char* const HEX = "0123456789abcdef";
            quoted += std::string("\\u00") + HEX[next >> 4] + HEX[next & 0xF];
            ++i;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted;
}

int decodeUtf8(const std::string& text, std::size_t i, char32_t& codePoint) {
    const auto byte = [&text](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) return 0;
    static const char32_t LEAD_MASK[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    codePoint = lead & LEAD_MASK[length];
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    static const char32_t SHORTEST[] = {0, 0, 0x80, 0x800, 0x10000};
    bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < SHORTEST[length] || surrogate || codePoint > 0x10FFFF) return 0;
    return length;
}

namespace {

bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

std::string hexEscape(const char* prefix, unsigned value, int digits) {
    static const char* const HEX = "0123456789abcdef";
    std::string text = prefix;
    for (int d = digits - 1; d >= 0; --d) text += HEX[(value >> (4 * d)) & 0xF];
    return text;
}

}  // namespace

std::string printableName(const std::string& name) {
    for (std::size_t i = 0; i < name.size();) {
        char32_t c = 0;
        int length = decodeUtf8(name, i, c);
        if (length == 0 || isControl(c)) return quoteName(name);
        i += static_cast<std::size_t>(length);
    }
    return name;
}

std::string escapeControls(const std::string& text) {
    std::string escaped;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        int length = decodeUtf8(text, i, c);
        if (length == 0) {
            escaped += hexEscape("\\x", static_cast<unsigned char>(text[i]), 2);
            ++i;
            continue;
        }
        if (c == '\n') escaped += "\\n";
        else if (c == '\r') escaped += "\\r";
        else if (c == '\t') escaped += "\\t";
        else if (c < 0x80 && isControl(c)) escaped += hexEscape("\\x", static_cast<unsigned>(c), 2);
        else if (isControl(c)) escaped += hexEscape("\\u", static_cast<unsigned>(c), 4);
        else escaped.append(text, i, static_cast<std::size_t>(length));
        i += static_cast<std::size_t>(length);
    }
    return escaped;
}
