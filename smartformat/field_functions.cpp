// Field conversion functions: HexToFormat and its dispatch on the name.
#include <cmath>
#include <string>
#include <string_view>

#include "engine/crc.h"
#include "engine/errors.h"
#include "engine/fp_check.h"
#include "engine/number_text.h"
#include "engine/value_text.h"
#include "smartformat/smart_format.h"

namespace orvane {

namespace {

std::string_view Chars(std::string_view name, size_t from, size_t count) {
    if (name.size() < from) return {};
    return name.substr(from - 1, count);
}

std::string Lower(std::string_view t) {
    std::string out(t);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c + 32);
    return out;
}

// A character code as 8-bit text: codes 128..255 are U+0080..U+00FF in UTF-8;
// codes outside 0..255 have no character and give "?".
void AppendCode(std::string& out, long long code) {
    if (code < 0 || code > 255) {
        out += '?';
    } else if (code < 128) {
        out += char(code);
    } else {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    }
}

std::string FunctionV(std::string_view name, std::string_view D, std::string_view trailer,
                      SmartSession& s) {
    const int32_t base = StrToInt(name.substr(1));
    long double value = 0;
    for (char c : TrimView(D)) {
        int32_t d;
        if (!TryStrToInt(std::string("$") + c, d)) d = -1;
        value = FAdd(FMul(value, base), d);
    }
    if (trailer.size() >= 2) {
        const long double operand = StrToFloat(trailer.substr(1));
        switch (trailer[0]) {
            case '+': value = FAdd(value, operand); break;
            case '-': value = FSub(value, operand); break;
            case '*': value = FMul(value, operand); break;
            case '/': value = FDiv(value, operand); break;
            default: s.Host().ShowMessage(MsgIcon::Warning, "Formula extract fail"); break;
        }
    }
    return FloatToStr(value);
}

std::string FunctionX(std::string_view name, std::string_view D, std::string_view trailer,
                      bool& pass) {
    const int32_t from = StrToInt(Chars(name, 2, 2));
    int32_t to = 10;
    if (!TryStrToInt(Chars(name, 4, 2), to)) to = 10;
    long double value = 0;
    for (char c : D) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'A' && c <= 'Z') d = c - 'A' + 10;
        else if (c >= 'a' && c <= 'z') d = c - 'a' + 10;
        else break;
        if (d >= from) break;
        value = FAdd(FMul(value, from), d);
    }
    std::string text;
    if (to == 10) {
        text = FloatToStr(value);
    } else if (to < 2) {
        // A base below 2 has no digits.
        pass = false;
        return "No Such command";
    } else {
        while (value > 0) {
            // fmodl is exact, so the digit always lies in 0..to-1, however
            // large the value (whose low digits are then approximate anyway).
            const long double rem = fmodl(value, static_cast<long double>(to));
            value = std::truncl(FDiv(value, to));
            const int r = int(rem);
            if (r > 36) break;
            const char digit = r < 10 ? char('0' + r) : r < 16 ? char('A' + r - 10) : char(71 + r - 16);
            text.insert(text.begin(), digit);
        }
    }
    if (trailer.size() >= 2 && trailer[0] == ':') {
        const int32_t width = StrToInt(trailer.substr(1));
        if (width > kMaxPadWidth)
            throw ELimitExceeded("Zero padding width " + std::to_string(width) + " is more than " +
                                 std::to_string(kMaxPadWidth));
        if (int(text.size()) < width) text.insert(0, size_t(width) - text.size(), '0');
    }
    if (text.empty()) text = "0";
    return text;
}

std::string FunctionA(std::string_view name, std::string_view D, bool& pass) {
    const int32_t bb = StrToIntDef(Chars(name, 2, 2), 0);
    if (bb == 0) {
        pass = false;
        return "No Such command";
    }
    if (bb != 10 && bb != 16) return {};
    const std::string upper = UpperCase(name);
    const std::string sep = upper.size() >= 4 ? std::string(1, upper[3]) : std::string();
    std::string out;
    out.reserve(D.size() * (bb == 10 ? 4 : 3));
    for (unsigned char c : D) {
        out += bb == 10 ? std::to_string(int(c)) : IntToHex(c, 2);
        out += sep;
    }
    return out;
}

std::string FunctionC(int32_t bb, std::string_view D) {
    std::string out;
    std::string_view rest = TrimView(D);
    while (!rest.empty()) {
        const std::string_view pair = rest.substr(0, 2);
        long long code;
        if (bb == 10) {
            code = StrToInt(pair);
        } else if (bb == 16) {
            int32_t v;
            if (!TryStrToInt("$" + std::string(pair), v)) break;
            code = v;
        } else {
            break;
        }
        AppendCode(out, code);
        rest = TrimView(rest.substr(pair.size()));
    }
    return out;
}

// Parameterised CRC "CRC_w_init_xor_poly_ri_ro", or the fixed CRC by prefix.
std::string FunctionCrc(SmartSession& s, const std::string& upperName, std::string_view D,
                        std::string_view V, bool& pass) {
    size_t us[8];
    int count = 0;
    for (size_t i = 0; i < upperName.size() && count < 8; ++i)
        if (upperName[i] == '_') us[count++] = i;
    if (count >= 7) {
        s.Show_On_ListBOXRx("fail");
        pass = false;
        return {};
    }
    if (count == 6) {
        auto field = [&](int k) {
            return std::string_view(upperName).substr(us[k] + 1, us[k + 1] - us[k] - 1);
        };
        const int32_t width = StrToIntDef(field(0), 0);
        const int32_t init = StrToIntDef("$" + std::string(field(1)), 0);
        const int32_t xorout = StrToIntDef("$" + std::string(field(2)), 0);
        const int32_t poly = StrToIntDef("$" + std::string(field(3)), 0);
        const bool ri = StrToIntDef(field(4), 0) == 1;
        const bool ro = StrToIntDef(std::string_view(upperName).substr(us[5] + 1, 1), 0) == 1;
        if (width == 8 || width == 16) {
            const int digits = width == 8 ? 2 : 4;
            auto hex = [&](int32_t v) { return IntToHex(static_cast<uint32_t>(v), digits); };
            s.Host().StatusLine2Show(4, "Num:" + std::to_string(width) + " ini:" + hex(init) +
                                            " xor:" + hex(xorout) + " Poly:" + hex(poly) +
                                            " rev_I:" + (ri ? "-1" : "0") +
                                            " rev_O:" + (ro ? "-1" : "0"));
            std::string result;
            const bool ok =
                width == 8 ? RunCRC8_all_type(D, result, uint8_t(init), uint8_t(xorout),
                                              uint8_t(poly), ri, ro)
                           : RunCRC16_all_type(D, result, uint16_t(init), uint16_t(xorout),
                                               uint16_t(poly), ri, ro);
            if (ok) s.Show_On_ListBOXRx("Success");
            return result;
        }
    }
    // Any other width, and names whose parameters cannot be located.
    std::string result;
    if (upperName.rfind("CRC8", 0) == 0) {
        RunCRC8(D, result);
        return result;
    }
    if (upperName.rfind("CRC", 0) == 0) {
        RunCRC16(D, result);
        return result;
    }
    return std::string(V);
}

std::string FunctionSplit(char kind, std::string_view name, std::string_view D) {
    const int32_t code = StrToInt(Chars(name, 2, 3));
    const bool split = kind == 'T';
    std::string out;
    std::string_view rest = D;
    for (;;) {
        const size_t at = (code >= 0 && code <= 255) ? rest.find(char(code)) : std::string_view::npos;
        if (at == std::string_view::npos) {
            out.append(rest);
            if (split) out += ';';
            break;
        }
        out.append(TrimView(rest.substr(0, at)));
        if (split) out += ';';
        rest.remove_prefix(at + 1);
        if (rest.empty()) break;
    }
    return out;
}

}  // namespace

std::string HexToFormat(SmartSession& s, std::string_view V, std::string_view FormatS,
                        bool& proc_Pass) {
    proc_Pass = true;
    if (FormatS.empty()) return std::string(V);
    std::string indirect;
    if (FormatS.find('(') == std::string_view::npos || FormatS.find(')') == std::string_view::npos) {
        // The function text comes from a field or variable: "'&STR_VAR:FMT'".
        bool ignored = true;
        indirect = String_Proc(s, "[" + std::string(FormatS) + "]", true, ignored);
        FormatS = indirect;
    }
    const size_t open = FormatS.find('(');
    const size_t close = FormatS.find(')');
    const std::string_view rawName =
        open == std::string_view::npos ? std::string_view() : FormatS.substr(0, open);
    std::string_view selectors;
    if (open != std::string_view::npos && close != std::string_view::npos && close > open)
        selectors = FormatS.substr(open + 1, close - open - 1);
    const std::string_view trailer =
        close == std::string_view::npos ? std::string_view() : TrimView(FormatS.substr(close + 1));

    bool selected = true;
    const std::string D = HexSToUserDefS(s, V, selectors, selected);
    if (!selected || rawName.empty()) {
        proc_Pass = false;
        return {};
    }
    const std::string name = UpperCase(rawName);
    switch (name[0]) {
        case 'S': return D;
        case 'U': return UpperCase(D);
        case 'L': {
            if (name.rfind("LRC", 0) == 0) {
                std::string r;
                RunLRC(D, r);
                return r;
            }
            if (name.rfind("LEN", 0) == 0) return std::to_string(D.size());
            return Lower(D);
        }
        case 'V': return FunctionV(rawName, D, trailer, s);
        case 'X': return FunctionX(rawName, D, trailer, proc_Pass);
        case 'A': return FunctionA(rawName, D, proc_Pass);
        case 'C': {
            const int32_t bb = StrToIntDef(Chars(rawName, 2, 2), 0);
            if (bb != 0) return FunctionC(bb, D);
            return FunctionCrc(s, name, D, V, proc_Pass);
        }
        case 'T':
        case 'R': return FunctionSplit(name[0], rawName, D);
        case 'M': {
            if (name == "MD5_STR") return s.System().MD5OfText(D);
            if (name == "MD5_FILE") {
                if (s.System().FileExists(D)) return s.System().MD5OfFile(D);
                s.Host().ShowMessage(MsgIcon::Warning, "Syntax error MD5_FILE:(file not exist)");
                proc_Pass = false;
                return std::string(V);
            }
            const int32_t n = StrToIntDef(std::string_view(rawName).substr(1), 0);
            if (n <= 0) {
                s.Host().ShowMessage(MsgIcon::Warning, "Syntax error M?([n][n])");
                proc_Pass = false;
                return std::string(V);
            }
            std::string out;
            for (size_t at = 0; at < V.size(); at += size_t(n)) {
                bool ok = true;
                out += HexSToUserDefS(s, V.substr(at, size_t(n)), selectors, ok);
                if (!ok) proc_Pass = false;
            }
            return out;
        }
        default:
            proc_Pass = false;
            return "No Such command";
    }
}

}  // namespace orvane
