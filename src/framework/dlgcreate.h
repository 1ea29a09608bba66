// Building a dialog's controls from its template: each control at its
// template position converted from dialog units, named for assistive
// technology, in template tab order, up-downs joined to their buddies.
#pragma once

#include <QWidget>
#include <vector>

#include "dlgtemplate.h"
#include "dlgunits.h"

// One widget per template item, in template order, as children of dialog.
std::vector<QWidget*> AfxCreateDialogControls(QWidget* dialog, const DlgTemplate& dlgTemplate, DialogBaseUnits base);

// The text that names an edit, up-down or trackbar: the nearest static text
// on its left in the same line, else the nearest one above it, else the
// dialog's caption.
QString AfxControlLabel(const DlgTemplate& dlgTemplate, std::size_t index);
