#include "meter/prefs/host_entry.h"

namespace {

constexpr const char* kBlanks = " \t";

} // namespace

std::string enteredHost(const std::string& entry)
{
    const std::size_t first = entry.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    const std::size_t last = entry.find_last_not_of(kBlanks);
    return entry.substr(first, last - first + 1);
}

bool hostOkEnabled(const std::string& entry, const std::string& opened)
{
    return entry != opened && !enteredHost(entry).empty();
}
