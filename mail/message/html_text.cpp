#include "mail/message/html_text.h"

#include <cctype>

namespace mail {
namespace {

bool equalIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string htmlWithoutEncodingRemnants(const std::string& html)
{
    std::string out;
    out.reserve(html.size());
    size_t i = 0;
    while (i < html.size()) {
        if (html.compare(i, 3, "=20") == 0) {
            out += ' ';
            i += 3;
        } else if (html[i] == '=' && i + 1 < html.size() && html[i + 1] == '\r') {
            out += ' ';
            i += 2;
            if (i < html.size() && html[i] == '\n')
                ++i;
        } else if (html.compare(i, 3, "=3D") == 0) {
            // A quoted-printable "=" left in the text: the "3D" is what remains of it.
            // Only after an equals sign, so that ordinary text ("a 3D model") is kept.
            out += "= ";
            i += 3;
        } else {
            out += html[i++];
        }
    }
    return out;
}

std::string
htmlWithContentIdsResolved(const std::string& html,
                           const std::vector<std::pair<std::string, std::string>>& files)
{
    std::string out;
    out.reserve(html.size());
    size_t i = 0;
    while (i < html.size()) {
        if (i + 4 <= html.size() && equalIgnoringCase(html.substr(i, 4), "cid:")) {
            size_t end = html.find('"', i + 4);
            if (end == std::string::npos)
                end = html.size();
            const std::string id = html.substr(i + 4, end - i - 4);
            const std::string* file = nullptr;
            for (const auto& entry : files) {
                if (!entry.first.empty() && equalIgnoringCase(entry.first, id)) {
                    file = &entry.second;
                    break;
                }
            }
            if (file != nullptr) {
                out += *file;
                i = end;
                continue;
            }
        }
        out += html[i++];
    }
    return out;
}

} // namespace mail
