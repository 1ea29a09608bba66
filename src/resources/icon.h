// The program's icon, drawn rather than kept as a picture: a small map of
// four by four tiles with a grid and a "Z" across it. The editor's windows
// show it at 16 and 32 pixels; the desktop's icon theme gets it at its
// sizes (data/makeicons.cpp), larger ones with smoothed lines. Qt Gui only.
#pragma once

#include <QImage>

QImage DrawProgramIcon(int size);
