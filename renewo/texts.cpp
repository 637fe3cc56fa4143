#include "renewo/texts.h"

#include <cstdio>
#include <cstring>

namespace renewo {

std::string kilobyteText(std::uint32_t bytes)
{
    const std::uint64_t tenths = (std::uint64_t{bytes} * 10 + 512) / 1024;
    const auto whole = static_cast<unsigned>(tenths / 10);
    const auto tenth = static_cast<unsigned>(tenths % 10);
    char text[32];
    if (whole >= 1000) {
        if (tenth != 0) {
            std::snprintf(text, sizeof text, "%u,%03u.%u KB", whole / 1000, whole % 1000, tenth);
        } else {
            std::snprintf(text, sizeof text, "%u,%03u KB", whole / 1000, whole % 1000);
        }
    } else if (tenth != 0) {
        std::snprintf(text, sizeof text, "%u.%u KB", whole, tenth);
    } else {
        std::snprintf(text, sizeof text, "%u KB", whole);
    }
    return text;
}

std::string percentText(std::uint32_t done, std::uint32_t size)
{
    // 64 bits: done * 100 overflows 32 bits for downloads above 42 MB.
    const std::uint64_t percent = size == 0 ? 100 : std::uint64_t{done} * 100 / size;
    return std::to_string(percent) + "%";
}

std::string formatText(const std::string& format, std::initializer_list<std::string> args)
{
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == 's') {
                if (next != args.end()) {
                    out += *next++;
                }
                ++i;
                continue;
            }
            if (format[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

std::string caption(const std::string& appName, const char* title)
{
    return appName + " - " + title;
}

std::string fieldText(const char* field, std::size_t size)
{
    const void* end = std::memchr(field, '\0', size);
    return std::string(field, end ? static_cast<const char*>(end) - field : size);
}

bool copyToField(const std::string& text, char* field, std::size_t size)
{
    if (size == 0) {
        return false;
    }
    if (text.size() >= size || text.find('\0') != std::string::npos) {
        field[0] = '\0';
        return false;
    }
    std::memcpy(field, text.c_str(), text.size() + 1);
    return true;
}

} // namespace renewo
