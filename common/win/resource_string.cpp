#include "common/win/resource_string.h"

std::string loadString(int id, HINSTANCE module)
{
    char buffer[512] = {};
    const int n = LoadStringA(module != nullptr ? module : GetModuleHandleA(nullptr),
                              static_cast<UINT>(id), buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}
