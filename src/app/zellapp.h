// The application: start-up of the editor with its one document template.
#pragma once

#include "app.h"

class CZellApp : public CWinApp {
public:
    CZellApp();
    BOOL InitInstance() override;
    void OnAppAbout();
};

extern CZellApp theApp;
