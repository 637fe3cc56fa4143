#pragma once
// Everything a check shows to the user. The Windows build implements it with the
// library's dialogs and message boxes; tests record the calls and script the answers.
#include <cstdint>
#include <string>

namespace renewo {

enum class MessageIcon { Error, Information };

// What the user did in the update dialog.
enum class UpdateChoice { Continue, Visit, Download };

struct UpdateOffer {
    bool detailed = false; // the form with the version, its date and the download button
    std::string appName;
    std::string newVersion;
    std::string releaseDate;
    std::string currentVersion;
};

class CheckUi {
public:
    virtual ~CheckUi() = default;

    virtual std::string loadString(int id) = 0;
    // OK and Cancel with a question icon; true for OK.
    virtual bool askToConnect(const std::string& text, const std::string& caption) = 0;
    virtual void message(const std::string& text, const std::string& caption, MessageIcon icon) = 0;

    virtual void showConnecting() = 0;
    virtual void hideConnecting() = 0;

    // Beeps and shows the update dialog modally.
    virtual UpdateChoice offerUpdate(const UpdateOffer& offer) = 0;
    // Opens a web page in the browser (reporting its own failure); true on success.
    virtual bool openWebPage(const std::string& address) = 0;

    // The progress window. progressChunk shows the bytes so far and the percentage,
    // processes pending messages and answers whether Cancel was requested since.
    virtual void progressOpen(const std::string& fileName) = 0;
    virtual void progressSize(std::uint32_t size, const std::string& sizeText) = 0;
    virtual bool progressChunk(const std::string& bytesText, const std::string& percentText) = 0;
    virtual void progressComplete(std::uint32_t size, const std::string& sizeText) = 0;
    virtual void progressClose() = 0;

    // The folder chooser, starting at folder; true and folder set when one was chosen.
    virtual bool chooseFolder(std::string& folder) = 0;
    // Creates or replaces the file and writes all of data; false on any failure.
    virtual bool saveFile(const std::string& path, const char* data, std::uint32_t size) = 0;
};

} // namespace renewo
