#include "common/win/clipboard.h"
#include "config_sheet_rig.h"
#include "meter/prefs/colour_swatch.h"
#include "meter/prefs/colours_dialog.h"
#include "meter/prefs/config_sheet.h"
#include "meter/res/resource.h"
#include "sheet_driver.h"
#include "window_shot.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>

using namespace sheet_test;

namespace {

constexpr const char* kCaption = "Brellix - Colors";
constexpr int kGrays1 = 1;
constexpr int kAqua = 3;

constexpr std::array<int, kGraphColourCount> kChange{
    IDC_COLORS_CHANGE0, IDC_COLORS_CHANGE1, IDC_COLORS_CHANGE2, IDC_COLORS_CHANGE3,
    IDC_COLORS_CHANGE4, IDC_COLORS_CHANGE5, IDC_COLORS_CHANGE6};

const GraphColours& scheme(int index)
{
    return colourSchemes()[static_cast<std::size_t>(index)].colours;
}

// A chooser that answers from a script and remembers what it was asked.
struct ScriptedChooser {
    struct Call {
        HWND owner;
        COLORREF initial;
    };
    std::vector<Call> calls;
    std::atomic<int> asked{0}; // read by the driving thread
    std::vector<std::optional<COLORREF>> answers;

    ColourChooser seam()
    {
        return [this](HWND owner, COLORREF initial) -> std::optional<COLORREF> {
            calls.push_back({owner, initial});
            ++asked;
            if (calls.size() > answers.size())
                return std::nullopt;
            return answers[calls.size() - 1];
        };
    }
};

bool okEnabled(HWND dialog)
{
    return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
}

int schemeSelection(HWND dialog)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_COLORS_SCHEME, CB_GETCURSEL, 0, 0));
}

// Picks a scheme from the list as the user does: the selection, then its notice.
void pickScheme(HWND dialog, int index)
{
    HWND list = GetDlgItem(dialog, IDC_COLORS_SCHEME);
    PostMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_COLORS_SCHEME, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

std::string clipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return "(clipboard not opened)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace

TEST(coloursDialog, opensWithOkDisabledAndCancelKeepsTheColours)
{
    ScriptedChooser chooser;
    ColoursDialog dialog(scheme(kGrays1), chooser.seam());
    bool disabledAtFirst = false, enabledByScheme = false;
    int selectionAtFirst = 0;
    Driver driver(kCaption, [&](HWND window) {
        disabledAtFirst = !okEnabled(window);
        selectionAtFirst = schemeSelection(window);
        pickScheme(window, kAqua);
        enabledByScheme = waitUntil([&] { return okEnabled(window); });
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dialog.runModal(nullptr), IDCANCEL);
    EXPECT_TRUE(disabledAtFirst);
    EXPECT_EQ(selectionAtFirst, CB_ERR);
    EXPECT_TRUE(enabledByScheme);
    EXPECT_EQ(dialog.colours(), scheme(kGrays1));
}

TEST(coloursDialog, eachChangeButtonAsksForItsOwnColourAndOkHandsAllBack)
{
    GraphColours start = scheme(kAqua);
    ScriptedChooser chooser;
    GraphColours picked{};
    for (int i = 0; i < kGraphColourCount; ++i) {
        picked[static_cast<std::size_t>(i)] = RGB(10 + i, 100 + i, 200 + i);
        chooser.answers.emplace_back(picked[static_cast<std::size_t>(i)]);
    }
    ColoursDialog dialog(start, chooser.seam());
    HWND shown = nullptr;
    Driver driver(kCaption, [&](HWND window) {
        shown = window;
        for (int id : kChange)
            click(window, id);
        waitUntil([&] { return okEnabled(window); });
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.runModal(nullptr), IDOK);
    ASSERT_EQ(chooser.calls.size(), static_cast<std::size_t>(kGraphColourCount));
    for (int i = 0; i < kGraphColourCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        EXPECT_EQ(chooser.calls[at].initial, start[at]) << "button " << i;
        EXPECT_EQ(chooser.calls[at].owner, shown) << "button " << i;
    }
    EXPECT_EQ(dialog.colours(), picked);
}

TEST(coloursDialog, aSchemeThenOneChangedColourLeavesNoSelectionAndSixSchemeColours)
{
    ScriptedChooser chooser;
    const COLORREF mine = RGB(1, 2, 3);
    chooser.answers.emplace_back(mine);
    ColoursDialog dialog(scheme(0), chooser.seam());
    int selectedAfterScheme = CB_ERR, selectedAfterChange = 0;
    Driver driver(kCaption, [&](HWND window) {
        pickScheme(window, kAqua);
        waitUntil([&] { return (selectedAfterScheme = schemeSelection(window)) == kAqua; });
        click(window, IDC_COLORS_CHANGE3);
        waitUntil([&] { return (selectedAfterChange = schemeSelection(window)) == CB_ERR; });
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.runModal(nullptr), IDOK);
    EXPECT_EQ(selectedAfterScheme, kAqua);
    EXPECT_EQ(selectedAfterChange, CB_ERR);
    GraphColours expected = scheme(kAqua);
    expected[kColourWarning] = mine;
    EXPECT_EQ(dialog.colours(), expected);
}

TEST(coloursDialog, aCancelledChooserChangesNothing)
{
    ScriptedChooser chooser; // no answers: every choice is cancelled
    ColoursDialog dialog(scheme(0), chooser.seam());
    bool asked = false, disabled = false;
    Driver driver(kCaption, [&](HWND window) {
        click(window, IDC_COLORS_CHANGE0);
        click(window, IDC_COLORS_CHANGE6);
        asked = waitUntil([&] { return chooser.asked == 2; });
        // A sent message runs once the click in hand has been handled.
        SendMessageA(window, WM_NULL, 0, 0);
        disabled = !okEnabled(window);
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dialog.runModal(nullptr), IDCANCEL);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(disabled);
    EXPECT_EQ(dialog.colours(), scheme(0));
}

TEST(coloursDialog, anUnchangedDialogDoesNotCloseOnOk)
{
    ScriptedChooser chooser;
    ColoursDialog dialog(scheme(kGrays1), chooser.seam());
    bool stayed = false;
    Driver driver(kCaption, [&](HWND window) {
        PostMessageA(window, WM_COMMAND, IDOK, 0);
        pickScheme(window, kGrays1); // handled after the OK above
        waitUntil([&] { return schemeSelection(window) == kGrays1; });
        stayed = IsWindow(window) != FALSE;
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dialog.runModal(nullptr), IDCANCEL);
    EXPECT_TRUE(stayed);
}

TEST(coloursDialog, choosingASchemeRepaintsTheSwatches)
{
    ScriptedChooser chooser;
    ColoursDialog dialog(scheme(0), chooser.seam());
    COLORREF background = 0, text = 0;
    Driver driver(kCaption, [&](HWND window) {
        pickScheme(window, kAqua);
        const auto middle = [&](int id) {
            HWND swatch = GetDlgItem(window, id);
            RECT r;
            GetClientRect(swatch, &r);
            return WindowShot(swatch).pixel(r.right / 2, r.bottom / 2);
        };
        waitUntil([&] {
            background = middle(IDC_COLORS_SWATCH0);
            return background == scheme(kAqua)[kColourBackground];
        });
        text = middle(IDC_COLORS_SWATCH6);
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
    dialog.runModal(nullptr);
    EXPECT_EQ(background, scheme(kAqua)[kColourBackground]);
    EXPECT_EQ(text, scheme(kAqua)[kColourText]);
}

TEST(coloursDialog, copyPutsTheColoursOnTheClipboardAsText)
{
    ASSERT_TRUE(putClipboardText(nullptr, "before"));
    ScriptedChooser chooser;
    ColoursDialog dialog(scheme(0), chooser.seam());
    Driver driver(kCaption, [&](HWND window) {
        pickScheme(window, kAqua);
        click(window, IDC_COLORS_COPY);
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
    dialog.runModal(nullptr);
    EXPECT_EQ(clipboardText(), colourClipboardText(scheme(kAqua)));
}

TEST(colourSwatch, aBlackFrameAroundItsColour)
{
    constexpr int cx = 12, cy = 8;
    WindowDC screen(nullptr);
    BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), cx, cy));
    MemoryDC dc(screen.get());
    const COLORREF colour = RGB(30, 144, 255);
    {
        SelectedObject selected(dc.get(), bitmap.get());
        // Not the default pen and brush: the swatch must not take whatever is selected.
        SelectedObject pen(dc.get(), GetStockObject(WHITE_PEN));
        SelectedObject brush(dc.get(), GetStockObject(GRAY_BRUSH));
        paintSwatch(dc.get(), RECT{0, 0, cx, cy}, colour);
    }
    const std::vector<COLORREF> pixels = pixelsOf(bitmap.get(), cx, cy);
    const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * cx + x)]; };
    for (int x = 0; x < cx; ++x) {
        EXPECT_EQ(at(x, 0), RGB(0, 0, 0)) << x;
        EXPECT_EQ(at(x, cy - 1), RGB(0, 0, 0)) << x;
    }
    for (int y = 0; y < cy; ++y) {
        EXPECT_EQ(at(0, y), RGB(0, 0, 0)) << y;
        EXPECT_EQ(at(cx - 1, y), RGB(0, 0, 0)) << y;
    }
    for (int y = 1; y < cy - 1; ++y)
        for (int x = 1; x < cx - 1; ++x)
            EXPECT_EQ(at(x, y), colour) << x << "," << y;
}

namespace {

struct OtherDialog {
    HWND except;
    HWND found;
};

BOOL CALLBACK matchOtherDialog(HWND w, LPARAM data)
{
    auto* s = reinterpret_cast<OtherDialog*>(data);
    char name[16] = "";
    GetClassNameA(w, name, sizeof name);
    if (w != s->except && IsWindowVisible(w) && std::string(name) == "#32770") {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

// A dialog of the thread other than `except`: the system colour chooser.
HWND chooserWindow(DWORD thread, HWND except)
{
    OtherDialog search{except, nullptr};
    EnumThreadWindows(thread, matchOtherDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

TEST(coloursDialog, theSystemChooserStartsFromTheSwatchColour)
{
    // Not a colour of any built-in scheme, so only the preselection can bring it back.
    GraphColours start = scheme(0);
    start[kColourNormal] = RGB(12, 34, 56);
    ColoursDialog dialog(start);
    bool opened = false, enabled = false;
    Driver driver(kCaption, [&](HWND window) {
        click(window, IDC_COLORS_CHANGE2);
        HWND chooser = nullptr;
        opened = waitUntil([&] {
            return (chooser = chooserWindow(GetWindowThreadProcessId(window, nullptr), window)) !=
                   nullptr;
        });
        if (opened)
            PostMessageA(chooser, WM_COMMAND, IDOK, 0);
        enabled = waitUntil([&] { return okEnabled(window); });
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.runModal(nullptr), IDOK);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(dialog.colours(), start);
}

TEST(coloursDialog, okOnTheMeterOptionsPageReachesTheWorkingCopyAndEnablesApply)
{
    Rig rig;
    bool enabled = false;
    rig.run(kMeterOptionsPage, [&](HWND window) {
        HWND page = showPage(window, 4);
        click(page, IDC_MOP_COLORS);
        HWND colours = nullptr;
        waitUntil([&] {
            return (colours = findWindowOf(GetWindowThreadProcessId(window, nullptr), kCaption)) !=
                   nullptr;
        });
        if (colours != nullptr) {
            pickScheme(colours, kGrays1);
            waitUntil([&] { return okEnabled(colours); });
            PostMessageA(colours, WM_COMMAND, IDOK, 0);
        }
        enabled = waitUntil([&] { return applyEnabled(window); });
        press(window, PSBTN_OK);
    });
    EXPECT_TRUE(enabled);
    ASSERT_EQ(rig.sink.applied.size(), 1u);
    EXPECT_EQ(rig.sink.applied[0].colours, scheme(kGrays1));
}
