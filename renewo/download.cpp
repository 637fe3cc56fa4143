#include "renewo/download.h"

#include "renewo/texts.h"

#include <new>

namespace renewo {

namespace {

bool readExactly(HttpFile& file, char* at, std::uint32_t size)
{
    std::uint32_t got = 0;
    return readFully(file, at, size, got) && got == size;
}

} // namespace

Transfer transferFile(HttpFile& file, CheckUi& ui, std::uint32_t maxSize)
{
    Transfer t;
    // An error page (404, 500, a redirect not followed) is not the installer, whatever
    // its length.
    std::uint32_t status = 0;
    if (!file.statusCode(status) || status < 200 || status > 299) {
        return t;
    }
    std::uint32_t size = 0;
    // An empty installer is no installer: offering to run it would report success
    // where there is none.
    if (!file.contentLength(size) || size == 0) {
        return t;
    }
    ui.progressSize(size, kilobyteText(size));
    if (size > maxSize) {
        return t;
    }
    t.data.reset(new (std::nothrow) char[size]);
    if (!t.data) {
        return t;
    }
    t.size = size;

    const ChunkPlan plan = chunkPlan(size);
    bool failed = false;
    bool cancelled = false;
    std::uint32_t done = 0;
    for (std::uint32_t i = 0; i < plan.fullChunks && !failed && !cancelled; ++i) {
        if (!readExactly(file, t.data.get() + done, kChunkSize)) {
            failed = true;
            break;
        }
        done += kChunkSize;
        cancelled = ui.progressChunk(kilobyteText(done), percentText(done, size));
    }
    if (!failed && !cancelled && plan.remainder != 0) {
        if (readExactly(file, t.data.get() + done, plan.remainder)) {
            ui.progressComplete(size, kilobyteText(size));
        } else {
            failed = true;
        }
    }
    t.outcome = failed      ? Transfer::Outcome::Failed
                : cancelled ? Transfer::Outcome::Cancelled
                            : Transfer::Outcome::Complete;
    if (t.outcome != Transfer::Outcome::Complete) {
        t.data.reset();
        t.size = 0;
    }
    return t;
}

} // namespace renewo
