#include "webdata/capture_decode.h"

#include "webdata/utf16_text.h"

namespace orvane::webdata {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Percent and "+" decoding into raw bytes; false on a malformed sequence.
bool UrlDecode(std::string_view in, std::string& out) {
    out.clear();
    out.reserve(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        char c = in[i];
        if (c == '+') {
            out.push_back(' ');
        } else if (c != '%') {
            out.push_back(c);
        } else if (i + 1 < in.size() && in[i + 1] == '%') {
            out.push_back('%');
            ++i;
        } else {
            int hi = i + 1 < in.size() ? HexValue(in[i + 1]) : -1;
            int lo = i + 2 < in.size() ? HexValue(in[i + 2]) : -1;
            if (hi < 0 || lo < 0) return false;
            out.push_back(char(hi * 16 + lo));
            i += 2;
        }
    }
    return true;
}

// The JSON quotes and, inside, the markup's own double quotes: a lone one is
// dropped, a pair of adjacent ones becomes one.
std::string Dequote(std::string text) {
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') return text;
    std::string out;
    out.reserve(text.size());
    size_t end = text.size() - 1;
    for (size_t i = 1; i < end; ++i) {
        if (text[i] != '"') {
            out.push_back(text[i]);
        } else if (i + 1 < end && text[i + 1] == '"') {
            out.push_back('"');
            ++i;
        }
    }
    return out;
}

bool KeptByEncodeURI(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    constexpr std::string_view kept = "-_.!~*'();,/?:@&=+$#";
    return c != 0 && kept.find(char(c)) != std::string_view::npos;
}

}  // namespace

CaptureResult DecodeCapture(std::string_view json) {
    CaptureResult r;
    if (json == "null") {
        r.status = CaptureStatus::Null;
        return r;
    }
    std::string bytes;
    if (!UrlDecode(json, bytes)) {
        r.status = CaptureStatus::Malformed;
        return r;
    }
    r.status = CaptureStatus::Source;
    r.source = Dequote(ValidUtf8(bytes));
    return r;
}

std::string EncodeURI(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (KeptByEncodeURI(c)) {
            out.push_back(ch);
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}

std::string CaptureJson(bool isString, std::string_view value) {
    if (!isString) return "null";
    std::string out;
    out.reserve(value.size() + 2);
    out.push_back('"');
    out.append(value);
    out.push_back('"');
    return out;
}

}  // namespace orvane::webdata
