#include "engine/number_text.h"

#include <locale.h>

#include <cerrno>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/errors.h"
#include "engine/format_settings.h"
#include "engine/fp_check.h"

namespace orvane {

long double Sentinel() {
    static const long double value = [] {
        unsigned char bytes[sizeof(long double)] = {};
        const uint64_t mantissa = 0xECB12AED7F5875E1ULL;
        const uint16_t signExp = 0x7FFE;
        std::memcpy(bytes, &mantissa, 8);
        std::memcpy(bytes + 8, &signExp, 2);
        long double v;
        std::memcpy(&v, bytes, sizeof v);
        return v;
    }();
    return value;
}

std::string FloatToStr(long double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";
    // Whole numbers below 10^15 are written exactly as they are.
    if (std::fabs(value) < 1e15L && std::truncl(value) == value) {
        return std::to_string(static_cast<long long>(value));
    }
    const char sep = GetFormatSettings().DecimalSeparator;
    // 18 significant digits first, then rounded half up to 15, as the
    // general format of the extended type does.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17Le", std::fabs(value));
    char digits[19];
    int n = 0;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') digits[n++] = *p;
    int exp10 = std::atoi(p + 1);
    if (digits[15] >= '5') {
        int i = 14;
        while (i >= 0 && digits[i] == '9') digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits[0] = '1';
            for (int k = 1; k < 15; ++k) digits[k] = '0';
            ++exp10;
        }
    }
    n = 15;
    while (n > 1 && digits[n - 1] == '0') --n;
    const int E = exp10 + 1;  // value = 0.d1d2... x 10^E
    std::string out;
    if (value < 0) out += '-';
    if (E >= -3 && E <= 15) {
        if (E <= 0) {
            out += '0';
            out += sep;
            out.append(size_t(-E), '0');
            out.append(digits, size_t(n));
        } else if (n <= E) {
            out.append(digits, size_t(n));
            out.append(size_t(E - n), '0');
        } else {
            out.append(digits, size_t(E));
            out += sep;
            out.append(digits + E, size_t(n - E));
        }
    } else {
        out += digits[0];
        if (n > 1) {
            out += sep;
            out.append(digits + 1, size_t(n - 1));
        }
        out += 'E';
        out += std::to_string(E - 1);
    }
    return out;
}

namespace {
locale_t CLocaleHandle() {
    static locale_t loc = newlocale(LC_ALL_MASK, "C", nullptr);
    return loc;
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// mant / 10^decimals with one rounding: both are exactly representable
// (mant < 2^64, 10^27 < 2^64 * 2^27 with 5^27 < 2^64), so the quotient is the
// correctly rounded value of the decimal text.
long double ScaleDecimal(uint64_t mant, int decimals, bool neg) {
    static const long double kPow10[] = {
        1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
        1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
        1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
    long double v = static_cast<long double>(mant);
    if (decimals) {
        volatile long double num = v, den = kPow10[decimals];
        v = num / den;
    }
    return neg ? -v : v;
}

}  // namespace

bool TryStrToFloat(std::string_view text, long double& value) {
    const char sep = GetFormatSettings().DecimalSeparator;
    size_t i = 0, n = text.size();
    while (i < n && text[i] == ' ') ++i;
    while (n > i && text[n - 1] == ' ') --n;
    // Fast path: "[sign]digits[sep digits]" with at most 19 significant digits
    // is read exactly with one rounding (see ParseSimpleDecimal).
    {
        size_t k = i;
        bool neg = false;
        if (k < n && (text[k] == '+' || text[k] == '-')) neg = text[k++] == '-';
        uint64_t mant = 0;
        int digits = 0, decimals = 0, all = 0;
        bool point = false, simple = true;
        for (; k < n; ++k) {
            const char c = text[k];
            if (c == sep && !point) {
                point = true;
                continue;
            }
            if (!IsDigit(c) || digits >= 19) {
                simple = false;
                break;
            }
            ++all;
            if (point) ++decimals;
            if (mant == 0 && c == '0') continue;
            ++digits;
            mant = mant * 10 + uint64_t(c - '0');
        }
        if (simple && all > 0 && decimals <= 27) {
            value = ScaleDecimal(mant, decimals, neg);
            return true;
        }
    }
    std::string norm;
    norm.reserve(n - i + 2);
    if (i < n && (text[i] == '+' || text[i] == '-')) norm += text[i++];
    size_t mantDigits = 0;
    while (i < n && IsDigit(text[i])) norm += text[i++], ++mantDigits;
    if (i < n && text[i] == sep) {
        norm += '.';
        ++i;
        while (i < n && IsDigit(text[i])) norm += text[i++], ++mantDigits;
    }
    if (mantDigits == 0) return false;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        norm += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) norm += text[i++];
        size_t expDigits = 0;
        while (i < n && IsDigit(text[i])) norm += text[i++], ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != n) return false;
    long double v = strtold_l(norm.c_str(), nullptr, CLocaleHandle());
    FpClear();  // what the conversion raised is no fault of the next operation
    if (std::isinf(v)) return false;
    value = v;
    return true;
}
long double StrToFloat(std::string_view text) {
    long double v;
    if (!TryStrToFloat(text, v)) RaiseInvalidFloat(std::string(text));
    return v;
}

long double StrToFloatDef(std::string_view text, long double fallback) {
    long double v;
    return TryStrToFloat(text, v) ? v : fallback;
}

bool TryStrToInt(std::string_view text, int32_t& value) {
    size_t i = 0, n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool neg = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) neg = text[i++] == '-';
    bool hex = false;
    if (i < n && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i < n && (text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n) return false;
    if (hex) {
        uint64_t v = 0;
        int significant = 0;
        for (; i < n; ++i) {
            char c = text[i];
            int d;
            if (IsDigit(c)) d = c - '0';
            else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
            else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
            else return false;
            if (significant > 0 || d != 0) ++significant;
            if (significant > 8) return false;
            v = v * 16 + uint64_t(d);
        }
        uint32_t bits = uint32_t(v);
        if (neg) bits = uint32_t(0u - bits);
        value = int32_t(bits);
        return true;
    }
    int64_t v = 0;
    for (; i < n; ++i) {
        if (!IsDigit(text[i])) return false;
        v = v * 10 + (text[i] - '0');
        if (v > 2147483648LL) return false;
    }
    if (neg) v = -v;
    if (v > 2147483647LL || v < -2147483648LL) return false;
    value = int32_t(v);
    return true;
}

int32_t StrToInt(std::string_view text) {
    int32_t v;
    if (!TryStrToInt(text, v)) RaiseInvalidInteger(std::string(text));
    return v;
}

int32_t StrToIntDef(std::string_view text, int32_t fallback) {
    int32_t v;
    return TryStrToInt(text, v) ? v : fallback;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

std::string IntToHex(int64_t value, int digits) {
    static const char kHex[] = "0123456789ABCDEF";
    uint64_t v = uint64_t(value);
    char buf[17];
    int n = 0;
    do {
        buf[n++] = kHex[v & 15];
        v >>= 4;
    } while (v);
    std::string out;
    if (digits > n) out.append(size_t(digits - n), '0');
    while (n) out += buf[--n];
    return out;
}

namespace {
constexpr long double kTwo63 = 9223372036854775808.0L;
int64_t ToInt64Checked(long double r) {
    if (std::isnan(r) || r >= kTwo63 || r < -kTwo63) {
        std::feclearexcept(FE_ALL_EXCEPT);
        throw EInvalidOp();
    }
    return int64_t(r);
}
}  // namespace

int64_t Round(long double value) {
    if (std::isnan(value)) throw EInvalidOp();
    return ToInt64Checked(std::nearbyintl(value));
}

int64_t Trunc(long double value) {
    if (std::isnan(value)) throw EInvalidOp();
    return ToInt64Checked(std::truncl(value));
}

std::string_view TrimView(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
    return text.substr(b, e - b);
}

std::string Trim(std::string_view text) { return std::string(TrimView(text)); }

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = UpChar(c);
    return out;
}

size_t PosEx(std::string_view sub, std::string_view text, size_t offset) {
    if (sub.empty() || offset < 1 || offset > text.size()) return 0;
    size_t p = text.find(sub, offset - 1);
    return p == std::string_view::npos ? 0 : p + 1;
}

}  // namespace orvane
