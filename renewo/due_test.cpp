#include "renewo/due_test.h"

namespace renewo {

std::int64_t intervalSeconds(std::uint32_t intervalCode)
{
    switch (intervalCode) {
    case 1:
        return 0;
    case 3:
        return 604800;
    case 4:
        return 2592000;
    default:
        return 86400;
    }
}

bool isCheckDue(bool present, std::uint32_t type, const std::vector<unsigned char>& data,
                std::uint32_t intervalCode, std::int32_t now)
{
    if (intervalCode == 1 || !present || type != kRegDword || data.size() != 4) {
        return true;
    }
    const std::uint32_t raw =
        static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
        static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    const auto lastCheck = static_cast<std::int32_t>(raw);
    // Summed in 64 bits: a stored time near the top of the range must not wrap around.
    return static_cast<std::int64_t>(lastCheck) + intervalSeconds(intervalCode) <
           static_cast<std::int64_t>(now);
}

} // namespace renewo
