#include "variables/variable_session.h"

#include "variables/share_memory.h"
#include "variables/variable_access.h"

namespace orvane {

// The shared block every program opens holds exactly the shared record.
static_assert(sizeof(Share_Memory) == platform::kSharedBlockSize);

VariableSession::VariableSession(EngineHost& host, std::shared_ptr<platform::SharedBlock> block,
                                 uint8_t instance_no)
    : Session(host), m_instance_no(instance_no) {
    SetSharedBlock(std::move(block));
}

void VariableSession::SetSharedBlock(std::shared_ptr<platform::SharedBlock> block) {
    m_block = std::move(block);
    m_map = (m_block && m_block->data() && m_block->size() >= sizeof(Share_Memory))
                ? static_cast<Share_Memory*>(m_block->data())
                : nullptr;
}

Share_Memory* VariableSession::MapFilePointer() const {
    return m_map && m_block->Intact() ? m_map : nullptr;
}

void VariableSession::Assign_variable_Single(const std::string& name, const std::string& answer,
                                             bool isString) {
    orvane::Assign_variable_Single(*this, name, answer, isString);
}

void VariableSession::SystemReset() {
    m_numbers.fill(TINI_Parameter{});
    m_strings.fill(TINI_Str_Variable{});
}

}  // namespace orvane
