// The program's resources as the framework loads them by id: the string
// table, menus, accelerator tables and toolbars. The resources folder
// registers them at start-up; the framework looks them up when it builds
// a frame or a pop-up menu.
#pragma once

#include <QIcon>
#include <QImage>
#include <QKeySequence>
#include <functional>
#include <string>
#include <vector>

#include "wintypes.h"

void AfxRegisterString(UINT id, const std::string& text);
// The string with that id in the interface language, or an empty string
// when the table has none.
std::string AfxLoadString(UINT id);
// A command's string is "prompt\ntooltip"; either part may be missing.
std::string AfxCommandPrompt(UINT id);
std::string AfxCommandTooltip(UINT id);

struct MenuItemDef {
    std::string text;                   // Korean source text, & before the mnemonic, \t before the key text
    UINT id = 0;                        // 0 with no children: a separator
    std::vector<MenuItemDef> children;  // non-empty: a pop-up

    static MenuItemDef Separator() { return {}; }
    bool IsSeparator() const { return id == 0 && children.empty() && text.empty(); }
};

void AfxRegisterMenu(UINT id, std::vector<MenuItemDef> items);
const std::vector<MenuItemDef>* AfxFindMenu(UINT id);

struct AccelDef {
    QKeySequence keys;
    UINT id = 0;
};

void AfxRegisterAccelerators(UINT id, std::vector<AccelDef> accels);
const std::vector<AccelDef>* AfxFindAccelerators(UINT id);

struct ToolbarDef {
    QSize buttonImageSize;
    std::vector<UINT> buttons;          // ID_SEPARATOR marks a separator
    std::function<QImage()> makeStrip;  // one image per button, left to right
};

void AfxRegisterToolbar(UINT id, ToolbarDef def);
const ToolbarDef* AfxFindToolbar(UINT id);

// The application icon (resource 128), registered with the other resources.
void AfxRegisterAppIcon(std::function<QIcon()> makeIcon);
QIcon AfxGetAppIcon();
