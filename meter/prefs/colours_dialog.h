#pragma once
// "Brellix - Colors": the seven graph colours, picked one by one or from a built-in
// scheme, handed back on OK.
#include "common/win/dialog.h"
#include "meter/prefs/colour_editor.h"

#include <functional>
#include <optional>

// Asks the user for a colour, starting from `initial`; nothing when the user cancels.
using ColourChooser = std::function<std::optional<COLORREF>(HWND owner, COLORREF initial)>;

// The system colour chooser: fully open, any colour, solid colours only. Its custom
// colours are kept from one opening to the next while the program runs.
std::optional<COLORREF> chooseSystemColour(HWND owner, COLORREF initial);

class ColoursDialog : public Dialog {
public:
    explicit ColoursDialog(const GraphColours& colours, ColourChooser chooser = chooseSystemColour);
    // The colours after OK; the ones it opened with otherwise.
    const GraphColours& colours() const { return result_; }

private:
    bool onInit() override;
    bool onCommand(int id, int code) override;
    void onOk() override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void change(int index);
    void chooseScheme();
    void copyToClipboard();
    // Swatches, the list's selection and "OK" as the editor has them.
    void showEditor();

    ColourEditor editor_;
    ColourChooser chooser_;
    GraphColours result_;
};
