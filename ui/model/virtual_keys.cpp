#include "ui/model/virtual_keys.h"

namespace orvane::ui {

int VirtualKeyFromQt(const KeyDescription& key) {
    const int k = key.qtKey;
    if (key.keypad) {
        if (k >= '0' && k <= '9') return vk::Numpad0 + (k - '0');
        switch (k) {
            case '*': return vk::Multiply;
            case '+': return vk::Add;
            case '-': return vk::Subtract;
            case '/': return vk::Divide;
            case '.':
            case ',': return vk::Decimal;
            default: break;  // keypad Enter and the NumLock-off keys map as usual
        }
    }
    if (k >= '0' && k <= '9') return k;
    if (k >= 'A' && k <= 'Z') return k;
    if (k >= 'a' && k <= 'z') return k - 32;
    if (k >= qtkey::F1 && k <= qtkey::F24) return vk::F1 + (k - qtkey::F1);
    switch (k) {
        // Shifted digits of the main keyboard (US layout).
        case ')': return 48;
        case '!': return 49;
        case '@': return 50;
        case '#': return 51;
        case '$': return 52;
        case '%': return 53;
        case '^': return 54;
        case '&': return 55;
        case '*': return 56;
        case '(': return 57;
        case ' ': return vk::Space;
        case ';': case ':': return vk::OemSemicolon;
        case '=': case '+': return vk::OemPlus;
        case ',': case '<': return vk::OemComma;
        case '-': case '_': return vk::OemMinus;
        case '.': case '>': return vk::OemPeriod;
        case '/': case '?': return vk::Oem2Slash;
        case '`': case '~': return vk::Oem3Tilde;
        case '[': case '{': return vk::Oem4Bracket;
        case '\\': case '|': return vk::Oem5Backslash;
        case ']': case '}': return vk::Oem6Bracket;
        case '\'': case '"': return vk::Oem7Quote;
        case qtkey::Escape: return vk::Escape;
        case qtkey::Tab:
        case qtkey::Backtab: return vk::Tab;
        case qtkey::Backspace: return vk::Back;
        case qtkey::Return:
        case qtkey::Enter: return vk::Return;
        case qtkey::Insert: return vk::Insert;
        case qtkey::Delete: return vk::Delete;
        case qtkey::Pause: return vk::Pause;
        case qtkey::Print:
        case qtkey::SysReq: return vk::Snapshot;
        case qtkey::Clear: return vk::Clear;
        case qtkey::Home: return vk::Home;
        case qtkey::End: return vk::End;
        case qtkey::Left: return vk::Left;
        case qtkey::Up: return vk::Up;
        case qtkey::Right: return vk::Right;
        case qtkey::Down: return vk::Down;
        case qtkey::PageUp: return vk::Prior;
        case qtkey::PageDown: return vk::Next;
        case qtkey::Shift: return vk::Shift;
        case qtkey::Control: return vk::Control;
        case qtkey::Alt: return vk::Menu;
        case qtkey::Meta:
        case qtkey::Super_L: return vk::LWin;
        case qtkey::Super_R: return vk::LWin + 1;
        case qtkey::Menu: return vk::Apps;
        case qtkey::CapsLock: return vk::Capital;
        case qtkey::NumLock: return vk::NumLock;
        case qtkey::ScrollLock: return vk::Scroll;
        default: return 0;
    }
}

}  // namespace orvane::ui
