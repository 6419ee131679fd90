#include "engine/value_text.h"

#include "engine/base_convert.h"
#include "engine/errors.h"
#include "engine/number_text.h"

namespace orvane {

namespace {

bool BeginsWith0X(const std::string& s) {
    return s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
}

// True when the first ".B" (any case) searched from the second character on is
// formed by the last two characters of s.
bool IsBase2Literal(const std::string& s) {
    if (s.size() <= 2) return false;
    for (size_t i = 1; i + 1 < s.size(); ++i) {
        if (s[i] == '.' && UpChar(s[i + 1]) == 'B') return i + 2 == s.size();
    }
    return false;
}

// Zero padding to `width` characters. A negative number keeps its minus sign
// in front, so -5 padded to 4 reads -005.
std::string PadZeros(std::string digits, int width) {
    if (width > kMaxPadWidth)
        throw ELimitExceeded("Zero padding width " + std::to_string(width) + " is more than " +
                             std::to_string(kMaxPadWidth));
    if (int(digits.size()) >= width) return digits;
    const size_t fill = size_t(width) - digits.size();
    if (!digits.empty() && digits[0] == '-') return "-" + std::string(fill, '0') + digits.substr(1);
    return std::string(fill, '0') + digits;
}

}  // namespace

long double strtovalue(Session& session, std::string& s) {
    long double value = Sentinel();
    const std::string_view trimmed = TrimView(s);
    if (trimmed.size() != s.size()) s = std::string(trimmed);
    bool hasWidth = false;
    std::string widthText;
    if (size_t colon = s.find(':'); colon != std::string::npos) {
        hasWidth = true;
        widthText = s.substr(colon + 1);
        s.resize(colon);
    }
    if (BeginsWith0X(s)) {
        int32_t v = StrToInt(s);
        value = v;
        s = IntToStr(v);
    } else if (IsBase2Literal(s)) {
        bool ok = true;
        std::string result = XB1B2("x0210(" + s.substr(0, s.size() - 2) + ")", ok);
        value = StrToInt(result);
        s = result;
    } else if (!TryStrToFloat(s, value)) {
        value = Sentinel();
        session.Show_On_ListBOXRx("Variable convert error ");
    }
    if (hasWidth) {
        std::string digits = IntToStr(Trunc(value));
        s = PadZeros(std::move(digits), StrToInt(widthText));
    }
    return value;
}

}  // namespace orvane
