#pragma once
// Key codes: the Windows virtual key codes the calculator panel's and the
// memo's key rules are written in, and their mapping from Qt key values
// (without any Qt header, so the models build without Qt).

namespace orvane::ui {

// Windows virtual key codes: the codes the panel's key rules are written in.
// The window maps its key events to these with VirtualKeyFromQt (below) and
// forwards the code.
namespace vk {
inline constexpr int Back = 8, Tab = 9, Clear = 12, Return = 13;
inline constexpr int Shift = 16, Control = 17, Menu = 18, Pause = 19, Capital = 20;
inline constexpr int Escape = 27, Space = 32, Prior = 33, Next = 34, End = 35, Home = 36;
inline constexpr int Left = 37, Up = 38, Right = 39, Down = 40;
inline constexpr int Snapshot = 44, Insert = 45, Delete = 46;
inline constexpr int Key0 = 48, Key9 = 57;        // digits of the main keyboard
inline constexpr int KeyA = 65, KeyZ = 90;        // letters
inline constexpr int LWin = 91, Apps = 93;
inline constexpr int Numpad0 = 96, Numpad9 = 105;  // digits of the numeric keypad
inline constexpr int Multiply = 106, Add = 107, Subtract = 109, Decimal = 110, Divide = 111;
inline constexpr int F1 = 112, F24 = 135;
inline constexpr int NumLock = 144, Scroll = 145;
inline constexpr int OemSemicolon = 186, OemPlus = 187, OemComma = 188, OemMinus = 189;
inline constexpr int OemPeriod = 190, Oem2Slash = 191, Oem3Tilde = 192;
inline constexpr int Oem4Bracket = 219, Oem5Backslash = 220, Oem6Bracket = 221, Oem7Quote = 222;
}  // namespace vk

// The Qt::Key values that VirtualKeyFromQt understands (the numeric values of
// the Qt::Key enum, stable across Qt versions; printable keys are their ASCII
// code, letters upper-case). Kept here so this library needs no Qt header.
namespace qtkey {
inline constexpr int Escape = 0x01000000, Tab = 0x01000001, Backtab = 0x01000002;
inline constexpr int Backspace = 0x01000003, Return = 0x01000004, Enter = 0x01000005;
inline constexpr int Insert = 0x01000006, Delete = 0x01000007, Pause = 0x01000008;
inline constexpr int Print = 0x01000009, SysReq = 0x0100000a, Clear = 0x0100000b;
inline constexpr int Home = 0x01000010, End = 0x01000011, Left = 0x01000012, Up = 0x01000013;
inline constexpr int Right = 0x01000014, Down = 0x01000015, PageUp = 0x01000016;
inline constexpr int PageDown = 0x01000017;
inline constexpr int Shift = 0x01000020, Control = 0x01000021, Meta = 0x01000022;
inline constexpr int Alt = 0x01000023, CapsLock = 0x01000024, NumLock = 0x01000025;
inline constexpr int ScrollLock = 0x01000026;
inline constexpr int F1 = 0x01000030, F24 = 0x01000047;
inline constexpr int Super_L = 0x01000053, Super_R = 0x01000054, Menu = 0x01000055;
}  // namespace qtkey

// A key event as the window sees it, without Qt types: the Qt::Key value, the
// keypad flag (Qt::KeypadModifier) and whether Shift is held.
struct KeyDescription {
    int qtKey = 0;
    bool keypad = false;
    bool shift = false;
};

// The platform virtual key code of a key, 0 when it has none. Keypad digits
// and operators give 96..107/109..111 (keypad Enter gives 13 like Return);
// the main keyboard's digits give 48..57 also when Shift turned them into
// symbols (the usual US layout: ")!@#$%^&*(" lie on 0..9); "/" and "?" give
// 191; the other punctuation keys give their US-layout OEM codes.
int VirtualKeyFromQt(const KeyDescription& key);

}  // namespace orvane::ui
