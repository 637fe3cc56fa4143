#include "meter/prefs/colours_dialog.h"

#include "common/win/clipboard.h"
#include "meter/prefs/colour_swatch.h"
#include "meter/res/resource.h"

#include <commdlg.h>

#include <array>

namespace {

// In colour order: the swatch and the button that changes it.
constexpr std::array<int, kGraphColourCount> kSwatches{
    IDC_COLORS_SWATCH0, IDC_COLORS_SWATCH1, IDC_COLORS_SWATCH2, IDC_COLORS_SWATCH3,
    IDC_COLORS_SWATCH4, IDC_COLORS_SWATCH5, IDC_COLORS_SWATCH6};
constexpr std::array<int, kGraphColourCount> kChangeButtons{
    IDC_COLORS_CHANGE0, IDC_COLORS_CHANGE1, IDC_COLORS_CHANGE2, IDC_COLORS_CHANGE3,
    IDC_COLORS_CHANGE4, IDC_COLORS_CHANGE5, IDC_COLORS_CHANGE6};

// The colour a control stands for, or -1.
int colourIndexOf(const std::array<int, kGraphColourCount>& ids, int id)
{
    for (int i = 0; i < kGraphColourCount; ++i)
        if (ids[static_cast<std::size_t>(i)] == id)
            return i;
    return -1;
}

} // namespace

std::optional<COLORREF> chooseSystemColour(HWND owner, COLORREF initial)
{
    static COLORREF custom[16] = {};
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.rgbResult = initial;
    choose.lpCustColors = custom;
    choose.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_SOLIDCOLOR | CC_RGBINIT;
    if (!ChooseColorA(&choose))
        return std::nullopt;
    return choose.rgbResult;
}

ColoursDialog::ColoursDialog(const GraphColours& colours, ColourChooser chooser)
    : Dialog(IDD_COLORS), editor_(colours), chooser_(std::move(chooser)), result_(colours)
{
}

bool ColoursDialog::onInit()
{
    setComboItems(IDC_COLORS_SCHEME, colourSchemeNames());
    showEditor();
    return true;
}

bool ColoursDialog::onCommand(int id, int code)
{
    if (id == IDC_COLORS_SCHEME) {
        if (code == CBN_SELCHANGE)
            chooseScheme();
        return true;
    }
    if (id == IDC_COLORS_COPY) {
        copyToClipboard();
        return true;
    }
    const int index = colourIndexOf(kChangeButtons, id);
    if (index >= 0) {
        change(index);
        return true;
    }
    return Dialog::onCommand(id, code);
}

void ColoursDialog::change(int index)
{
    const std::optional<COLORREF> picked = chooser_(hwnd(), editor_.colour(index));
    if (!picked || !editor_.setColour(index, *picked))
        return;
    showEditor();
}

void ColoursDialog::chooseScheme()
{
    if (editor_.chooseScheme(comboIndex(IDC_COLORS_SCHEME)))
        showEditor();
}

void ColoursDialog::copyToClipboard()
{
    // A clipboard held by another program leaves nothing to do.
    putClipboardText(hwnd(), colourClipboardText(editor_.colours()));
}

void ColoursDialog::showEditor()
{
    for (int id : kSwatches)
        repaintSwatch(item(id));
    setComboIndex(IDC_COLORS_SCHEME, editor_.scheme());
    enable(IDOK, editor_.changed());
}

void ColoursDialog::onOk()
{
    // "OK" is offered only once something changed; a command sent to the dialog
    // arrives even while it is disabled.
    if (!editor_.changed())
        return;
    result_ = editor_.colours();
    close(IDOK);
}

INT_PTR ColoursDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_DRAWITEM)
        return Dialog::handleMessage(message, wParam, lParam);
    const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const int index = colourIndexOf(kSwatches, static_cast<int>(draw.CtlID));
    if (index < 0)
        return FALSE;
    paintSwatch(draw.hDC, draw.rcItem, editor_.colour(index));
    return TRUE;
}
