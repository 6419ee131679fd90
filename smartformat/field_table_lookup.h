#pragma once
// The field table as the template engine reads it.
#include <string>
#include <string_view>

#include "smartformat/field_table.h"
#include "smartformat/smart_session.h"

namespace orvane {

// Reads the values of `table`, which must outlive it.
class FieldTableLookup : public FieldTableAccess {
public:
    explicit FieldTableLookup(const orvane::FieldTable& table) : m_table(table) {}
    const std::string* FindFieldValue(std::string_view upperName) const override {
        return m_table.FindValue(upperName);
    }

private:
    const orvane::FieldTable& m_table;
};

}  // namespace orvane
