#pragma once
// The session of the smart-format engine: the variable store plus the field
// table and the system values that field references read. Templates reached
// from statements ("[...]" groups, brace groups, string assignments) run here.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "variables/variable_session.h"

namespace orvane {

// Read access to the field table: row 0 names, row 1 values, columns 1..last.
class FieldTableAccess {
public:
    virtual ~FieldTableAccess() = default;
    // The value (row 1) of the first column whose name, upper-cased, equals
    // `upperName`; null when no column matches.
    virtual const std::string* FindFieldValue(std::string_view upperName) const = 0;
};

// System values and services behind the reserved field names and functions.
// The defaults describe a machine without a screen and without identity.
class SystemValues {
public:
    virtual ~SystemValues() = default;
    virtual int ScreenWidth() { return 0; }
    virtual int ScreenHeight() { return 0; }
    virtual int DesktopWidth() { return 0; }
    virtual int DesktopHeight() { return 0; }
    // Folder of the program file, ending with "/".
    virtual std::string AppPath() { return ""; }
    virtual uint32_t TickCount() { return 0; }
    virtual uint32_t FreeMemory() { return 0; }
    // The program's version as eight digits ("00000000" when unknown).
    virtual std::string AppVersionDigits() { return "00000000"; }
    virtual std::string MacAddress() { return ""; }
    virtual std::string LocalIP() { return ""; }
    virtual std::string SystemUUID() { return ""; }
    virtual std::string PCName() { return ""; }
    // MD5 digest text (32 upper-case hex digits) of bytes, and of a file;
    // MD5OfFile returns "" after reporting a read failure itself.
    virtual std::string MD5OfText(std::string_view text);
    virtual std::string MD5OfFile(const std::string& path);
    virtual bool FileExists(const std::string& path);
};

class SmartSession : public VariableSession {
public:
    SmartSession(EngineHost& host, std::shared_ptr<platform::SharedBlock> block = nullptr,
                 uint8_t instance_no = 1);

    // Template processing for the evaluator (see smart_format.h).
    bool curly_brackets_Process(std::string& text) override;
    std::string String_Proc(const std::string& text, bool flag, bool& success) override;

    void SetFieldTable(const FieldTableAccess* fields) { m_fields = fields; }
    const FieldTableAccess* FieldTable() const { return m_fields; }
    void SetSystemValues(SystemValues* values) { m_system = values ? values : &m_defaultSystem; }
    SystemValues& System() { return *m_system; }

private:
    const FieldTableAccess* m_fields = nullptr;
    SystemValues m_defaultSystem;
    SystemValues* m_system = &m_defaultSystem;
};

}  // namespace orvane
