// Dialog units: a template's coordinates scale with the dialog's font, so
// that a dialog keeps its proportions whatever face and size it gets.
// x pixels = x * baseX / 4 and y pixels = y * baseY / 8, rounded to nearest.
#pragma once

#include <QFont>
#include <QRect>

struct DialogBaseUnits {
    int cx = 1;  // average width of "A".."Z", "a".."z"
    int cy = 1;  // height of the font
};

DialogBaseUnits AfxGetDialogBaseUnits(const QFont& font);

// Rectangle given as x, y, width, height in dialog units.
QRect AfxMapDialogRect(int x, int y, int cx, int cy, DialogBaseUnits base);
QSize AfxMapDialogSize(int cx, int cy, DialogBaseUnits base);
