#pragma once
// The main window while minimised: its face and the picture dragged from it are the
// program's icon.
#include <windows.h>

// Draws `icon` centred in `client` on `dc`.
void drawIconCentred(HDC dc, const RECT& client, HICON icon);

// The two messages a dialog answers for its minimised face: WM_PAINT while the window
// is minimised and WM_QUERYDRAGICON. Returns true with the dialog procedure's answer
// in `result` when the message was one of them; false leaves it to the dialog.
bool handleMinimisedFace(HWND window, HICON icon, UINT message, INT_PTR& result);
