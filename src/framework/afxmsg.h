// The application message box as the program's own code sees it: the
// editor installs a sink that shows a real message box, tests record the
// texts.
#pragma once

#include <functional>
#include <string>

// Button sets and icons (the low nibble is the button set).
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_ICONMASK = 0xF0;
constexpr unsigned MB_TYPEMASK = 0x0F;
// Not a Windows flag: marks the plain box a window owns (no icon).
constexpr unsigned MB_PLAIN_WINDOW_BOX = 0x10000;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The caption of every message box of the program.
inline const char* const kAppName = "Pellin Map Tool";

// Shows text (UTF-8) with the given type; returns the button pressed.
int AfxMessageBox(const std::string& text, unsigned type = MB_OK);

// Where message boxes go. The sink gets the text and the type and returns
// the button id. Without a sink the text goes to standard error and the
// first button of the set counts as pressed.
using AfxMessageSink = std::function<int(const std::string& text, unsigned type)>;
AfxMessageSink AfxSetMessageSink(AfxMessageSink sink);  // returns the previous one
