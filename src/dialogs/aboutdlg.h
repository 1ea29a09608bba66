// The about box (dialog 100): the program's icon, name and version.
#pragma once

#include "dialog.h"

class CAboutDlg : public CDialog {
public:
    enum { IDD = 100 };
    CAboutDlg();
};
