// The application: start-up of the editor with its one document template.
#pragma once

#include "app.h"

class CZellDoc;

class CZellApp : public CWinApp {
public:
    CZellApp();
    BOOL InitInstance() override;
    void OnAppAbout();

private:
    // Offers the newest copy of unsaved work a crashed session left, and
    // starts keeping this session's.
    void OfferRecovery(CZellDoc& doc);
};

extern CZellApp theApp;
