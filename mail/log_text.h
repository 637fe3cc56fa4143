#pragma once
// The text of the log window, kept here so that the window only replays edits: it
// holds the last 64 KiB (whole lines where it can) and says, for every appended line,
// how much to cut from the front and what to add at the end (an edit control does
// that with a selection and EM_REPLACESEL, without resetting its whole text).
#include <cstddef>
#include <mutex>
#include <string>

namespace mail {

class LogText {
public:
    static constexpr std::size_t kDefaultLimit = 64 * 1024;

    explicit LogText(std::string firstLine, std::size_t limit = kDefaultLimit);

    // Applied in this order: add `append` at the end, then delete `removeFront`
    // characters at the start.
    struct Edit {
        std::size_t removeFront = 0;
        std::string append; // "\r\n" + line
    };

    // Thread-safe: lines may come from any thread; the window applies the edits in
    // the order they were returned.
    Edit append(const std::string& line);
    std::string text() const;

private:
    mutable std::mutex lock_;
    std::string text_;
    std::size_t limit_;
};

} // namespace mail
