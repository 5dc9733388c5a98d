#include "bench/process_activity.h"

#include <fstream>
#include <iterator>
#include <string>

#include <dirent.h>

namespace {

// "voluntary_ctxt_switches:\t12" and "nonvoluntary_ctxt_switches:\t3" of a thread's status.
long long ContextSwitches(const std::string& task) {
    std::ifstream status(task + "/status");
    std::string line;
    long long switches = 0;
    while (std::getline(status, line)) {
        const auto colon = line.find(':');
        if (colon != std::string::npos && line.compare(0, colon, "voluntary_ctxt_switches") == 0)
            switches += std::stoll(line.substr(colon + 1));
        else if (colon != std::string::npos &&
                 line.compare(0, colon, "nonvoluntary_ctxt_switches") == 0)
            switches += std::stoll(line.substr(colon + 1));
    }
    return switches;
}

// Fields 14 and 15 of a thread's stat, after the command name in parentheses (which may hold
// spaces).
long long CpuTicks(const std::string& task) {
    std::ifstream stat(task + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto name_end = text.rfind(')');
    if (name_end == std::string::npos)
        return 0;
    std::size_t position = name_end + 2; // field 3, the state
    for (int field = 3; field < 14 && position != std::string::npos; ++field)
        position = text.find(' ', position) + 1;
    if (position == std::string::npos || position == 0)
        return 0;
    std::size_t used = 0;
    const long long user = std::stoll(text.substr(position), &used);
    const long long system = std::stoll(text.substr(position + used + 1));
    return user + system;
}

// "run_ns wait_ns timeslices" of a thread's schedstat, added to the activity in ms.
void AddSchedulerTimes(const std::string& task, ProcessActivity& activity) {
    std::ifstream schedstat(task + "/schedstat");
    double running_ns = 0, waiting_ns = 0;
    if (schedstat >> running_ns >> waiting_ns) {
        activity.cpu_ms += running_ns / 1e6;
        activity.waiting_ms += waiting_ns / 1e6;
    }
}

} // namespace

ProcessActivity ReadProcessActivity(pid_t pid) {
    ProcessActivity activity;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* directory = opendir(tasks.c_str());
    if (directory == nullptr)
        return activity;
    while (const dirent* entry = readdir(directory)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string task = tasks + "/" + entry->d_name;
        activity.context_switches += ContextSwitches(task);
        activity.cpu_ticks += CpuTicks(task);
        AddSchedulerTimes(task, activity);
    }
    closedir(directory);
    return activity;
}

ProcessActivity operator-(const ProcessActivity& later, const ProcessActivity& earlier) {
    return {later.context_switches - earlier.context_switches, later.cpu_ticks - earlier.cpu_ticks,
            later.cpu_ms - earlier.cpu_ms, later.waiting_ms - earlier.waiting_ms};
}
