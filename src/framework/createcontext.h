// What the framework passes down while it creates a frame and its views.
#pragma once

#include "wintypes.h"

class CDocument;

struct CCreateContext {
    CDocument* m_pCurrentDoc = nullptr;
};

// Window placement and style as a frame is about to be created.
struct CREATESTRUCT {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    DWORD style = 0;
};

constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
