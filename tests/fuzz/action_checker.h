#pragma once

// What every checker of a run shares: where a broken rule is reported, and which instance
// the checker's window procedures reach. Those procedures sit in front of the program's as
// plain functions, so each checker class has one live instance at a time, the one attached
// last. The rules themselves are each checker's own.

#include <functional>
#include <string>
#include <utility>

template <typename Checker> class ActionChecker {
  public:
    using Report = std::function<void(const std::string&)>;

    explicit ActionChecker(Report report) : m_report(std::move(report)) {}
    ~ActionChecker() {
        if (s_active == this)
            s_active = nullptr;
    }
    ActionChecker(const ActionChecker&) = delete;
    ActionChecker& operator=(const ActionChecker&) = delete;

  protected:
    // From now on the window procedures reach this instance.
    void make_active() { s_active = static_cast<Checker*>(this); }
    static Checker* active() { return s_active; }
    void report(const std::string& what) const { m_report(what); }
    bool has_report() const { return static_cast<bool>(m_report); }

  private:
    inline static Checker* s_active = nullptr;
    Report m_report;
};
