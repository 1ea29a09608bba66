// The main menu, the tile palette's pop-up menu and the accelerator table.
#include "resource.h"
#include "resources.h"
#include "messagetext.h"

namespace {
// Ctrl+Alt+n stores the brush in the stamp library's slot n, Alt+n brings it back.
void RegisterStampSlotKeys()
{
    std::vector<AccelDef> keys = *AfxFindAccelerators(IDR_MAINFRAME);
    for (int slot = 1; slot <= 9; ++slot) {
        const auto digit = Qt::Key(Qt::Key_0 + slot);
        keys.push_back({QKeySequence(Qt::CTRL | Qt::ALT | digit), ID_STAMP_STORE_1 + UINT(slot - 1)});
        keys.push_back({QKeySequence(Qt::ALT | digit), ID_STAMP_RECALL_1 + UINT(slot - 1)});
    }
    AfxRegisterAccelerators(IDR_MAINFRAME, std::move(keys));
}
}  // namespace

void RegisterProgramMenus()
{
    AfxRegisterMenu(
        IDR_MAINFRAME,
        {
            {QT_TRANSLATE_NOOP("Pellin", "파일(&F)"),
             0,
             {
                 {QT_TRANSLATE_NOOP("Pellin", "새 파일(&N)\tCtrl+N"), ID_FILE_NEW, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "맵 열기(&O)...\tCtrl+O"), ID_FILE_OPEN, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "맵 저장(&S)\tCtrl+S"), ID_FILE_SAVE, {}},
                 MenuItemDef::Separator(),
                 {QT_TRANSLATE_NOOP("Pellin", "종료(&X)"), ID_APP_EXIT, {}},
             }},
            {QT_TRANSLATE_NOOP("Pellin", "편집(&E)"),
             0,
             {
                 {QT_TRANSLATE_NOOP("Pellin", "실행 취소(&U)\tCtrl+Z"), ID_EDIT_UNDO, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "다시 실행(&R)\tCtrl+Y"), ID_EDIT_REDO, {}},
                 MenuItemDef::Separator(),
                 {QT_TRANSLATE_NOOP("Pellin", "잘라내기(&T)\tCtrl+X"), ID_EDIT_CUT, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "복사(&C)\tCtrl+C"), ID_EDIT_COPY, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "붙여넣기(&P)\tCtrl+V"), ID_EDIT_PASTE, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "제자리에 붙여넣기(&L)\tCtrl+Shift+V"), ID_EDIT_PASTE_IN_PLACE, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "삭제(&D)\tDel"), ID_EDIT_DELETE, {}},
                 MenuItemDef::Separator(),
                 {QT_TRANSLATE_NOOP("Pellin", "모두 선택(&A)\tCtrl+A"), ID_EDIT_SELECT_ALL, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "선택 해제(&N)\tEsc"), ID_EDIT_SELECT_NONE, {}},
             }},
            {QT_TRANSLATE_NOOP("Pellin", "보기(&V)"),
             0,
             {
                 {QT_TRANSLATE_NOOP("Pellin", "도구 모음(&T)"), ID_VIEW_TOOLBAR, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "편집 도구 모음(&E)"), ID_VIEW_EDITBAR, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "상태 표시줄(&S)"), ID_VIEW_STATUS_BAR, {}},
                 MenuItemDef::Separator(),
                 {QT_TRANSLATE_NOOP("Pellin", "확대(&I)\tCtrl++"), ID_VIEW_ZOOM_IN, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "축소(&O)\tCtrl+-"), ID_VIEW_ZOOM_OUT, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "실제 크기(&A)\tCtrl+0"), ID_VIEW_ZOOM_ACTUAL, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "창에 맞추기(&W)"), ID_VIEW_ZOOM_FIT, {}},
                 MenuItemDef::Separator(),
                 {QT_TRANSLATE_NOOP("Pellin", "속성 색 보기(&C)"), ID_SHOW_ATTRCOLOURS, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "속성 값 창(&V)"), ID_VIEW_ATTRVALUES, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "작업 내역 창(&H)"), ID_VIEW_HISTORY, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "스탬프 모음 창"), ID_VIEW_STAMPS, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "개요 창에 맞추기(&M)"), ID_VIEW_OVERVIEW_FIT, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "자동 타일 규칙 창(&U)"), ID_VIEW_RULES, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "규칙 확인(&K)"), ID_VIEW_RULES_CHECK, {}},
             }},
            {QT_TRANSLATE_NOOP("Pellin", "도구(&T)"),
             0,
             {
                 {QT_TRANSLATE_NOOP("Pellin", "스탬프(&B)\tB"), ID_TOOL_STAMP, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "지우개(&E)\tE"), ID_TOOL_ERASER, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "채우기(&F)\tF"), ID_TOOL_FILL, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "사각형 선택(&R)\tR"), ID_TOOL_SELECT, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "스포이드(&I)\tI"), ID_TOOL_PICKER, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "연필(&P)\tP"), ID_TOOL_PENCIL, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "도형(&U)\tU"), ID_TOOL_SHAPE, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "무작위 칠하기(&M)\tD"), ID_TOOL_RANDOM, {}},
                 MenuItemDef::Separator(),
                 {QT_TRANSLATE_NOOP("Pellin", "타일 레이어(&1)\tCtrl+1"), ID_LAYER_TILES, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "속성 레이어(&2)\tCtrl+2"), ID_LAYER_ATTRS, {}},
                 MenuItemDef::Separator(),
                 {QT_TRANSLATE_NOOP("Pellin", "규칙 적용(&A)"), ID_RULES_APPLY, {}},
                 {QT_TRANSLATE_NOOP("Pellin", "자동 규칙(&O)"), ID_AUTO_RULES, {}},
             }},
            {QT_TRANSLATE_NOOP("Pellin", "도움말(&H)"),
             0,
             {{QT_TRANSLATE_NOOP("Pellin", "Zell 정보(&A)..."), ID_APP_ABOUT, {}}}},
        });

    // The double blanks are part of the texts.
    AfxRegisterMenu(IDR_TILEPOPUP, {{QT_TRANSLATE_NOOP("Pellin", "타일팝업메뉴"),
                                     0,
                                     {
                                         {QT_TRANSLATE_NOOP("Pellin", "타일 전체지우기"), ID_TILE_ERASEALL, {}},
                                         {QT_TRANSLATE_NOOP("Pellin", "선택 타일지우기"), ID_TILE_ERASESEL, {}},
                                         MenuItemDef::Separator(),
                                         {QT_TRANSLATE_NOOP("Pellin", "타일  정렬  갯수"), ID_TILE_ARRANGE, {}},
                                         {QT_TRANSLATE_NOOP("Pellin", "타일  속성  지정"), ID_TILE_SETATTR, {}},
                                     }}});

    AfxRegisterAccelerators(IDR_MAINFRAME, {
                                               {QKeySequence(Qt::CTRL | Qt::Key_N), ID_FILE_NEW},
                                               {QKeySequence(Qt::CTRL | Qt::Key_O), ID_FILE_OPEN},
                                               {QKeySequence(Qt::CTRL | Qt::Key_S), ID_FILE_SAVE},
                                               {QKeySequence(Qt::CTRL | Qt::Key_Z), ID_EDIT_UNDO},
                                               {QKeySequence(Qt::ALT | Qt::Key_Backspace), ID_EDIT_UNDO},
                                               {QKeySequence(Qt::CTRL | Qt::Key_Y), ID_EDIT_REDO},
                                               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), ID_EDIT_REDO},
                                               {QKeySequence(Qt::CTRL | Qt::Key_X), ID_EDIT_CUT},
                                               {QKeySequence(Qt::SHIFT | Qt::Key_Delete), ID_EDIT_CUT},
                                               {QKeySequence(Qt::CTRL | Qt::Key_C), ID_EDIT_COPY},
                                               {QKeySequence(Qt::CTRL | Qt::Key_Insert), ID_EDIT_COPY},
                                               {QKeySequence(Qt::CTRL | Qt::Key_V), ID_EDIT_PASTE},
                                               {QKeySequence(Qt::SHIFT | Qt::Key_Insert), ID_EDIT_PASTE},
                                               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), ID_EDIT_PASTE_IN_PLACE},
                                               {QKeySequence(Qt::Key_Delete), ID_EDIT_DELETE},
                                               {QKeySequence(Qt::CTRL | Qt::Key_A), ID_EDIT_SELECT_ALL},
                                               {QKeySequence(Qt::Key_Escape), ID_EDIT_SELECT_NONE},
                                               {QKeySequence(Qt::CTRL | Qt::Key_Plus), ID_VIEW_ZOOM_IN},
                                               {QKeySequence(Qt::CTRL | Qt::Key_Equal), ID_VIEW_ZOOM_IN},
                                               {QKeySequence(Qt::CTRL | Qt::Key_Minus), ID_VIEW_ZOOM_OUT},
                                               {QKeySequence(Qt::CTRL | Qt::Key_0), ID_VIEW_ZOOM_ACTUAL},
                                               {QKeySequence(Qt::Key_B), ID_TOOL_STAMP},
                                               {QKeySequence(Qt::Key_E), ID_TOOL_ERASER},
                                               {QKeySequence(Qt::Key_F), ID_TOOL_FILL},
                                               {QKeySequence(Qt::Key_R), ID_TOOL_SELECT},
                                               {QKeySequence(Qt::Key_I), ID_TOOL_PICKER},
                                               {QKeySequence(Qt::Key_P), ID_TOOL_PENCIL},
                                               {QKeySequence(Qt::Key_D), ID_TOOL_RANDOM},
                                               {QKeySequence(Qt::Key_U), ID_TOOL_SHAPE},
                                               {QKeySequence(Qt::CTRL | Qt::Key_1), ID_LAYER_TILES},
                                               {QKeySequence(Qt::CTRL | Qt::Key_2), ID_LAYER_ATTRS},
                                               {QKeySequence(Qt::Key_F6), ID_NEXT_PANE},
                                               {QKeySequence(Qt::SHIFT | Qt::Key_F6), ID_PREV_PANE},
                                           });
    RegisterStampSlotKeys();
}
