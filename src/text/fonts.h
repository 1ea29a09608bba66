// The program's fonts. Its resources and its device contexts name Windows
// faces ("System", "Gulim"); Hangul needs an installed Korean face in their
// place. Qt Gui only: zellmap links it too, so that its overlay prints with
// the editor's font.
#pragma once

#include <QFont>

// The installed face that stands in for the Windows Korean faces.
const char* AfxKoreanFontFace();

// Maps "Gulim", "굴림", "System" and "MS Sans Serif" to the Korean face and
// makes that face the application's default.
void AfxInstallKoreanFonts();

// The font a device context prints with unless told otherwise: the bold
// 13-pixel system face, mapped to the Korean face. The numbers over the map
// pane and the palette, and zellmap's overlay, are printed with it.
QFont AfxContextFont();
