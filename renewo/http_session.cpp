#include "renewo/http_session.h"

namespace renewo {

bool readFully(HttpFile& file, char* buffer, std::uint32_t size, std::uint32_t& got)
{
    got = 0;
    while (got < size) {
        std::uint32_t n = 0;
        if (!file.read(buffer + got, size - got, n)) {
            return false;
        }
        if (n == 0) {
            break;
        }
        // A read never reports more than it was given room for.
        got += n < size - got ? n : size - got;
    }
    return true;
}

} // namespace renewo
