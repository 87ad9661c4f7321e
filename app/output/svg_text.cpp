#include "app/output/svg_text.h"
#include <charconv>

std::string svgNumber(double value) {
    char text[64];
    std::to_chars_result written = std::to_chars(text, text + sizeof(text), value, std::chars_format::fixed, 2);
    // Callers pass page coordinates, far from the 64 characters' reach.
    if (written.ec != std::errc()) return "0";
    return std::string(text, written.ptr);
}

std::string xmlEscape(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            case '\'': escaped += "&apos;"; break;
            default:
                bool control = static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r';
                escaped += control || c == '\x7f' ? '?' : c;
        }
    }
    return escaped;
}

// Counts code points by their lead bytes (continuation bytes are 10xxxxxx).
std::string shortenedName(const std::string& name) {
    std::size_t points = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if ((static_cast<unsigned char>(name[i]) & 0xC0) == 0x80) continue;
        if (++points > SVG_NAME_LENGTH) return name.substr(0, i) + "\xE2\x80\xA6";
    }
    return name;
}

std::string connectionColour(int index) {
    static const char* const PALETTE[] = {"#e8590c", "#1c7ed6", "#2b8a3e", "#ae3ec9",
                                          "#c2255c", "#0b7285", "#e67700", "#5f3dc4"};
    const int count = static_cast<int>(sizeof(PALETTE) / sizeof(PALETTE[0]));
    return PALETTE[((index % count) + count) % count];
}
