#include "app/output/base64_text.h"
#include <cstring>

namespace {

const char ALPHABET[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

}  // namespace

Base64Text::Base64Text(OutputText& out) : text(out) {}

void Base64Text::float32(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    uint32(bits);
}

void Base64Text::uint32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) byte(static_cast<unsigned char>(value >> shift));
}

void Base64Text::byte(unsigned char value) {
    pending[pendingCount++] = value;
    if (pendingCount == 3) writeGroup(3);
}

void Base64Text::finish() {
    if (pendingCount == 0) return;
    const int kept = pendingCount;
    while (pendingCount < 3) pending[pendingCount++] = 0;
    writeGroup(kept);
}

// Three bytes as four characters; of a last, shorter group only the
// characters its `kept` bytes reach, then '=' padding.
void Base64Text::writeGroup(int kept) {
    text << ALPHABET[pending[0] >> 2] << ALPHABET[((pending[0] & 0x03) << 4) | (pending[1] >> 4)];
    text << (kept > 1 ? ALPHABET[((pending[1] & 0x0f) << 2) | (pending[2] >> 6)] : '=');
    text << (kept > 2 ? ALPHABET[pending[2] & 0x3f] : '=');
    pendingCount = 0;
}
