#include "tools/tools_page_model.h"

#include "engine/number_text.h"
#include "tools/aes_cipher.h"
#include "tools/date_guid_lines.h"

namespace orvane {

std::string MultiLineBoxText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const size_t brk = text.find_first_of("\r\n", i);
        if (brk == std::string_view::npos) {
            out.append(text.substr(i));
            break;
        }
        out.append(text.substr(i, brk - i));
        out += "\r\n";
        i = brk + (text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n' ? 2 : 1);
    }
    return out;
}

size_t Utf16Length(std::string_view s) {
    size_t units = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const size_t n = s.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        bool valid = len != 0 && i + len <= n;
        for (size_t k = 1; valid && k < len; ++k) valid = (p[i + k] & 0xC0) == 0x80;
        if (!valid) {
            ++units, ++i;
            continue;
        }
        units += len == 4 ? 2 : 1;
        i += len;
    }
    return units;
}

ToolsPageModel::ToolsPageModel(EngineHost& host, Md5Hasher& hasher, platform::GuidSource& guids,
                               SmbiosPaths smbios)
    : m_host(host), m_hasher(hasher), m_guids(guids), m_smbios(std::move(smbios)) {}

std::string& ToolsPageModel::Box(ToolsBox box) {
    switch (box) {
        case ToolsBox::Key: return m_key;
        case ToolsBox::IV: return m_iv;
        case ToolsBox::DATA: return m_data;
        default: return m_encoded;
    }
}

const std::string& ToolsPageModel::Text(ToolsBox box) const {
    return const_cast<ToolsPageModel*>(this)->Box(box);
}

void ToolsPageModel::SetText(ToolsBox box, std::string text) {
    Box(box) = std::move(text);
    if (box == ToolsBox::Key || box == ToolsBox::IV) ComboBox_Click2(box);
    else ComboBox_Click(box);
}

void ToolsPageModel::LogLength(const LogSink& log, ToolsBox box) {
    if (log) log(std::to_string(Utf16Length(Text(box))));
}

void ToolsPageModel::ComboBox_Click(ToolsBox box) { LogLength(m_memo2, box); }

void ToolsPageModel::ComboBox_Click2(ToolsBox box) { LogLength(m_memo1, box); }

void ToolsPageModel::Button_encodeClick() {
    std::string encoded = AesEncodeText(m_key, m_iv, m_data);
    Append(m_memo1, "-------");
    Append(m_memo1, encoded);
    Append(m_memo1, "-------");
    m_encoded = std::move(encoded);
    if (m_listener) m_listener(ToolsBox::Encoded);
    ComboBox_Click(ToolsBox::Encoded);
    Append(m_memo1, "-------");
}

void ToolsPageModel::Button_decodeClick() {
    const std::string plain = AesDecodeText(m_key, m_iv, m_encoded);
    Append(m_memo2, "------original-");
    Append(m_memo2, plain);
    Append(m_memo2, "-----trimed--");
    Append(m_memo2, Trim(plain));
    Append(m_memo2, "-------");
}

void ToolsPageModel::Button_String_MD5Click() {
    Append(m_memo2, "MD5: " + m_hasher.MD5_Str(m_data));
}

bool ToolsPageModel::Button8Click(const std::optional<std::string>& chosenPath) {
    if (!chosenPath) return true;
    const std::string digest = m_hasher.MD5_file(*chosenPath, m_host);
    if (digest.empty()) return false;
    Append(m_memo2, "MD5: " + digest);
    return true;
}

bool ToolsPageModel::Button_systeminfoClick() {
    return SystemInfoLines([this](const std::string& line) { Append(m_memo2, line); }, m_smbios);
}

void ToolsPageModel::Button_timeClick() {
    for (const std::string& line : DateTimeLines(m_host.Now())) Append(m_memo2, line);
}

void ToolsPageModel::Button9Click() {
    for (int i = 0; i < 3; ++i) Button_timeClick();
}

bool ToolsPageModel::Button_GUIDClick() {
    platform::Guid g;
    if (!m_guids.NewGuid(g)) return false;
    Append(m_memo2, GuidText(g));
    return true;
}

}  // namespace orvane
