#pragma once
// A small options framework: a dialog with a tree of pages on the left, the chosen page
// on the right under a caption, and a strip of buttons at the bottom. Each tree node
// owns one page; OK lets every page check its fields and then apply them.
#include "common/win/dialog.h"
#include "common/win/gdi.h"
#include "common/win/window.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace mail {

// A child dialog page bound to the options dialog.
class CEZPropertyPage : public DialogControls {
public:
    CEZPropertyPage(int templateId, HINSTANCE module);
    ~CEZPropertyPage() override;
    CEZPropertyPage(const CEZPropertyPage&) = delete;
    CEZPropertyPage& operator=(const CEZPropertyPage&) = delete;

    // Creates the page hidden, as a child of `parent`, without any caption of its own.
    bool create(HWND parent);
    void setChanged(bool on) { changed_ = on; }
    bool changed() const { return changed_; }

    // False keeps the page in front: what it holds was refused (and said so).
    virtual bool validate() { return true; }
    virtual void apply() {}

protected:
    virtual void onInit() {}
    // True when the command was handled.
    virtual bool onCommand(int, int) { return false; }
    virtual INT_PTR handleMessage(UINT, WPARAM, LPARAM) { return FALSE; }

private:
    static INT_PTR CALLBACK pageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR route(UINT message, WPARAM wParam, LPARAM lParam) override;

    int templateId_;
    HINSTANCE module_;
    bool changed_ = false;
};

// The caption above the pages: a static control of the dialog, drawn in "Arial".
class EZLabel {
public:
    void attach(HWND label);
    void setText(const std::string& text);

private:
    HWND label_ = nullptr;
    FontHandle font_;
};

// A strip of push buttons, right-aligned; their commands go to the parent.
class EZButtonPanel : public Window {
public:
    static constexpr char kClassName[] = "EZButtonPanel";

    bool create(HWND parent, const RECT& area, int id);
    // A button `width` pixels wide, to the right of those added before.
    void addButton(int id, const std::string& text, int width, bool isDefault = false);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void layOut();

    std::vector<std::pair<HWND, int>> buttons_; // with their widths
};

class CEZOptionsDlg : public Dialog {
public:
    // The template holds the tree, the caption label and a frame marking the page area;
    // the strip of buttons is made below them.
    struct Controls {
        int tree;
        int label;
        int pageArea;
    };

    CEZOptionsDlg(int templateId, HINSTANCE module, Controls controls);
    ~CEZOptionsDlg() override;

    // A node under `parent` (-1: a top node) owning `page`; the nodes' index.
    int addNode(const std::string& caption, int image, int parent, CEZPropertyPage& page);
    // Tree images, owned by the dialog from here on.
    void setImages(HIMAGELIST images);
    void setTitle(std::string title) { title_ = std::move(title); }
    void setStartNode(int node) { current_ = node; }
    void setCancelText(std::string text) { cancelText_ = std::move(text); }
    int currentNode() const { return current_; }

    // The caption above a node's page.
    virtual std::string labelOf(int node) const;

protected:
    bool onInit() override;
    void onOk() override;
    bool onNotify(const NMHDR& header, LRESULT& result) override;
    // Every page checks its fields, in node order; the first refusal shows its page and
    // stops. Then every page applies. False when a page refused.
    bool validateAndApply();
    void selectNode(int node);

private:
    struct Node {
        std::string caption;
        int image;
        int parent;
        CEZPropertyPage* page;
        HTREEITEM item;
    };

    void buildTree();
    void makeButtons();
    void showPage(int node);
    int nodeOf(HTREEITEM item) const;

    Controls controls_;
    std::vector<Node> nodes_;
    HIMAGELIST images_ = nullptr;
    std::string title_;
    std::string cancelText_ = "Cancel";
    int current_ = 0;
    RECT pageArea_{};
    EZLabel label_;
    EZButtonPanel buttons_;
};

} // namespace mail
