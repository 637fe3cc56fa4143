#pragma once
// The colours dialog's working state: seven colours, the scheme chosen from the list
// (none once a colour is changed by hand) and whether anything has changed, which is
// what enables "OK". Also the text the dialog copies to the clipboard.
#include "meter/colours.h"

#include <string>
#include <vector>

constexpr int kNoScheme = -1;

class ColourEditor {
public:
    explicit ColourEditor(const GraphColours& colours) : colours_(colours) {}

    const GraphColours& colours() const { return colours_; }
    // The colour at `index` (0 for an index that names no colour).
    ColorRef colour(int index) const;
    // The list's selection, or kNoScheme.
    int scheme() const { return scheme_; }
    bool changed() const { return changed_; }

    // A colour picked for one swatch: the list no longer names the colours. False
    // when `index` names no colour.
    bool setColour(int index, ColorRef colour);
    // All seven colours from a built-in scheme. False (and nothing changes) when
    // `index` names no scheme, as when the list reports no selection.
    bool chooseScheme(int index);

private:
    GraphColours colours_;
    int scheme_ = kNoScheme;
    bool changed_ = false;
};

// The list's items, in scheme order.
std::vector<std::string> colourSchemeNames();

// "{ RGB(  0,  0,  0), RGB( 92, 92, 92), ... }": the seven colours in stored order as
// a C initialiser someone can send in with a scheme of their own.
std::string colourClipboardText(const GraphColours& colours);
