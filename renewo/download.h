#pragma once
// Reading the installer: the whole file into one buffer, in fixed chunks, with the
// progress shown after each chunk.
#include "renewo/check_ui.h"
#include "renewo/http_session.h"

#include <cstdint>
#include <memory>

namespace renewo {

constexpr std::uint32_t kChunkSize = 16384;

// The whole installer is held in memory until it is saved: a server announcing more
// than any installer of ours could be is refused before anything is allocated.
constexpr std::uint32_t kMaxInstallerSize = 256u << 20;

struct ChunkPlan {
    std::uint32_t fullChunks;
    std::uint32_t remainder;
};
inline ChunkPlan chunkPlan(std::uint32_t size)
{
    return {size / kChunkSize, size % kChunkSize};
}

struct Transfer {
    enum class Outcome { Complete, Failed, Cancelled };
    Outcome outcome = Outcome::Failed;
    std::unique_ptr<char[]> data;
    std::uint32_t size = 0;
};

// Reads the body announced by the response's Content-Length. A status other than 2xx,
// no length, a length of zero or one above maxSize, a buffer that cannot be had, a failed or short
// read: the transfer failed. The progress window must be open.
Transfer transferFile(HttpFile& file, CheckUi& ui, std::uint32_t maxSize);

} // namespace renewo
