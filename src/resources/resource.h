// Resource and command ids of the program.
#pragma once

#include "cmdids.h"

constexpr UINT IDR_MAINFRAME = 128;  // menu, accelerators, toolbar, icon, document strings
constexpr UINT IDR_TILEPOPUP = 132;  // the tile palette's pop-up menu

constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDD_NEWMAP = 130;
constexpr UINT IDD_TILEARRANGE = 131;
constexpr UINT IDD_TILEATTR = 133;
constexpr UINT IDD_MAPATTR = 134;
constexpr UINT IDD_TEXTCOLOR = 135;

constexpr UINT ID_OPEN_BITMAP = 32771;
constexpr UINT ID_BITMAP_ALLTILES = 32772;
constexpr UINT ID_TILE_ARRANGE = 32773;
constexpr UINT ID_TILE_ERASEALL = 32774;
constexpr UINT ID_TILE_ERASESEL = 32775;
constexpr UINT ID_SHOW_TILENUMBERS = 32777;
constexpr UINT ID_TILE_SETATTR = 32778;
constexpr UINT ID_SHOW_PALETTEATTR = 32779;
constexpr UINT ID_TILE_FILLALL = 32780;
constexpr UINT ID_SHOW_TILEATTR = 32781;
constexpr UINT ID_SHOW_MAPATTR = 32782;
constexpr UINT ID_TEXT_COLOR = 32783;
constexpr UINT ID_EDIT_DELETE = 32784;
constexpr UINT ID_EDIT_PASTE_IN_PLACE = 32785;
constexpr UINT ID_EDIT_SELECT_ALL = 32786;
constexpr UINT ID_EDIT_SELECT_NONE = 32787;

// The map pane's tools, in the order of the tools menu, and its zoom.
constexpr UINT ID_TOOL_STAMP = 32800;
constexpr UINT ID_TOOL_ERASER = 32801;
constexpr UINT ID_TOOL_FILL = 32802;
constexpr UINT ID_TOOL_SELECT = 32803;
constexpr UINT ID_TOOL_PICKER = 32804;
constexpr UINT ID_VIEW_EDITBAR = 32805;  // the tools' toolbar
constexpr UINT ID_VIEW_ZOOM_IN = 32806;
constexpr UINT ID_VIEW_ZOOM_OUT = 32807;
constexpr UINT ID_VIEW_ZOOM_ACTUAL = 32808;
constexpr UINT ID_VIEW_ZOOM_FIT = 32809;
constexpr UINT IDR_EDITBAR = 136;  // the tools' toolbar resource

// The layer the tools paint, the attribute colours and the value palette.
constexpr UINT ID_LAYER_TILES = 32810;
constexpr UINT ID_LAYER_ATTRS = 32811;
constexpr UINT ID_SHOW_ATTRCOLOURS = 32812;
constexpr UINT ID_VIEW_ATTRVALUES = 32813;
constexpr UINT ID_TOOL_PENCIL = 32814;
constexpr UINT ID_TOOL_RANDOM = 32816;  // the tools paint the brush's entries drawn at random
// The shape tool, and the kinds of shape it draws.
constexpr UINT ID_TOOL_SHAPE = 32815;
constexpr UINT ID_SHAPE_RECT = 32817;
constexpr UINT ID_SHAPE_FILLED_RECT = 32818;
constexpr UINT ID_SHAPE_ELLIPSE = 32819;
constexpr UINT ID_SHAPE_FILLED_ELLIPSE = 32820;
constexpr UINT ID_VIEW_HISTORY = 32840;       // the history dock
constexpr UINT ID_VIEW_OVERVIEW_FIT = 32841;  // the whole map inside the overview pane
// The stamp library dock, and its number keys: store the brush in slot n
// (ID_STAMP_STORE_1 + n - 1), recall slot n (ID_STAMP_RECALL_1 + n - 1).
constexpr UINT ID_VIEW_STAMPS = 32850;
constexpr UINT ID_STAMP_STORE_1 = 32851;   // .. 32859
constexpr UINT ID_STAMP_RECALL_1 = 32861;  // .. 32869
// Auto-tiling rules.
constexpr UINT ID_RULES_APPLY = 32830;
constexpr UINT ID_AUTO_RULES = 32831;
constexpr UINT ID_VIEW_RULES = 32832;        // the rules dock ("자동 타일 규칙")
constexpr UINT ID_VIEW_RULES_CHECK = 32833;  // marks the cells that differ from the rules

// Registers the string table, menus, accelerators, toolbar and icon with
// the framework. Safe to call more than once.
void RegisterProgramResources();
