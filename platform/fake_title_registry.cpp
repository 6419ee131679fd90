#include "platform/fake_title_registry.h"

namespace orvane::platform {
namespace {

class FakeHold : public TitleHold {
public:
    FakeHold(std::shared_ptr<std::set<std::string>> state, std::string title)
        : m_state(std::move(state)), m_title(std::move(title)) {}
    ~FakeHold() override { m_state->erase(m_title); }
    const std::string& title() const override { return m_title; }

private:
    std::shared_ptr<std::set<std::string>> m_state;
    std::string m_title;
};

}  // namespace

std::unique_ptr<TitleHold> FakeTitleRegistry::TryHold(const std::string& title,
                                                      std::string* error) {
    if (!m_unusable.empty()) {
        if (error) *error = m_unusable;
        return nullptr;
    }
    if (!m_state->insert(title).second) return nullptr;
    return std::make_unique<FakeHold>(m_state, title);
}

}  // namespace orvane::platform
