#include "meter/minimised_icon.h"

void drawIconCentred(HDC dc, const RECT& client, HICON icon)
{
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    const int x = client.left + (client.right - client.left - cx + 1) / 2;
    const int y = client.top + (client.bottom - client.top - cy + 1) / 2;
    DrawIcon(dc, x, y, icon);
}

bool handleMinimisedFace(HWND window, HICON icon, UINT message, INT_PTR& result)
{
    if (message == WM_QUERYDRAGICON) {
        // One of the few messages whose answer is the dialog procedure's own return.
        result = reinterpret_cast<INT_PTR>(icon);
        return true;
    }
    if (message != WM_PAINT || !IsIconic(window))
        return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    SendMessageA(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(window, &client);
    drawIconCentred(dc, client, icon);
    EndPaint(window, &ps);
    result = TRUE;
    return true;
}
