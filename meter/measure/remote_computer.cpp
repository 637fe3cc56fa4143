#include "meter/measure/remote_computer.h"

void RemoteComputer::set(const std::string& name)
{
    std::string full = name;
    if (full.empty() || full[0] != '\\')
        full = "\\\\" + full;
    else if (full.size() < 2 || full[1] != '\\')
        full = "\\" + full;
    full_ = full.size() <= 2 ? std::string() : full;
}
