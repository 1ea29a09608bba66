// Translated texts in fixed-size dialog controls. The templates are sized
// for the Korean texts; a translation that is longer widens its control into
// the free space to its right (up to the next control on its row or the
// dialog's edge), and what still does not fit is elided, with the whole
// text as the tooltip. Korean texts are never touched, so the Korean
// dialogs keep their geometry exactly.
#pragma once

#include <vector>

class QWidget;
struct DlgTemplate;

void AfxFitTranslatedTexts(QWidget* dialog, const DlgTemplate& dlgTemplate, const std::vector<QWidget*>& widgets);
