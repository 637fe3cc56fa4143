#include "meter/measure/pdh_library_win.h"

#include <windows.h>

#include <pdh.h>
#include <pdhmsg.h>

namespace {

using AddEnglishCounterFn = PDH_STATUS(WINAPI*)(PDH_HQUERY, LPCSTR, DWORD_PTR, PDH_HCOUNTER*);

template <typename Fn> Fn bind(HMODULE module, const char* name)
{
    // Through the generic function type, which may be cast to any other.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The seven functions (and the English add where the system has it), bound by name.
// A function the library lacks answers as a failed call.
class BoundPdhLibrary : public CounterLibrary {
public:
    explicit BoundPdhLibrary(HMODULE module)
        : openQuery_(bind<decltype(&PdhOpenQueryA)>(module, "PdhOpenQuery")),
          addCounter_(bind<decltype(&PdhAddCounterA)>(module, "PdhAddCounterA")),
          addEnglishCounter_(bind<AddEnglishCounterFn>(module, "PdhAddEnglishCounterA")),
          collect_(bind<decltype(&PdhCollectQueryData)>(module, "PdhCollectQueryData")),
          formatted_(
              bind<decltype(&PdhGetFormattedCounterValue)>(module, "PdhGetFormattedCounterValue")),
          enumItems_(bind<decltype(&PdhEnumObjectItemsA)>(module, "PdhEnumObjectItemsA")),
          removeCounter_(bind<decltype(&PdhRemoveCounter)>(module, "PdhRemoveCounter")),
          closeQuery_(bind<decltype(&PdhCloseQuery)>(module, "PdhCloseQuery"))
    {
        if (openQuery_ == nullptr)
            openQuery_ = bind<decltype(&PdhOpenQueryA)>(module, "PdhOpenQueryA");
    }

    PdhStatus openQuery(PdhQueryHandle* query) override
    {
        if (openQuery_ == nullptr)
            return kUnavailable;
        PDH_HQUERY q = nullptr;
        const PDH_STATUS s = openQuery_(nullptr, 1, &q);
        *query = q;
        return s;
    }
    PdhStatus addCounter(PdhQueryHandle query, const char* path, PdhCounterHandle* counter) override
    {
        if (addCounter_ == nullptr)
            return kUnavailable;
        PDH_HCOUNTER c = nullptr;
        const PDH_STATUS s = addCounter_(query, path, 1, &c);
        *counter = c;
        return s;
    }
    bool hasAddEnglishCounter() const override { return addEnglishCounter_ != nullptr; }
    PdhStatus addEnglishCounter(PdhQueryHandle query, const char* path,
                                PdhCounterHandle* counter) override
    {
        if (addEnglishCounter_ == nullptr)
            return kUnavailable;
        PDH_HCOUNTER c = nullptr;
        const PDH_STATUS s = addEnglishCounter_(query, path, 1, &c);
        *counter = c;
        return s;
    }
    PdhStatus collectQueryData(PdhQueryHandle query) override
    {
        return collect_ != nullptr ? collect_(query) : kUnavailable;
    }
    PdhStatus formattedLong(PdhCounterHandle counter, std::int32_t* value) override
    {
        if (formatted_ == nullptr)
            return kUnavailable;
        PDH_FMT_COUNTERVALUE v{};
        const PDH_STATUS s = formatted_(counter, PDH_FMT_LONG, nullptr, &v);
        *value = s == ERROR_SUCCESS ? v.longValue : 0;
        return s;
    }
    PdhStatus formattedLarge(PdhCounterHandle counter, std::int64_t* value) override
    {
        if (formatted_ == nullptr)
            return kUnavailable;
        PDH_FMT_COUNTERVALUE v{};
        const PDH_STATUS s = formatted_(counter, PDH_FMT_LARGE, nullptr, &v);
        *value = s == ERROR_SUCCESS ? v.largeValue : 0;
        return s;
    }
    PdhStatus enumObjectItems(const char* machine, const char* object, char* counters,
                              std::uint32_t* countersLength, char* instances,
                              std::uint32_t* instancesLength, std::uint32_t detail,
                              std::uint32_t flags) override
    {
        if (enumItems_ == nullptr)
            return kUnavailable;
        DWORD countersLen = *countersLength;
        DWORD instancesLen = *instancesLength;
        const PDH_STATUS s = enumItems_(nullptr, machine, object, counters, &countersLen, instances,
                                        &instancesLen, detail, flags);
        *countersLength = countersLen;
        *instancesLength = instancesLen;
        return s;
    }
    PdhStatus removeCounter(PdhCounterHandle counter) override
    {
        return removeCounter_ != nullptr ? removeCounter_(counter) : kUnavailable;
    }
    PdhStatus closeQuery(PdhQueryHandle query) override
    {
        return closeQuery_ != nullptr ? closeQuery_(query) : kUnavailable;
    }

private:
    static constexpr PdhStatus kUnavailable = static_cast<PdhStatus>(PDH_CSTATUS_NO_OBJECT);

    decltype(&PdhOpenQueryA) openQuery_;
    decltype(&PdhAddCounterA) addCounter_;
    AddEnglishCounterFn addEnglishCounter_;
    decltype(&PdhCollectQueryData) collect_;
    decltype(&PdhGetFormattedCounterValue) formatted_;
    decltype(&PdhEnumObjectItemsA) enumItems_;
    decltype(&PdhRemoveCounter) removeCounter_;
    decltype(&PdhCloseQuery) closeQuery_;
};

} // namespace

std::string Win32LibraryPlatform::systemDirectory()
{
    char dir[MAX_PATH + 1] = {};
    const UINT n = GetSystemDirectoryA(dir, MAX_PATH);
    return n > 0 && n <= MAX_PATH ? std::string(dir, n) : std::string();
}

void* Win32LibraryPlatform::loadLibrary(const std::string& path)
{
    return LoadLibraryA(path.c_str());
}

void Win32LibraryPlatform::freeLibrary(void* module)
{
    FreeLibrary(static_cast<HMODULE>(module));
}

std::unique_ptr<CounterLibrary> Win32LibraryPlatform::bindFunctions(void* module)
{
    return std::make_unique<BoundPdhLibrary>(static_cast<HMODULE>(module));
}

void Win32LibraryPlatform::showError(const std::string& message)
{
    MessageBoxA(nullptr, message.c_str(), "Brellix", MB_OK | MB_ICONSTOP);
}

CounterLibraryLoader& processCounterLibraryLoader()
{
    static Win32LibraryPlatform platform;
    static CounterLibraryLoader loader(platform);
    return loader;
}
