#pragma once
// The check's user interface on the desktop: the library's dialogs, message boxes, the
// folder chooser and the web-page opener, all owned by the caller's window.
#include "renewo/check_ui.h"

#include <windows.h>

namespace renewo {

class WindowUi : public CheckUi {
public:
    WindowUi(HINSTANCE resources, HWND owner) : resources_(resources), owner_(owner) {}
    ~WindowUi() override;
    WindowUi(const WindowUi&) = delete;
    WindowUi& operator=(const WindowUi&) = delete;

    std::string loadString(int id) override;
    bool askToConnect(const std::string& text, const std::string& caption) override;
    void message(const std::string& text, const std::string& caption, MessageIcon icon) override;
    void showConnecting() override;
    void hideConnecting() override;
    UpdateChoice offerUpdate(const UpdateOffer& offer) override;
    bool openWebPage(const std::string& address) override;
    void progressOpen(const std::string& fileName) override;
    void progressSize(std::uint32_t size, const std::string& sizeText) override;
    bool progressChunk(const std::string& bytesText, const std::string& percentText) override;
    void progressComplete(std::uint32_t size, const std::string& sizeText) override;
    void progressClose() override;
    bool chooseFolder(std::string& folder) override;
    bool saveFile(const std::string& path, const char* data, std::uint32_t size) override;

private:
    // A modeless window that keeps the owner disabled while it exists.
    HWND openModeless(int dialogId, DLGPROC proc);
    void closeModeless(HWND& window);
    void pumpMessages();

    HINSTANCE resources_;
    HWND owner_;
    HWND connecting_ = nullptr;
    HWND progress_ = nullptr;
    bool cancelRequested_ = false;
};

} // namespace renewo
