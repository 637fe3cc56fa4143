#include "mail/center/ez_options_dlg.h"

#include <utility>

namespace mail {

namespace {

constexpr int kLabelFontHeight = 18; // pixels
constexpr char kLabelFace[] = "Arial";
constexpr int kButtonGap = 6;   // pixels between two buttons
constexpr int kStripMargin = 7; // dialog units around the strip
constexpr int kStripHeight = 14;
constexpr int kButtonWidth = 50;

} // namespace

// ---- CEZPropertyPage -------------------------------------------------------------------

CEZPropertyPage::CEZPropertyPage(int templateId, HINSTANCE module)
    : templateId_(templateId), module_(module)
{
}

CEZPropertyPage::~CEZPropertyPage()
{
    if (hwnd() != nullptr) {
        HWND window = hwnd();
        SetWindowLongPtrA(window, DWLP_USER, 0);
        attach(nullptr);
        DestroyWindow(window);
    }
}

bool CEZPropertyPage::create(HWND parent)
{
    HWND page = CreateDialogParamA(module_, MAKEINTRESOURCEA(templateId_), parent, pageProc,
                                   reinterpret_cast<LPARAM>(this));
    if (page == nullptr)
        return false;
    // Templates made for property sheets carry a caption (their tab's text): a page of
    // the tree shows its caption in the label instead.
    LONG_PTR style = GetWindowLongPtrA(page, GWL_STYLE);
    style = (style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_POPUP | WS_VISIBLE)) | WS_CHILD;
    SetWindowLongPtrA(page, GWL_STYLE, style);
    SetWindowLongPtrA(page, GWL_EXSTYLE,
                      GetWindowLongPtrA(page, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    SetWindowPos(page, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

INT_PTR CALLBACK CEZPropertyPage::pageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* initial = message == WM_INITDIALOG ? reinterpret_cast<CEZPropertyPage*>(lParam) : nullptr;
    return dispatch(hwnd, message, wParam, lParam, initial);
}

INT_PTR CEZPropertyPage::route(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        onInit();
        return FALSE; // the options dialog places the focus
    case WM_COMMAND:
        return onCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    default:
        return handleMessage(message, wParam, lParam);
    }
}

// ---- EZLabel ---------------------------------------------------------------------------

void EZLabel::attach(HWND label)
{
    label_ = label;
    LOGFONTA face{};
    face.lfHeight = -kLabelFontHeight;
    face.lfWeight = FW_BOLD;
    face.lfCharSet = ANSI_CHARSET;
    lstrcpynA(face.lfFaceName, kLabelFace, LF_FACESIZE);
    font_.reset(CreateFontIndirectA(&face));
    SendMessageA(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

void EZLabel::setText(const std::string& text)
{
    SetWindowTextA(label_, text.c_str());
}

// ---- EZButtonPanel ---------------------------------------------------------------------

bool EZButtonPanel::create(HWND parent, const RECT& area, int id)
{
    if (!registerClass(kClassName, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
        return false;
    return Window::create(WS_EX_CONTROLPARENT, kClassName, "", WS_CHILD | WS_VISIBLE, area.left,
                          area.top, area.right - area.left, area.bottom - area.top, parent,
                          static_cast<UINT_PTR>(id));
}

void EZButtonPanel::addButton(int id, const std::string& text, int width, bool isDefault)
{
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    HWND button = CreateWindowExA(
        0, "Button", text.c_str(), style, 0, 0, width, 0, hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd(), GWLP_HINSTANCE)), nullptr);
    SendMessageA(button, WM_SETFONT, SendMessageA(GetParent(hwnd()), WM_GETFONT, 0, 0), FALSE);
    buttons_.emplace_back(button, width);
    layOut();
}

void EZButtonPanel::layOut()
{
    RECT client;
    GetClientRect(hwnd(), &client);
    int right = client.right;
    for (auto it = buttons_.rbegin(); it != buttons_.rend(); ++it) {
        right -= it->second;
        MoveWindow(it->first, right, 0, it->second, client.bottom, TRUE);
        right -= kButtonGap;
    }
}

LRESULT EZButtonPanel::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        return SendMessageA(GetParent(hwnd()), WM_COMMAND, wParam, lParam);
    case WM_SIZE:
        layOut();
        return 0;
    default:
        return Window::handleMessage(message, wParam, lParam);
    }
}

// ---- CEZOptionsDlg ---------------------------------------------------------------------

CEZOptionsDlg::CEZOptionsDlg(int templateId, HINSTANCE module, Controls controls)
    : Dialog(templateId, module), controls_(controls)
{
}

CEZOptionsDlg::~CEZOptionsDlg()
{
    if (images_ != nullptr)
        ImageList_Destroy(images_);
}

int CEZOptionsDlg::addNode(const std::string& caption, int image, int parent, CEZPropertyPage& page)
{
    nodes_.push_back({caption, image, parent, &page, nullptr});
    return static_cast<int>(nodes_.size()) - 1;
}

void CEZOptionsDlg::setImages(HIMAGELIST images)
{
    if (images_ != nullptr)
        ImageList_Destroy(images_);
    images_ = images;
}

std::string CEZOptionsDlg::labelOf(int node) const
{
    const Node& n = nodes_.at(static_cast<std::size_t>(node));
    if (n.parent < 0)
        return n.caption;
    return nodes_.at(static_cast<std::size_t>(n.parent)).caption + " - " + n.caption;
}

bool CEZOptionsDlg::onInit()
{
    SetWindowTextA(hwnd(), title_.c_str());
    label_.attach(item(controls_.label));
    GetWindowRect(item(controls_.pageArea), &pageArea_);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&pageArea_), 2);
    ShowWindow(item(controls_.pageArea), SW_HIDE);
    makeButtons();
    for (Node& node : nodes_) {
        node.page->create(hwnd());
        SetWindowPos(node.page->hwnd(), HWND_BOTTOM, pageArea_.left, pageArea_.top, 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE);
    }
    buildTree();
    if (nodes_.empty())
        return true;
    const int start = current_ >= 0 && current_ < static_cast<int>(nodes_.size()) ? current_ : 0;
    current_ = -1;
    selectNode(start);
    if (current_ < 0) // the tree did not tell: show the page directly
        showPage(start);
    SetFocus(item(controls_.tree));
    return false;
}

void CEZOptionsDlg::makeButtons()
{
    RECT client;
    GetClientRect(hwnd(), &client);
    RECT units{kStripMargin, kStripHeight, kButtonWidth, 0};
    MapDialogRect(hwnd(), &units);
    const int margin = units.left;
    const RECT strip{margin, client.bottom - margin - units.top, client.right - margin,
                     client.bottom - margin};
    buttons_.create(hwnd(), strip, 0);
    buttons_.addButton(IDOK, "OK", units.right, true);
    buttons_.addButton(IDCANCEL, cancelText_, units.right);
}

void CEZOptionsDlg::buildTree()
{
    HWND tree = item(controls_.tree);
    if (images_ != nullptr)
        TreeView_SetImageList(tree, images_, TVSIL_NORMAL);
    for (Node& node : nodes_) {
        TVINSERTSTRUCTA insert{};
        insert.hParent =
            node.parent >= 0 ? nodes_[static_cast<std::size_t>(node.parent)].item : TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(node.caption.c_str());
        insert.item.iImage = node.image;
        insert.item.iSelectedImage = node.image;
        insert.item.lParam = static_cast<LPARAM>(&node - nodes_.data());
        node.item = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    for (const Node& node : nodes_) {
        if (node.parent < 0)
            TreeView_Expand(tree, node.item, TVE_EXPAND);
    }
}

int CEZOptionsDlg::nodeOf(HTREEITEM item) const
{
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        if (nodes_[i].item == item)
            return static_cast<int>(i);
    }
    return -1;
}

void CEZOptionsDlg::selectNode(int node)
{
    TreeView_SelectItem(item(controls_.tree), nodes_.at(static_cast<std::size_t>(node)).item);
}

void CEZOptionsDlg::showPage(int node)
{
    if (node < 0)
        return;
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        if (static_cast<int>(i) != node)
            ShowWindow(nodes_[i].page->hwnd(), SW_HIDE);
    }
    current_ = node;
    label_.setText(labelOf(node));
    ShowWindow(nodes_[static_cast<std::size_t>(node)].page->hwnd(), SW_SHOW);
}

bool CEZOptionsDlg::onNotify(const NMHDR& header, LRESULT& result)
{
    if (static_cast<int>(header.idFrom) != controls_.tree)
        return false;
    const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
    switch (header.code) {
    case TVN_SELCHANGINGA:
    case TVN_SELCHANGINGW:
        // Leaving a page with refused fields keeps it in front.
        result = current_ >= 0 && !nodes_[static_cast<std::size_t>(current_)].page->validate();
        return true;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        showPage(nodeOf(change.itemNew.hItem));
        result = 0;
        return true;
    default:
        return false;
    }
}

bool CEZOptionsDlg::validateAndApply()
{
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        if (!nodes_[i].page->validate()) {
            if (current_ != static_cast<int>(i)) {
                current_ = -1; // the refused page is left as it is
                selectNode(static_cast<int>(i));
            }
            return false;
        }
    }
    for (Node& node : nodes_)
        node.page->apply();
    return true;
}

void CEZOptionsDlg::onOk()
{
    if (validateAndApply())
        close(IDOK);
}

} // namespace mail
