#include "app/output/svg_text.h"
#include "app/output/two_decimals.h"
#include "app/scene/scene_error.h"

std::string svgNumber(double value) {
    char text[TWO_DECIMALS_SIZE];
    return std::string(text, writeTwoDecimals(text, value));
}

namespace {

// XML 1.0 allows neither most C0 controls nor U+FFFE and U+FFFF; DEL and
// the C1 controls it allows are no text a label needs either.
bool allowedInXml(char32_t c) {
    if (c < 0x20) return c == '\t' || c == '\n' || c == '\r';
    return !(c >= 0x7F && c <= 0x9F) && c != 0xFFFE && c != 0xFFFF;
}

}  // namespace

std::string xmlEscape(const std::string& text) {
    std::string escaped;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        int length = decodeUtf8(text, i, c);
        if (length == 0) {
            escaped += "\xEF\xBF\xBD";  // U+FFFD for a byte that is no UTF-8
            ++i;
            continue;
        }
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            case '\'': escaped += "&apos;"; break;
            default:
                if (allowedInXml(c)) escaped.append(text, i, static_cast<std::size_t>(length));
                else escaped += '?';
        }
        i += static_cast<std::size_t>(length);
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
