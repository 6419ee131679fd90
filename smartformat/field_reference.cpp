// Field references: reserved "&..." names and the field table.
#include <cstdio>
#include <string>

#include "engine/date_time.h"
#include "engine/errors.h"
#include "engine/number_text.h"
#include "smartformat/smart_format.h"
#include "variables/instance_slots.h"
#include "variables/variable_access.h"

namespace orvane {

namespace {

bool StartsWith(const std::string& u, const char* prefix) { return u.rfind(prefix, 0) == 0; }

std::string Pad(long long v, int width) {
    std::string t = std::to_string(v);
    while (int(t.size()) < width) t.insert(t.begin(), '0');
    return t;
}

// The signed shift after "&TODAY" or "&TIME": "+n" or "-n", else none.
long long Shift(const std::string& rest, bool& negative) {
    const std::string_view r = TrimView(rest);
    negative = false;
    if (r.empty() || (r[0] != '+' && r[0] != '-')) return 0;
    negative = r[0] == '-';
    return StrToIntDef(r.substr(1), 0);
}

int DayOfYear(int y, int m, int d) { return int(DaysFromCivil(y, m, d) - DaysFromCivil(y, 1, 1)) + 1; }

// ISO 8601 week number: the week of the Thursday of the date's week, counted
// in that Thursday's year.
int IsoWeek(int y, int m, int d) {
    const int64_t thursday = DaysFromCivil(y, m, d) - DayOfTheWeekIso(y, m, d) + 4;
    int ty, tm, td;
    CivilFromDays(thursday, ty, tm, td);
    return int((thursday - DaysFromCivil(ty, 1, 1)) / 7) + 1;
}

std::string InstanceValue(SmartSession& s, const std::string& ref, const std::string& u,
                          bool& exist, bool& fallThrough) {
    fallThrough = false;
    if (StartsWith(u, "&KOR_NUMBER")) return std::to_string(int(s.instance_no()));
    if (StartsWith(u, "&KOR_COUNT")) return std::to_string(KorCount(s.MapFilePointer()));
    const int n = ref.size() >= 6 ? StrToIntDef(ref.substr(5, 1), -1) : -1;
    if (n < 1 || n > 8) {
        s.Host().ShowMessage(MsgIcon::Error, "&KOR_n_XXXXX extracting \"n\" error");
        return {};
    }
    // Without the shared block there is no slot to read: the value is empty.
    if (u.size() >= 13 && u.compare(6, 7, "_HANDLE") == 0) {
        const auto handle = KorSlotHandle(s.MapFilePointer(), n);
        return handle ? std::to_string(*handle) : std::string();
    }
    if (u.size() >= 20 && u.compare(6, 14, "_TESTPLAN_NAME") == 0)
        return KorSlotTestPlanName(s.MapFilePointer(), n).value_or(std::string());
    s.Host().ShowMessage(MsgIcon::Error, "&KOR_n_XXXXX extracting command xxxxx error");
    fallThrough = true;
    (void)exist;
    return {};
}

}  // namespace

std::string Get_String_BY_FieldName(SmartSession& s, const std::string& ref, bool& string_exist) {
    string_exist = true;
    const std::string u = UpperCase(ref);
    SystemValues& sys = s.System();
    if (StartsWith(u, "&VAR:")) return Varable_Get(s, u.substr(5), string_exist);
    if (StartsWith(u, "&ANS")) return s.Tmp_answer_1;
    if (StartsWith(u, "&F:")) return Get_Field_Contants(s, u.substr(3), string_exist);
    if (StartsWith(u, "&STR_VAR:")) return STR_Varable_Get(s, u.substr(9), string_exist);
    if (StartsWith(u, "&SCREEN_WIDTH")) return std::to_string(sys.ScreenWidth());
    if (StartsWith(u, "&SCREEN_HEIGHT")) return std::to_string(sys.ScreenHeight());
    if (StartsWith(u, "&DESKTOP_WIDTH")) return std::to_string(sys.DesktopWidth());
    if (StartsWith(u, "&DESKTOP_HEIGHT")) return std::to_string(sys.DesktopHeight());
    if (StartsWith(u, "&APP_PATH")) return sys.AppPath();
    if (StartsWith(u, "&TICKCOUNT")) return std::to_string(sys.TickCount());
    if (StartsWith(u, "&FREEMEMORY")) return std::to_string(sys.FreeMemory());
    if (StartsWith(u, "&APP_VER")) return sys.AppVersionDigits();
    if (StartsWith(u, "&TODAY")) {
        bool negative;
        const long long days = Shift(u.substr(6), negative);
        const LocalDateTime now = s.Host().Now();
        int y, m, d;
        CivilFromDays(DaysFromCivil(now.year, now.month, now.day) + (negative ? -days : days), y,
                      m, d);
        return Pad(y, 4) + Pad(m, 2) + Pad(d, 2);
    }
    if (StartsWith(u, "&WEEKOFTHEYEAR")) {
        const LocalDateTime now = s.Host().Now();
        return Pad(IsoWeek(now.year, now.month, now.day), 2);
    }
    if (StartsWith(u, "&DAYOFTHEYEAR")) {
        const LocalDateTime now = s.Host().Now();
        return Pad(DayOfYear(now.year, now.month, now.day), 3);
    }
    if (StartsWith(u, "&TIME")) {
        bool negative;
        const long long minutes = Shift(u.substr(5), negative);
        // The shift is encoded as a time of day, which takes 0..59 minutes only.
        if (minutes < 0 || minutes > 59) RaiseTimeEncode();
        const LocalDateTime now = s.Host().Now();
        long long secs = now.hour * 3600LL + now.minute * 60LL + now.second;
        secs += (negative ? -minutes : minutes) * 60;
        secs = ((secs % 86400) + 86400) % 86400;
        return Pad(secs / 3600, 2) + ":" + Pad(secs / 60 % 60, 2) + ":" + Pad(secs % 60, 2);
    }
    if (StartsWith(u, "&MAC_ADDRESS")) return sys.MacAddress();
    if (StartsWith(u, "&IP_ADDRESS")) return sys.LocalIP();
    if (StartsWith(u, "&UUID")) return sys.SystemUUID();
    if (StartsWith(u, "&PC_NAME")) return sys.PCName();
    if (StartsWith(u, "&KOR_")) {
        bool fallThrough = false;
        std::string v = InstanceValue(s, ref, u, string_exist, fallThrough);
        if (!fallThrough) return v;
    }
    if (const FieldTableAccess* table = s.FieldTable()) {
        if (const std::string* value = table->FindFieldValue(u)) return *value;
    }
    string_exist = false;
    s.Show_On_ListBOXRx("Can't find Field Name: " + ref);
    return {};
}

}  // namespace orvane
