#include "meter/minimised_icon.h"
#include "meter/res/resource.h"

#include <gtest/gtest.h>

namespace {

// The box holding every pixel that differs from the background.
RECT paintedBox(HDC dc, int width, int height, COLORREF background)
{
    RECT box{width, height, -1, -1};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (GetPixel(dc, x, y) != background) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

} // namespace

TEST(minimisedIcon, programIconIsDrawnCentred)
{
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM));
    ASSERT_NE(icon, nullptr);
    const int width = 90, height = 70;
    const COLORREF background = RGB(255, 0, 255); // in no icon of ours

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, brush);

    drawIconCentred(dc, all, icon);

    // The icon's own square, wherever its opaque pixels lie inside it, sits in the
    // middle: its painted pixels fall inside that square and the square's margins
    // left and right (and above and below) differ by at most the odd pixel.
    const int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
    const RECT box = paintedBox(dc, width, height, background);
    ASSERT_LT(box.left, box.right) << "nothing was drawn";
    const int left = (width - cx) / 2, top = (height - cy) / 2;
    EXPECT_GE(box.left, left - 1);
    EXPECT_LE(box.right, left + cx + 1);
    EXPECT_GE(box.top, top - 1);
    EXPECT_LE(box.bottom, top + cy + 1);
    // The icon is not a blot in one corner of its square.
    EXPECT_LT(box.left, width / 2);
    EXPECT_GT(box.right, width / 2);

    SelectObject(dc, old);
    DeleteObject(brush);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// A dialog that answers as the main window does.
INT_PTR CALLBACK faceDialog(HWND window, UINT message, WPARAM, LPARAM)
{
    static HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM));
    INT_PTR result = 0;
    if (handleMinimisedFace(window, icon, message, result))
        return result;
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

TEST(minimisedIcon, dialogDragsTheProgramIconAndPaintsOnlyWhenMinimised)
{
    struct {
        DLGTEMPLATE dialog;
        WORD menu, windowClass, title;
    } blank{
        {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, 0, 0, 10, 10, 120, 80},
        0,
        0,
        0};
    HWND window = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &blank.dialog, nullptr,
                                             faceDialog, 0);
    ASSERT_NE(window, nullptr);
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM));
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(window, WM_QUERYDRAGICON, 0, 0)), icon);

    INT_PTR result = 0;
    EXPECT_FALSE(handleMinimisedFace(window, icon, WM_PAINT, result));
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(handleMinimisedFace(window, icon, WM_PAINT, result));
    EXPECT_EQ(result, TRUE);
    DestroyWindow(window);
}
