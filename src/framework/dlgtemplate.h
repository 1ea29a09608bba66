// A dialog as its resource describes it: caption, size and font, and the
// controls in template order with their positions in dialog units. The
// order is also the tab order and decides which control is an up-down's
// buddy (the one before it).
#pragma once

#include <vector>

#include "wintypes.h"

// Style bits a template may give a control, with the values the resource
// compiler uses. Kept in a namespace: the frame code has window styles of
// its own with some of the same names.
namespace dlgstyle {
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD SS_NOPREFIX = 0x0080;
constexpr DWORD UDS_WRAP = 0x0001;
constexpr DWORD UDS_SETBUDDYINT = 0x0002;
constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
constexpr DWORD UDS_AUTOBUDDY = 0x0010;
constexpr DWORD UDS_ARROWKEYS = 0x0020;
constexpr DWORD UDS_NOTHOUSANDS = 0x0080;
constexpr DWORD TBS_VERT = 0x0002;
constexpr DWORD TBS_BOTH = 0x0008;
constexpr DWORD TBS_NOTICKS = 0x0010;

// Controls without an id of their own (labels, group boxes, icons).
constexpr UINT IDC_STATIC = 0xFFFFFFFFu;
}  // namespace dlgstyle

enum class DlgItemKind {
    PushButton,
    DefPushButton,
    AutoRadioButton,
    AutoCheckBox,
    GroupBox,
    Static,
    Edit,
    UpDown,
    Trackbar,
    Icon,  // text holds the icon's resource id in decimal
};

struct DlgItemTemplate {
    UINT id;
    DlgItemKind kind;
    const char* text;  // UTF-8; may be empty
    int x, y, cx, cy;  // dialog units
    DWORD style;
};

struct DlgTemplate {
    UINT id;
    const char* caption;  // UTF-8
    int cx, cy;           // client size in dialog units
    const char* fontFace;
    int fontPoints;
    std::vector<DlgItemTemplate> items;
};
