#include "meter/measure/perf_stats_registry_win.h"

#include <windows.h>

namespace {

class OpenPerfStatsKey : public PerfStatsKey {
public:
    explicit OpenPerfStatsKey(HKEY key) : key_(key) {}
    ~OpenPerfStatsKey() override { RegCloseKey(key_); }
    OpenPerfStatsKey(const OpenPerfStatsKey&) = delete;
    OpenPerfStatsKey& operator=(const OpenPerfStatsKey&) = delete;

    bool queryValue(const std::string& name, std::uint8_t* buffer, std::uint32_t* size) override
    {
        DWORD length = *size;
        const LONG status = RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, buffer, &length);
        *size = length;
        return status == ERROR_SUCCESS;
    }

private:
    HKEY key_;
};

} // namespace

std::unique_ptr<PerfStatsKey> DynDataPerfStats::open(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_DYN_DATA, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<OpenPerfStatsKey>(key);
}

std::uint32_t SystemTickClock::tickCount() const
{
    return GetTickCount();
}
