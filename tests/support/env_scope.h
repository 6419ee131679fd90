#pragma once
// Sets an environment variable (null: removes it) for the life of the object
// and then puts the old value back.
#include <cstdlib>
#include <optional>
#include <string>

namespace orvane::test {

class EnvScope {
public:
    EnvScope(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~EnvScope() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    EnvScope(const EnvScope&) = delete;
    EnvScope& operator=(const EnvScope&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

}  // namespace orvane::test
