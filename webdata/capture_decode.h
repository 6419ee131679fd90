#pragma once
// The page-source capture: the browser page runs kCaptureScript in the shown
// page and turns the script's result, delivered as JSON text, into the text of
// the source view `Memo1`.
#include <string>
#include <string_view>

namespace orvane::webdata {

// The script that captures the page: the document's whole markup, percent-
// encoded by the page's own encoder (which escapes '%', '"', blanks, line
// breaks and every non-ASCII character).
inline constexpr const char* kCaptureScript = "encodeURI(document.documentElement.outerHTML)";

enum class CaptureStatus {
    Source,     // `source` holds the new page-source text
    Null,       // the result was "null": the source view keeps its text
    Malformed,  // a '%' not followed by two hexadecimal digits or a second '%'
};

struct CaptureResult {
    CaptureStatus status = CaptureStatus::Null;
    std::string source;
};

// Decodes the JSON text of a capture: exactly "null" gives Null; otherwise
// "%" + two hexadecimal digits is one byte and "%%" is "%", "+" is a blank,
// every other character stays, and the bytes are read as UTF-8 (a bad byte
// becomes U+FFFD). Then, when the text begins and ends with a double quote,
// those two go, every lone double quote inside is dropped and every pair of
// adjacent double quotes becomes one. Time linear in the text's length.
CaptureResult DecodeCapture(std::string_view json);

// The page's encoder, encodeURI, over UTF-8 text: every byte except the
// letters, digits and - _ . ! ~ * ' ( ) ; , / ? : @ & = + $ # is written as
// "%" + two upper-case hexadecimal digits. With quotes around it this is the
// JSON text a capture delivers; fakes and benchmarks build captures with it.
std::string EncodeURI(std::string_view text);

// The JSON text of a capture script's result: the string in double quotes, or
// "null" when the script gave no string (`isString` false). An encoded page
// holds no character that JSON would escape.
std::string CaptureJson(bool isString, std::string_view value);

}  // namespace orvane::webdata
