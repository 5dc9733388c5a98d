#pragma once

// An environment variable set, or unset for nullopt, until the end of the scope, for tests
// of what the program reads from its environment.

#include <cstdlib>
#include <optional>
#include <string>

class ScopedVariable {
  public:
    ScopedVariable(const char* name, std::optional<std::string> value) : m_name(name) {
        if (const char* before = std::getenv(name))
            m_before = before;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~ScopedVariable() {
        if (m_before)
            setenv(m_name, m_before->c_str(), 1);
        else
            unsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* m_name;
    std::optional<std::string> m_before;
};
