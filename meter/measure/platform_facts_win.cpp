#include "meter/measure/platform_facts_win.h"

#include <windows.h>

PlatformFacts readPlatformFacts()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version))
        return {};
    HKL layout = nullptr;
    if (!SystemParametersInfoA(SPI_GETDEFAULTINPUTLANG, 0, &layout, 0))
        layout = nullptr;
    const auto layoutValue = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(layout));
    return makePlatformFacts(version.dwPlatformId, version.dwMajorVersion, layoutValue);
}
