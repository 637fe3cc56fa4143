#include "mail/log_text.h"

namespace mail {

LogText::LogText(std::string firstLine, std::size_t limit)
    : text_(std::move(firstLine)), limit_(limit)
{
    if (text_.size() > limit_) {
        text_.erase(0, text_.size() - limit_);
    }
}

LogText::Edit LogText::append(const std::string& line)
{
    Edit edit;
    edit.append = "\r\n" + line;
    std::lock_guard<std::mutex> hold(lock_);
    text_ += edit.append;
    if (text_.size() > limit_) {
        const std::size_t excess = text_.size() - limit_;
        // Cut after the line end at or beyond the excess, so the window starts with a
        // whole line; a single line longer than the limit is cut inside.
        const std::size_t lineEnd = text_.find("\r\n", excess);
        edit.removeFront = lineEnd == std::string::npos ? excess : lineEnd + 2;
        if (edit.removeFront > text_.size()) {
            edit.removeFront = excess;
        }
        text_.erase(0, edit.removeFront);
        if (text_.size() > limit_) {
            const std::size_t more = text_.size() - limit_;
            text_.erase(0, more);
            edit.removeFront += more;
        }
    }
    return edit;
}

std::string LogText::text() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return text_;
}

} // namespace mail
