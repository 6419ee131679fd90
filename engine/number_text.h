#pragma once
// Number text: the conversion helpers shared by the whole program, with fixed
// rules independent of the C library's locale. All of them use the process-wide
// format record (decimal separator) of format_settings.h.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

// The conversion sentinel 1.1E4932, built from its exact bit pattern
// (sign 0, biased exponent 0x7FFE, mantissa 0xECB12AED7F5875E1).
long double Sentinel();

// Text in the general number format: 15 significant digits, fixed notation for
// decimal exponents -3..15 (value = 0.ddd x 10^E), else "E" notation. Never fails.
std::string FloatToStr(long double value);

// Parses blanks, sign, decimal digits with at most one decimal separator, and
// an optional exponent. Returns false for anything else or an out-of-range value.
bool TryStrToFloat(std::string_view text, long double& value);
// As TryStrToFloat; raises EConvertError "'%s' is not a valid floating point value".
long double StrToFloat(std::string_view text);
// As TryStrToFloat; returns fallback when the text is not a number.
long double StrToFloatDef(std::string_view text, long double fallback);

// Parses leading blanks, an optional sign and decimal digits in the signed 32-bit
// range, or hexadecimal after "$", "x", "X", "0x", "0X" (at most 8 significant
// digits, taken as a signed 32-bit bit pattern).
bool TryStrToInt(std::string_view text, int32_t& value);
// As TryStrToInt; raises EConvertError "'%s' is not a valid integer value".
int32_t StrToInt(std::string_view text);
// As TryStrToInt; returns fallback when the text is not an integer.
int32_t StrToIntDef(std::string_view text, int32_t fallback);

// Decimal text, minus sign for negatives, no leading zeros.
std::string IntToStr(int64_t value);
// Upper-case hexadecimal of the value's bit pattern (16 digits for negatives),
// zero-filled to at least `digits` digits, no prefix.
std::string IntToHex(int64_t value, int digits);

// To nearest, ties to even; raises EInvalidOp outside the signed 64-bit range.
int64_t Round(long double value);
// Toward zero; raises EInvalidOp outside the signed 64-bit range.
int64_t Trunc(long double value);

// Trims every leading and trailing character whose code is 32 or less.
std::string Trim(std::string_view text);
std::string_view TrimView(std::string_view text);
// Changes the ASCII letters only.
std::string UpperCase(std::string_view text);
inline char UpChar(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }

// 1-based position of sub in text searching from 1-based offset; 0 when absent,
// when sub is empty, or when offset is outside 1..length.
size_t PosEx(std::string_view sub, std::string_view text, size_t offset = 1);

}  // namespace orvane
