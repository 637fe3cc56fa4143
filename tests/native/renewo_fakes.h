#pragma once
// Test doubles for the update checker's seams: scripted HTTP responses, an in-memory
// settings key and a user interface that records what it was asked to show.
#include "renewo/check_clock.h"
#include "renewo/check_ui.h"
#include "renewo/due_test.h"
#include "renewo/http_session.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fakes {

struct Response {
    std::string body;
    std::optional<std::uint32_t> contentLength; // none: the header is missing
    std::optional<std::uint32_t> status = 200;  // none: no status to be had
    bool failReads = false;
    std::size_t failAfter = std::string::npos; // reads fail once this many bytes were served
    std::size_t piece = std::string::npos;     // the most one read hands out: a slow server
};

inline Response withLength(std::string body)
{
    Response r;
    r.contentLength = static_cast<std::uint32_t>(body.size());
    r.body = std::move(body);
    return r;
}

class File : public renewo::HttpFile {
public:
    File(const Response& r, std::vector<std::uint32_t>& reads) : r_(r), reads_(reads) {}
    bool statusCode(std::uint32_t& code) override
    {
        if (!r_.status) {
            return false;
        }
        code = *r_.status;
        return true;
    }
    bool contentLength(std::uint32_t& length) override
    {
        if (!r_.contentLength) {
            return false;
        }
        length = *r_.contentLength;
        return true;
    }
    bool read(char* buffer, std::uint32_t size, std::uint32_t& got) override
    {
        reads_.push_back(size);
        if (r_.failReads || pos_ >= r_.failAfter) {
            return false;
        }
        got = static_cast<std::uint32_t>(
            std::min({std::size_t{size}, r_.piece, r_.body.size() - pos_, r_.failAfter - pos_}));
        std::memcpy(buffer, r_.body.data() + pos_, got);
        pos_ += got;
        return true;
    }

private:
    const Response& r_;
    std::vector<std::uint32_t>& reads_;
    std::size_t pos_ = 0;
};

class Session : public renewo::HttpSession {
public:
    std::map<std::string, Response> responses; // an address not listed cannot be opened
    std::vector<std::string> opened;
    std::map<std::string, std::vector<std::uint32_t>> reads; // the sizes asked, by address

    std::unique_ptr<renewo::HttpFile> open(const std::string& url) override
    {
        opened.push_back(url);
        auto it = responses.find(url);
        if (it == responses.end()) {
            return nullptr;
        }
        return std::make_unique<File>(it->second, reads[url]);
    }
};

struct StoredValue {
    std::uint32_t type;
    std::vector<unsigned char> data;
};

class Settings : public renewo::SettingsValues {
public:
    std::map<std::string, StoredValue> values;
    int writes = 0;

    bool query(const char* name, std::uint32_t& type, std::vector<unsigned char>& data) override
    {
        auto it = values.find(name);
        if (it == values.end()) {
            return false;
        }
        type = it->second.type;
        data = it->second.data;
        return true;
    }
    void setDword(const char* name, std::uint32_t value) override
    {
        ++writes;
        values[name] = {renewo::kRegDword,
                        {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                         static_cast<unsigned char>(value >> 16),
                         static_cast<unsigned char>(value >> 24)}};
    }
    void setLastCheck(std::int32_t seconds)
    {
        setDword(renewo::kLastCheckValueName, static_cast<std::uint32_t>(seconds)), writes = 0;
    }
    std::optional<std::uint32_t> lastCheck() const
    {
        auto it = values.find(renewo::kLastCheckValueName);
        if (it == values.end() || it->second.data.size() != 4) {
            return std::nullopt;
        }
        const auto& d = it->second.data;
        return d[0] | d[1] << 8 | d[2] << 16 | static_cast<std::uint32_t>(d[3]) << 24;
    }
};

// Calendar seconds stand still unless a test moves them; the tick count moves on by
// tickStep at every reading, like time passing between the steps of a check.
class Clock : public renewo::CheckClock {
public:
    explicit Clock(std::int32_t start) : seconds(start) {}
    std::int32_t seconds;
    std::uint32_t ticks = 0;
    std::uint32_t tickStep = 0;
    std::int32_t secondsSince1970() override { return seconds; }
    std::uint32_t tickCount() override
    {
        const std::uint32_t now = ticks;
        ticks += tickStep;
        return now;
    }
};

// Records every call as one line of text; answers come from the public fields.
class Ui : public renewo::CheckUi {
public:
    std::vector<std::string> events;
    bool agree = true;
    renewo::UpdateChoice choice = renewo::UpdateChoice::Continue;
    bool browserStarts = true;
    std::optional<std::string> folderChosen = "C:\\Downloads\\";
    bool saveSucceeds = true;
    int cancelAfterChunk = 0; // 0: never
    std::string savedPath;
    std::string savedData;
    std::string startFolder;
    renewo::UpdateOffer lastOffer;
    int chunks = 0;

    std::string loadString(int id) override
    {
        switch (id) {
        case 101:
            return "Choose destination folder for installer:";
        case 102:
            return "It is now time to check the update server for a new version of %s.";
        case 103:
            return "\n\nPlease connect to the internet if necessary.";
        default:
            return "";
        }
    }
    bool askToConnect(const std::string& text, const std::string& caption) override
    {
        events.push_back("ask: " + caption + " | " + text);
        return agree;
    }
    void message(const std::string& text, const std::string& caption,
                 renewo::MessageIcon icon) override
    {
        events.push_back(std::string(icon == renewo::MessageIcon::Error ? "error: " : "info: ") +
                         caption + " | " + text);
    }
    void showConnecting() override { events.push_back("connecting"); }
    void hideConnecting() override { events.push_back("connected"); }
    renewo::UpdateChoice offerUpdate(const renewo::UpdateOffer& offer) override
    {
        lastOffer = offer;
        events.push_back(offer.detailed ? "offer: detailed" : "offer: short");
        return choice;
    }
    bool openWebPage(const std::string& address) override
    {
        events.push_back("web: " + address);
        return browserStarts;
    }
    void progressOpen(const std::string& fileName) override
    {
        events.push_back("progress: " + fileName);
    }
    void progressSize(std::uint32_t, const std::string& sizeText) override
    {
        events.push_back("size: " + sizeText);
    }
    bool progressChunk(const std::string& bytesText, const std::string& percentText) override
    {
        ++chunks;
        events.push_back("chunk: " + bytesText + " " + percentText);
        return cancelAfterChunk != 0 && chunks >= cancelAfterChunk;
    }
    void progressComplete(std::uint32_t, const std::string& sizeText) override
    {
        events.push_back("complete: " + sizeText);
    }
    void progressClose() override { events.push_back("progress closed"); }
    bool chooseFolder(std::string& folder) override
    {
        startFolder = folder;
        events.push_back("choose folder");
        if (!folderChosen) {
            return false;
        }
        folder = *folderChosen;
        return true;
    }
    bool saveFile(const std::string& path, const char* data, std::uint32_t size) override
    {
        events.push_back("save: " + path);
        if (!saveSucceeds) {
            return false;
        }
        savedPath = path;
        savedData.assign(data, size);
        return true;
    }

    bool saw(const std::string& event) const
    {
        return std::find(events.begin(), events.end(), event) != events.end();
    }
    bool sawPrefix(const std::string& prefix) const
    {
        return std::any_of(events.begin(), events.end(),
                           [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
    }
};

} // namespace fakes
