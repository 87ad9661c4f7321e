#include "app/output/shortest_float.h"
#include "app/output/decimal_digits.h"
#include <charconv>
#include <cstdint>
#include <cstring>

namespace {

// value = digits x 10^exponent
struct Decimal {
    std::uint32_t digits;
    int exponent;
};

// 10^e scaled into [2^63, 2^64) and rounded up, for e = -31 to 45: the
// powers of ten that bring any float's digits to the units.
const int POW10_LOWEST = -31;
const std::uint64_t POW10_SCALED[] = {
    0x81CEB32C4B43FCF5, 0xA2425FF75E14FC32, 0xCAD2F7F5359A3B3F,
    0xFD87B5F28300CA0E, 0x9E74D1B791E07E49, 0xC612062576589DDB,
    0xF79687AED3EEC552, 0x9ABE14CD44753B53, 0xC16D9A0095928A28,
    0xF1C90080BAF72CB2, 0x971DA05074DA7BEF, 0xBCE5086492111AEB,
    0xEC1E4A7DB69561A6, 0x9392EE8E921D5D08, 0xB877AA3236A4B44A,
    0xE69594BEC44DE15C, 0x901D7CF73AB0ACDA, 0xB424DC35095CD810,
    0xE12E13424BB40E14, 0x8CBCCC096F5088CC, 0xAFEBFF0BCB24AAFF,
    0xDBE6FECEBDEDD5BF, 0x89705F4136B4A598, 0xABCC77118461CEFD,
    0xD6BF94D5E57A42BD, 0x8637BD05AF6C69B6, 0xA7C5AC471B478424,
    0xD1B71758E219652C, 0x83126E978D4FDF3C, 0xA3D70A3D70A3D70B,
    0xCCCCCCCCCCCCCCCD, 0x8000000000000001, 0xA000000000000001,
    0xC800000000000001, 0xFA00000000000001, 0x9C40000000000001,
    0xC350000000000001, 0xF424000000000001, 0x9896800000000001,
    0xBEBC200000000001, 0xEE6B280000000001, 0x9502F90000000001,
    0xBA43B74000000001, 0xE8D4A51000000001, 0x9184E72A00000001,
    0xB5E620F480000001, 0xE35FA931A0000001, 0x8E1BC9BF04000001,
    0xB1A2BC2EC5000001, 0xDE0B6B3A76400001, 0x8AC7230489E80001,
    0xAD78EBC5AC620001, 0xD8D726B7177A8001, 0x878678326EAC9001,
    0xA968163F0A57B401, 0xD3C21BCECCEDA101, 0x84595161401484A1,
    0xA56FA5B99019A5C9, 0xCECB8F27F4200F3B, 0x813F3978F8940985,
    0xA18F07D736B90BE6, 0xC9F2C9CD04674EDF, 0xFC6F7C4045812297,
    0x9DC5ADA82B70B59E, 0xC5371912364CE306, 0xF684DF56C3E01BC7,
    0x9A130B963A6C115D, 0xC097CE7BC90715B4, 0xF0BDC21ABB48DB21,
    0x96769950B50D88F5, 0xBC143FA4E250EB32, 0xEB194F8E1AE525FE,
    0x92EFD1B8D0CF37BF, 0xB7ABC627050305AE, 0xE596B7B0C643C71A,
    0x8F7E32CE7BEA5C70, 0xB35DBF821AE4F38C,
};

// floor(e log10 2), floor(e log10 2 + log10 3/4) and floor(e log2 10),
// exact over the exponents a float has.
int floorLog10Pow2(int e) { return (e * 1262611) >> 22; }
int floorLog10ThreeQuartersPow2(int e) { return (e * 1262611 - 524031) >> 22; }
int floorLog2Pow10(int e) { return (e * 1741647) >> 19; }

// The high 32 bits of the 96-bit product g x cp, with the low bits folded
// into the last bit ("round to odd"): enough to compare the scaled
// interval ends with candidates exactly.
std::uint32_t roundToOdd(std::uint64_t g, std::uint32_t cp) {
    // The product over 2^32, below 2^64: one multiplication of the machine's.
    auto middle = static_cast<std::uint64_t>((static_cast<unsigned __int128>(g) * cp) >> 32);
    std::uint32_t upper = static_cast<std::uint32_t>(middle >> 32);
    std::uint32_t rest = static_cast<std::uint32_t>(middle);
    return upper | (rest > 1 ? 1u : 0u);
}

Decimal withoutTrailingZeros(Decimal d) {
    while (d.digits % 10 == 0) {
        d.digits /= 10;
        ++d.exponent;
    }
    return d;
}

// The shortest decimal inside the float's rounding interval, nearest to it
// when there are two. `biasedExponent` is 1 to 254 or 0 for subnormals;
// zero itself is not asked for.
Decimal shortestDecimal(std::uint32_t fraction, int biasedExponent) {
    std::uint32_t c = fraction;
    int q = -149;
    if (biasedExponent != 0) {
        c |= 1u << 23;
        q = biasedExponent - 150;
        // Whole numbers below 2^24 have neighbours a unit or less away.
        if (q <= 0 && q >= -23 && (c & ((1u << -q) - 1)) == 0) return withoutTrailingZeros({c >> -q, 0});
    }
    bool even = (c & 1) == 0;
    // Above a power of two the float below is half as far as the one above.
    bool lowerCloser = fraction == 0 && biasedExponent > 1;
    // The interval's ends and the value, at four times the float's scale.
    std::uint32_t cbl = 4 * c - 2 + (lowerCloser ? 1 : 0);
    std::uint32_t cb = 4 * c;
    std::uint32_t cbr = 4 * c + 2;
    int k = lowerCloser ? floorLog10ThreeQuartersPow2(q) : floorLog10Pow2(q);
    int h = q + floorLog2Pow10(-k) + 1;
    std::uint64_t g = POW10_SCALED[-k - POW10_LOWEST];
    // The same, times 10^-k: the interval is then between 1 and 10 units wide.
    std::uint32_t vbl = roundToOdd(g, cbl << h);
    std::uint32_t vb = roundToOdd(g, cb << h);
    std::uint32_t vbr = roundToOdd(g, cbr << h);
    std::uint32_t lower = vbl + (even ? 0 : 1);
    std::uint32_t upper = vbr - (even ? 0 : 1);
    std::uint32_t s = vb / 4;
    // One digit fewer: at most one multiple of ten fits in the interval.
    if (s >= 10) {
        std::uint32_t sp = s / 10;
        bool belowInside = lower <= 40 * sp;
        bool aboveInside = 40 * sp + 40 <= upper;
        if (belowInside != aboveInside) return withoutTrailingZeros({sp + (aboveInside ? 1 : 0), k + 1});
    }
    // Otherwise s or s + 1: the one inside, or the nearer (ties to even).
    bool sInside = lower <= 4 * s;
    bool nextInside = 4 * s + 4 <= upper;
    bool up = nextInside;
    if (sInside == nextInside) {
        std::uint32_t middle = 4 * s + 2;
        up = vb > middle || (vb == middle && (s & 1) != 0);
    }
    Decimal nearest{s + (up ? 1 : 0), k};
    // Below ten the shorter form was not tried, and s + 1 may be 10.
    return s < 10 ? withoutTrailingZeros(nearest) : nearest;
}

// A decimal's digits in text order, held in two words and followed by
// '0's: the writers below store whole words and let the text's end fall
// where it does, so that no digit is copied from memory just written.
struct DigitWords {
    std::uint64_t first;   // digits 1 to 8
    std::uint64_t rest;    // digit 9, if any
    int count;
};

DigitWords digitWords(std::uint32_t n) {
    int count = digitCount(n);
    if (count == 9) {
        std::uint64_t low = eightDigits(n % 100000000);
        return {static_cast<std::uint64_t>('0' + n / 100000000) | (low << 8), (low >> 56) | (ASCII_ZEROS << 8), 9};
    }
    std::uint64_t digits = eightDigits(n);
    if (count == 8) return {digits, ASCII_ZEROS, 8};
    int unused = 8 * (8 - count);
    return {(digits >> unused) | (ASCII_ZEROS << (64 - unused)), ASCII_ZEROS, count};
}

// The digits from the one after the first `skipped` on (1 to 8).
std::uint64_t digitsAfter(const DigitWords& d, int skipped) {
    if (skipped == 8) return d.rest;
    return (d.first >> (8 * skipped)) | (d.rest << (64 - 8 * skipped));
}

// All the digits, and '0's after them up to 16 characters.
void storeDigits(char* text, const DigitWords& d) {
    storeWord(text, d.first);
    storeWord(text + 8, d.rest);
}

char* writeFixed(char* text, const DigitWords& d, int exponent) {
    int point = d.count + exponent;   // digits before the decimal point
    if (point <= 0) {
        // Fixed layout is chosen with at most three zeros after the point.
        std::memcpy(text, "0.000000", 8);
        text += 2 - point;
        storeDigits(text, d);
        return text + d.count;
    }
    storeDigits(text, d);   // any padding zeros come with it
    if (exponent >= 0) return text + point;
    text[point] = '.';
    storeWord(text + point + 1, digitsAfter(d, point));
    return text + d.count + 1;
}

char* writeScientific(char* text, const DigitWords& d, int exponent) {
    text[0] = static_cast<char>(d.first & 0xFFu);
    text[1] = '.';
    storeWord(text + 2, digitsAfter(d, 1));
    text += d.count > 1 ? d.count + 1 : 1;
    text[0] = 'e';
    text[1] = exponent < 0 ? '-' : '+';
    int magnitude = exponent < 0 ? -exponent : exponent;   // a float's is below 100
    text[2] = static_cast<char>('0' + magnitude / 10);
    text[3] = static_cast<char>('0' + magnitude % 10);
    return text + 4;
}

// The float's magnitude when it is a whole number of 2^24 or more that
// fixed layout could spell (below 2^64), else 0.
std::uint64_t largeWholeNumber(std::uint32_t fraction, int biasedExponent) {
    int q = biasedExponent - 150;
    if (q < 1 || q > 40) return 0;
    return static_cast<std::uint64_t>(fraction | (1u << 23)) << q;
}

// The layout std::to_chars chooses: the shorter, fixed on a tie. A whole
// number from 2^24 up is written in full when fixed: its exact digits are
// as short as the shortest digits padded with zeros, and nearer
// ("33871888", not "33871890").
char* writeDecimal(char* text, Decimal d, std::uint32_t fraction, int biasedExponent) {
    DigitWords digits = digitWords(d.digits);
    int count = digits.count;
    int point = count + d.exponent;
    int fixedLength = d.exponent >= 0 ? point : point > 0 ? count + 1 : 2 - point + count;
    int scientificLength = count + (count > 1 ? 1 : 0) + 4;
    if (fixedLength > scientificLength) return writeScientific(text, digits, point - 1);
    if (d.exponent > 0) {
        std::uint64_t whole = largeWholeNumber(fraction, biasedExponent);
        if (whole != 0) return std::to_chars(text, text + SHORTEST_FLOAT_ROOM, whole).ptr;
    }
    return writeFixed(text, digits, d.exponent);
}

}  // namespace

char* writeShortestFloat(char* text, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    std::uint32_t fraction = bits & 0x7FFFFFu;
    int biasedExponent = static_cast<int>((bits >> 23) & 0xFFu);
    // Infinities and not-a-number keep the library's spelling.
    if (biasedExponent == 0xFF) return std::to_chars(text, text + SHORTEST_FLOAT_ROOM, value).ptr;
    if (bits >> 31) *text++ = '-';
    if (biasedExponent == 0 && fraction == 0) {
        *text = '0';
        return text + 1;
    }
    return writeDecimal(text, shortestDecimal(fraction, biasedExponent), fraction, biasedExponent);
}
