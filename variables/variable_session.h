#pragma once
// The session of one running calculator with its variable store: the two
// variable tables, this copy's instance number, the shared block (or none)
// and the field list read by "&F:".
#include <cstdint>
#include <memory>
#include <string>

#include "engine/session.h"
#include "platform/shared_block.h"
#include "variables/share_memory.h"
#include "variables/variable_tables.h"

namespace orvane {

class VariableSession : public Session {
public:
    // `block` may be null: the copy then runs without the shared block, and
    // every reserved shared name reports the missing memory instead of
    // touching it. A block smaller than the shared record counts as none.
    // `instance_no` is this copy's number, normally 1..8.
    explicit VariableSession(EngineHost& host,
                             std::shared_ptr<platform::SharedBlock> block = nullptr,
                             uint8_t instance_no = 1);

    // The evaluator's store for "name=..." (as a number) and "name:STR=..."
    // (as text); see Assign_variable_Single in variable_access.h.
    void Assign_variable_Single(const std::string& name, const std::string& answer,
                                bool isString) override;

    // Empties both variable tables. Leaves the shared block alone.
    void SystemReset();

    const INI_Parameter_Table& INI_Parameter() const { return m_numbers; }
    const INI_Str_Variable_Table& INI_Str_Variable() const { return m_strings; }
    INI_Parameter_Table& INI_Parameter() { return m_numbers; }
    INI_Str_Variable_Table& INI_Str_Variable() { return m_strings; }

    uint8_t instance_no() const { return m_instance_no; }
    void set_instance_no(uint8_t n) { m_instance_no = n; }

    // The shared record, or null when there is no block. Also null while the
    // block is not intact (cut short by another process), so that the caller
    // reports the missing memory instead of crashing on it.
    Share_Memory* MapFilePointer() const;
    const std::shared_ptr<platform::SharedBlock>& SharedBlock() const { return m_block; }
    void SetSharedBlock(std::shared_ptr<platform::SharedBlock> block);

    // The field list of "&F:": the last answer text of the calculator or the
    // smart-format box, fields separated by ";". The host sets it after each
    // answer.
    std::string Tmp_answer_all;

private:
    INI_Parameter_Table m_numbers;
    INI_Str_Variable_Table m_strings;
    uint8_t m_instance_no;
    std::shared_ptr<platform::SharedBlock> m_block;
    Share_Memory* m_map = nullptr;
};

}  // namespace orvane
