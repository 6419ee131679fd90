#pragma once
// An in-memory title registry for tests: the titles held through this object
// plus any marked as taken by another copy.
#include <memory>
#include <set>
#include <string>

#include "platform/title_registry.h"

namespace orvane::platform {

class FakeTitleRegistry : public TitleRegistry {
public:
    bool Exists(const std::string& title) override { return m_state->count(title) != 0; }
    using TitleRegistry::TryHold;
    std::unique_ptr<TitleHold> TryHold(const std::string& title, std::string* error) override;

    // Makes every later TryHold fail with `reason` (empty: works again).
    void SetUnusable(std::string reason) { m_unusable = std::move(reason); }

    // Marks a title as held by some other copy (until Release).
    void MarkTaken(const std::string& title) { m_state->insert(title); }
    void Release(const std::string& title) { m_state->erase(title); }

private:
    std::shared_ptr<std::set<std::string>> m_state = std::make_shared<std::set<std::string>>();
    std::string m_unusable;
};

}  // namespace orvane::platform
