#include "meter/measure/perf_data_reader_win.h"

#include <windows.h>

#include <cstdio>

namespace {

// The English names: language 9 in three hexadecimal digits.
constexpr int kEnglishLanguage = 9;

} // namespace

RegistryPerfDataReader::~RegistryPerfDataReader()
{
    if (read_)
        RegCloseKey(HKEY_PERFORMANCE_DATA);
}

std::vector<char> RegistryPerfDataReader::englishCounterNames()
{
    char path[96];
    std::snprintf(path, sizeof path,
                  "software\\microsoft\\windows nt\\currentversion\\perflib\\%03x",
                  kEnglishLanguage);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    std::vector<char> names;
    DWORD size = 0;
    if (RegQueryValueExA(key, "Counters", nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS &&
        size > 0) {
        names.assign(size, 0);
        if (RegQueryValueExA(key, "Counters", nullptr, nullptr,
                             reinterpret_cast<BYTE*>(names.data()), &size) != ERROR_SUCCESS)
            names.clear();
        else
            names.resize(std::min<std::size_t>(size, names.size()));
    }
    RegCloseKey(key);
    return names;
}

PerfDataReader::Status RegistryPerfDataReader::performanceData(const std::string& objects,
                                                               std::uint8_t* buffer,
                                                               std::uint32_t* size)
{
    DWORD length = *size;
    const LONG status =
        RegQueryValueExA(HKEY_PERFORMANCE_DATA, objects.c_str(), nullptr, nullptr, buffer, &length);
    read_ = true;
    if (status == ERROR_MORE_DATA)
        return Status::MoreData;
    if (status != ERROR_SUCCESS) {
        *size = 0;
        return Status::Failed;
    }
    // What the system says it wrote, never more than the buffer holds.
    *size = length < *size ? length : *size;
    return Status::Ok;
}

std::string narrowToAnsiCodePage(const std::u16string& wide)
{
    if (wide.empty())
        return {};
    const auto* text = reinterpret_cast<const wchar_t*>(wide.data());
    const int n = static_cast<int>(wide.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, n, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return {};
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, n, out.data(), bytes, nullptr, nullptr);
    return out;
}
