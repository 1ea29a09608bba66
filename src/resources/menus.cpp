// The main menu, the tile palette's pop-up menu and the accelerator table.
#include "resource.h"
#include "resources.h"

void RegisterProgramMenus()
{
    AfxRegisterMenu(IDR_MAINFRAME,
                    {
                        {"파일(&F)",
                         0,
                         {
                             {"새 파일(&N)\tCtrl+N", ID_FILE_NEW, {}},
                             {"맵 열기(&O)...\tCtrl+O", ID_FILE_OPEN, {}},
                             {"맵 저장(&S)\tCtrl+S", ID_FILE_SAVE, {}},
                             MenuItemDef::Separator(),
                             {"종료(&X)", ID_APP_EXIT, {}},
                         }},
                        {"편집(&E)",
                         0,
                         {
                             {"실행 취소(&U)\tCtrl+Z", ID_EDIT_UNDO, {}},
                             {"다시 실행(&R)\tCtrl+Y", ID_EDIT_REDO, {}},
                         }},
                        {"보기(&V)",
                         0,
                         {
                             {"도구 모음(&T)", ID_VIEW_TOOLBAR, {}},
                             {"상태 표시줄(&S)", ID_VIEW_STATUS_BAR, {}},
                         }},
                        {"도움말(&H)", 0, {{"Zell 정보(&A)...", ID_APP_ABOUT, {}}}},
                    });

    // The double blanks are part of the texts.
    AfxRegisterMenu(IDR_TILEPOPUP, {{"타일팝업메뉴",
                                     0,
                                     {
                                         {"타일 전체지우기", ID_TILE_ERASEALL, {}},
                                         {"선택 타일지우기", ID_TILE_ERASESEL, {}},
                                         MenuItemDef::Separator(),
                                         {"타일  정렬  갯수", ID_TILE_ARRANGE, {}},
                                         {"타일  속성  지정", ID_TILE_SETATTR, {}},
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
                                               {QKeySequence(Qt::Key_F6), ID_NEXT_PANE},
                                               {QKeySequence(Qt::SHIFT | Qt::Key_F6), ID_PREV_PANE},
                                           });
}
