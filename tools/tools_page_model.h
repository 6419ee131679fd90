#pragma once
// The tools page ("AES_HASH") without widgets: MD5 digests of a text and of a
// file, the AES-128-CBC cipher with Base64 text, the system information
// lines, dates and GUIDs.
//
// The model holds the texts of the four boxes and writes its results as lines
// to two logs: `Memo2` (the page's log) and `Memo1` (the browser page's
// page-source view, which the cipher also writes to). Message boxes and the
// clock come from the host. The page forwards its events here and mirrors the
// texts the model changes (reported through the box listener) with its own
// change signals blocked, so that every change handler runs exactly once. The
// command-line tool drives the same model.
//
// Text is engine text: UTF-8 bytes. The multi-line boxes (DATA, Encoded) hold
// their line breaks as CR LF: the page hands their text over through
// MultiLineBoxText.
//
// Errors: a crypto-library failure raises EOrvane "ECryptoError" out of the
// cipher buttons.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/session.h"
#include "platform/guid_source.h"
#include "tools/md5_tools.h"
#include "tools/smbios.h"

namespace orvane {

// The page's initial key, IV and data text, and the default key and IV of
// orvane-tool: a placeholder of 16 decimal digits.
inline constexpr const char* kToolsPlaceholder = "1234567890123456";

// Captions and initial texts of the page's controls.
inline constexpr const char* kToolsPageCaption = "AES_HASH";
inline constexpr const char* kEncodedInitialText = "ComboBox_Encoded";
inline constexpr const char* kMemo2InitialText = "Memo2";
inline constexpr const char* kKeyLabel = "Key";
inline constexpr const char* kIVLabel = "IV";
inline constexpr const char* kButtonEncodeCaption = "Button_encode";
inline constexpr const char* kButtonDecodeCaption = "Button_decode";
inline constexpr const char* kButtonStringMd5Caption = "String_MD5";
inline constexpr const char* kButtonFileMd5Caption = "FIle MD5";
inline constexpr const char* kButtonSysteminfoCaption = "PC Systeminfo UUID";
inline constexpr const char* kButtonTimeCaption = "Date_time";
inline constexpr const char* kButton9Caption = "Run Datetime 3 times";
inline constexpr const char* kButtonGuidCaption = "GUID";

// The four text boxes of the page.
enum class ToolsBox {
    Key,      // ComboBox_Key, single line
    IV,       // ComboBox_IV, single line
    DATA,     // ComboBox_DATA, multi-line
    Encoded,  // ComboBox_Encoded, multi-line
};

// `text` with each line break (CR LF, LF or a lone CR) written as CR LF: the
// text of a multi-line box as the page's operations read it.
std::string MultiLineBoxText(std::string_view text);

// The length of UTF-8 text in UTF-16 code units (a byte that starts no valid
// sequence counts as one unit).
size_t Utf16Length(std::string_view utf8);

class ToolsPageModel {
public:
    using LogSink = std::function<void(const std::string& line)>;
    using BoxListener = std::function<void(ToolsBox)>;

    // `hasher` is the window's shared MD5 hasher; `guids` the GUID generator;
    // `smbios` where the system information is read from.
    ToolsPageModel(EngineHost& host, Md5Hasher& hasher, platform::GuidSource& guids,
                   SmbiosPaths smbios = {});
    ToolsPageModel(const ToolsPageModel&) = delete;
    ToolsPageModel& operator=(const ToolsPageModel&) = delete;

    // Where the lines go; a log without a sink drops them.
    void SetMemo1(LogSink sink) { m_memo1 = std::move(sink); }
    void SetMemo2(LogSink sink) { m_memo2 = std::move(sink); }
    // Called after the model changed a box's text (only Encode does).
    void SetBoxListener(BoxListener listener) { m_listener = std::move(listener); }

    // The box's current text (initially the placeholder, and
    // "ComboBox_Encoded" for the encoded box).
    const std::string& Text(ToolsBox box) const;

    // The box's text changed to `text` (typed, pasted, or set by the caller):
    // stores it and runs the box's change handler (ComboBox_Click for DATA and
    // Encoded, ComboBox_Click2 for Key and IV).
    void SetText(ToolsBox box, std::string text);

    // Change or click of DATA or Encoded: appends the box's text length in
    // UTF-16 units (each line break counts 2) to Memo2.
    void ComboBox_Click(ToolsBox box);
    // Change or click of Key or IV: the same line, appended to Memo1.
    void ComboBox_Click2(ToolsBox box);

    // "Button_encode": DATA enciphered under Key and IV, in Base64. Appends
    // "-------", the Base64 text and "-------" to Memo1, puts the Base64 text
    // into the encoded box (whose change handler logs its length to Memo2),
    // and appends a third "-------" to Memo1.
    void Button_encodeClick();
    // "Button_decode": the encoded box's text deciphered under Key and IV.
    // Appends "------original-", the decrypted bytes (pad bytes and all),
    // "-----trimed--", the same without leading and trailing characters of
    // code 32 or less, and "-------" to Memo2. Nothing is checked: a wrong key
    // shows whatever the decryption gives.
    void Button_decodeClick();

    // "String_MD5": appends "MD5: " + the digest of DATA's text to Memo2.
    void Button_String_MD5Click();
    // "FIle MD5" after the file dialog: nothing when it was cancelled (no
    // path); else "MD5: " + the file's digest to Memo2, or the failure's
    // message box (error icon) and no line. False when a message box was shown.
    bool Button8Click(const std::optional<std::string>& chosenPath);

    // "PC Systeminfo UUID": the system information lines to Memo2; after a
    // failure the lines written so far and one "kind: message" line. False
    // after a failure.
    bool Button_systeminfoClick();

    // "Date_time": reads the host's clock once and appends the seven lines of
    // DateTimeLines to Memo2.
    void Button_timeClick();
    // "Run Datetime 3 times": Button_timeClick three times (21 lines, the
    // clock read anew each time).
    void Button9Click();
    // "GUID": appends a new GUID's 38-character registry form to Memo2;
    // nothing when the generator fails. False then.
    bool Button_GUIDClick();

private:
    std::string& Box(ToolsBox box);
    void LogLength(const LogSink& log, ToolsBox box);
    static void Append(const LogSink& log, const std::string& line) {
        if (log) log(line);
    }

    EngineHost& m_host;
    Md5Hasher& m_hasher;
    platform::GuidSource& m_guids;
    SmbiosPaths m_smbios;
    LogSink m_memo1, m_memo2;
    BoxListener m_listener;
    std::string m_key = kToolsPlaceholder;
    std::string m_iv = kToolsPlaceholder;
    std::string m_data = kToolsPlaceholder;
    std::string m_encoded = kEncodedInitialText;
};

}  // namespace orvane
