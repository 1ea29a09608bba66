// Command and window ids that the framework itself defines and handles.
#pragma once

#include "wintypes.h"

constexpr UINT ID_SEPARATOR = 0;
constexpr UINT ID_FILE_NEW = 57600;
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_FILE_SAVE = 57603;
constexpr UINT ID_EDIT_COPY = 57634;
constexpr UINT ID_EDIT_CUT = 57635;
constexpr UINT ID_EDIT_PASTE = 57637;
constexpr UINT ID_EDIT_UNDO = 57643;
constexpr UINT ID_EDIT_REDO = 57644;
constexpr UINT ID_APP_ABOUT = 57664;
constexpr UINT ID_APP_EXIT = 57665;
constexpr UINT ID_NEXT_PANE = 57680;
constexpr UINT ID_PREV_PANE = 57681;
constexpr UINT ID_INDICATOR_EXT = 59136;
constexpr UINT ID_INDICATOR_CAPS = 59137;
constexpr UINT ID_INDICATOR_NUM = 59138;
constexpr UINT ID_INDICATOR_SCRL = 59139;
constexpr UINT ID_INDICATOR_OVR = 59140;
constexpr UINT ID_INDICATOR_REC = 59141;
constexpr UINT AFX_IDW_TOOLBAR = 59392;
constexpr UINT AFX_IDW_STATUS_BAR = 59393;
constexpr UINT ID_VIEW_TOOLBAR = AFX_IDW_TOOLBAR;
constexpr UINT ID_VIEW_STATUS_BAR = AFX_IDW_STATUS_BAR;
constexpr UINT AFX_IDW_PANE_FIRST = 59648;

// Strings the framework itself shows.
constexpr UINT AFX_IDS_APP_TITLE = 57344;
constexpr UINT AFX_IDS_IDLEMESSAGE = 57345;
constexpr UINT AFX_IDS_UNTITLED = 61443;
constexpr UINT AFX_IDP_FAILED_TO_CREATE_DOC = 61700;
