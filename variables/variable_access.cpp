#include "variables/variable_access.h"

#include <cfloat>
#include <cmath>

#include "engine/number_text.h"
#include "platform/field_text.h"

namespace orvane {
namespace {

constexpr const char* kPublicPrefix = "KOR_G_S_MEM";
constexpr const char* kPrivatePrefix = "KOR_P_S_MEM";
constexpr std::size_t kPrefixLength = 11;
constexpr std::size_t kMaxSharedTextLength = 128;

constexpr const char* kNoGlobalMemory = "No such global memory in system!";
constexpr const char* kNoPrivateData = "No such KOR private_data in system!";

void ErrorBox(VariableSession& s, const std::string& text) { s.Host().ShowMessage(MsgIcon::Error, text); }
void WarningBox(VariableSession& s, const std::string& text) { s.Host().ShowMessage(MsgIcon::Warning, text); }

bool PublicInRange(int n) { return n >= 1 && n <= kPublicTexts; }
bool PrivateInRange(int n) { return n >= 1 && n <= kKorSlots; }

// Reads a shared text for both read operations; false after an error box.
// Without a block the same boxes as for an unknown number are shown: there
// is no such memory in the system.
bool ReadShared(VariableSession& s, const VariableName& v, std::string& out) {
    Share_Memory* m = s.MapFilePointer();
    if (v.kind == VariableName::Kind::Public) {
        if (!m || !PublicInRange(v.number)) {
            ErrorBox(s, kNoGlobalMemory);
            return false;
        }
        out = platform::ReadFieldText(PublicData(*m, v.number).Share_Mem_Public_data);
        return true;
    }
    if (!m || !PrivateInRange(v.number)) {
        ErrorBox(s, kNoPrivateData);
        return false;
    }
    out = platform::ReadFieldText(KorSlot(*m, v.number).Share_Mem_private_data);
    return true;
}

// Writes a shared text for both write operations, after the length check.
// Returns the operation's result.
bool WriteShared(VariableSession& s, const VariableName& v, const std::string& text,
                 bool checkLength) {
    Share_Memory* m = s.MapFilePointer();
    if (v.kind == VariableName::Kind::Public) {
        if (checkLength && text.size() > kMaxSharedTextLength) {
            ErrorBox(s, "string length >128");
            return true;
        }
        if (!m || !PublicInRange(v.number)) {
            ErrorBox(s, "No such global memory in system! can't assign");
            return true;
        }
        platform::WriteFieldText(PublicData(*m, v.number).Share_Mem_Public_data, text);
        return true;
    }
    // Only the own private text may be written.
    if (v.number != s.instance_no()) {
        ErrorBox(s, "Private_data " + v.name + " not allow change!");
        return false;
    }
    if (checkLength && text.size() > kMaxSharedTextLength) {
        ErrorBox(s, "string length >128");
        return true;
    }
    if (!PrivateInRange(v.number)) {
        ErrorBox(s, "Private_data " + v.name + " range error!");
        return false;
    }
    if (!m) {
        ErrorBox(s, kNoPrivateData);
        return false;
    }
    platform::WriteFieldText(KorSlot(*m, v.number).Share_Mem_private_data, text);
    return true;
}

// Index of the slot named `name`, or -1. The search ends at the first free slot.
template <class Table>
int FindSlot(const Table& table, const std::string& name) {
    if (name.empty()) return -1;
    for (int i = 0; i < kVariableSlots; ++i) {
        if (table[i].Name.empty()) return -1;
        if (table[i].Name == name) return i;
    }
    return -1;
}

// Index of the slot to store `name` in (its own or the first free one), or -1
// when every slot holds another name.
template <class Table>
int SlotForWrite(const Table& table, const std::string& name) {
    for (int i = 0; i < kVariableSlots; ++i)
        if (table[i].Name.empty() || table[i].Name == name) return i;
    return -1;
}

}  // namespace

VariableName ParseVariableName(const std::string& raw, uint8_t instance_no) {
    VariableName v;
    v.name = UpperCase(Trim(raw));
    const std::string_view prefix = std::string_view(v.name).substr(0, kPrefixLength);
    if (prefix == kPublicPrefix) {
        v.kind = VariableName::Kind::Public;
    } else if (prefix == kPrivatePrefix) {
        v.kind = VariableName::Kind::Private;
        if (v.name.size() == kPrefixLength) v.name += IntToStr(instance_no);
    } else {
        // Cut here, for reading as for writing: a long name then always means
        // the one variable stored under its first 64 characters.
        if (v.name.size() > kMaxVariableNameLength) v.name.resize(kMaxVariableNameLength);
        return v;
    }
    v.number = StrToIntDef(std::string_view(v.name).substr(kPrefixLength, 2), -1);
    return v;
}

std::string Varable_Get(VariableSession& s, const std::string& name, bool& found) {
    found = false;
    const VariableName v = ParseVariableName(name, s.instance_no());
    if (v.kind != VariableName::Kind::Table) {
        std::string text;
        ReadShared(s, v, text);
        return text;  // found stays false even on success
    }
    const int i = FindSlot(s.INI_Parameter(), v.name);
    if (i < 0) return {};
    found = true;
    return FloatToStr(static_cast<long double>(s.INI_Parameter()[i].Value));
}

std::string STR_Varable_Get(VariableSession& s, const std::string& name, bool& found) {
    found = false;
    const VariableName v = ParseVariableName(name, s.instance_no());
    if (v.kind != VariableName::Kind::Table) {
        std::string text;
        found = ReadShared(s, v, text);
        return text;
    }
    const int i = FindSlot(s.INI_Str_Variable(), v.name);
    if (i < 0) return {};
    found = true;
    return s.INI_Str_Variable()[i].Value;
}

std::string Get_Field_Contants(VariableSession& s, const std::string& index_text, bool& found) {
    found = false;
    const int32_t index = StrToIntDef(index_text, -1);
    if (index == -1) return {};
    const std::string& list = s.Tmp_answer_all;
    std::string field;
    std::size_t start = 0;  // first character of field k
    // Stops at the last separator at the latest, however large the index.
    for (int32_t k = 1; k <= index; ++k) {
        const std::size_t sep = list.find(';', start);
        if (sep == std::string::npos) {
            if (k == index) field = list.substr(start);
            break;
        }
        if (k == index) {
            field = list.substr(start, sep - start);
            break;
        }
        start = sep + 1;
    }
    std::string result = Trim(field);
    if (!result.empty()) {
        found = true;
        return result;
    }
    WarningBox(s, "Get_Field_Contants Fail ( ['&&F:xx']  fail ) ,pos " + index_text + " of " +
                      list + " not exist");
    return result;
}

bool Varable_set_f(VariableSession& s, const std::string& name, long double value) {
    const VariableName v = ParseVariableName(name, s.instance_no());
    if (v.kind != VariableName::Kind::Table) return WriteShared(s, v, FloatToStr(value), false);
    if (v.name.empty()) return true;  // an empty name would mark its slot free
    // A finite number beyond the double range cannot be kept in the table;
    // storing it would silently turn it into an infinity.
    if (std::isfinite(value) && std::fabs(value) > static_cast<long double>(DBL_MAX)) {
        ErrorBox(s, "Str to Float fail");
        return true;
    }
    auto& table = s.INI_Parameter();
    const int i = SlotForWrite(table, v.name);
    if (i < 0) {
        WarningBox(s, "Too many variable");
        return true;
    }
    table[i].Name = v.name;
    table[i].Value = static_cast<double>(value);
    return true;
}

bool Varable_set_str(VariableSession& s, const std::string& name, const std::string& value) {
    const VariableName v = ParseVariableName(name, s.instance_no());
    if (v.kind != VariableName::Kind::Table) return WriteShared(s, v, value, true);
    if (v.name.empty()) return true;
    auto& table = s.INI_Str_Variable();
    const int i = SlotForWrite(table, v.name);
    if (i < 0) {
        WarningBox(s, "Too many string variable");
        return true;
    }
    table[i].Name = v.name;
    table[i].Value = value;
    return true;
}

void Assign_variable_Single(VariableSession& s, const std::string& name, const std::string& answer,
                            bool isString) {
    if (isString) {
        Varable_set_str(s, name, answer);
        return;
    }
    long double value = 0;
    if (!TryStrToFloat(answer, value)) {
        ErrorBox(s, "Str to Float fail");
        return;
    }
    Varable_set_f(s, name, value);
}

}  // namespace orvane
