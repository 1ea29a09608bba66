// The string table: the program's texts and the commands' prompts and
// tooltips ("prompt\ntooltip").
#include "wintypes.h"
#include "resource.h"
#include "resources.h"

namespace {
struct StringEntry {
    UINT id;
    const char* text;
};

const StringEntry kStrings[] = {
    {IDR_MAINFRAME, "Zell\n\nZell\n\n\nZell.Document\nZell Document"},
    {AFX_IDS_APP_TITLE, "Pellin Map Tool"},
    {AFX_IDS_IDLEMESSAGE, "준비"},
    {AFX_IDS_UNTITLED, "제목없음"},
    {AFX_IDP_FAILED_TO_CREATE_DOC, "빈 문서 작성 실패."},
    {ID_FILE_NEW, "새 문서를 작성합니다\n새 파일"},
    {ID_FILE_OPEN, "맵열기\n맵열기"},
    {ID_FILE_SAVE, "맵저장\n맵저장"},
    {ID_APP_ABOUT, "프로그램 정보와 버전 정보, 저작권 정보를 표시합니다\n정보"},
    {ID_EDIT_UNDO, "실행 취소\n실행 취소"},
    {ID_EDIT_REDO, "다시 실행\n다시 실행"},
    {ID_EDIT_CUT, "선택한 칸들을 클립보드로 옮기고 비웁니다\n잘라내기"},
    {ID_EDIT_COPY, "선택한 칸들을 클립보드에 복사합니다\n복사"},
    {ID_EDIT_PASTE, "클립보드의 칸들을 찍을 타일 블록으로 만듭니다\n붙여넣기"},
    {ID_EDIT_PASTE_IN_PLACE, "클립보드의 칸들을 복사한 자리에 속성과 함께 붙여넣습니다\n제자리에 붙여넣기"},
    {ID_EDIT_DELETE, "선택한 칸들을 비웁니다\n삭제"},
    {ID_EDIT_SELECT_ALL, "맵의 모든 칸을 선택합니다\n모두 선택"},
    {ID_EDIT_SELECT_NONE, "선택을 해제합니다\n선택 해제"},
    {ID_APP_EXIT, "응용 프로그램을 종료하기 위해 문서를 저장할 것인지 묻습니다\n종료"},
    {ID_NEXT_PANE, "다음 창으로 전환합니다\n다음 창"},
    {ID_PREV_PANE, "이전 창으로 전환합니다\n이전 창"},
    {ID_VIEW_TOOLBAR, "도구 모음을 보이거나 감춥니다\n도구 모음 설정/해제"},
    {ID_VIEW_STATUS_BAR, "상태 표시줄을 표시하거나 감춥니다\n상태 표시줄 설정/해제"},
    {ID_INDICATOR_EXT, "EXT"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
    {ID_INDICATOR_OVR, "OVR"},
    {ID_INDICATOR_REC, "REC"},
    {ID_OPEN_BITMAP, "Bitmap 열기\nBitmap 열기"},
    {ID_BITMAP_ALLTILES, "Bitmap전체타일선택\nBitmap전체타일선택"},
    {ID_TILE_ARRANGE, "타일 정렬\n타일정렬"},
    {ID_SHOW_PALETTEATTR, "타일 속성보기\n타일 속성보기"},
    {ID_TILE_ERASEALL, "타일 전체지우기\n타일 전체지우기"},
    {ID_TILE_ERASESEL, "선택된타일지우기\n선택된타일지우기"},
    {ID_SHOW_TILENUMBERS, "타일번호로를보여준다\n타일번호로를보여준다"},
    {ID_SHOW_TILEATTR, "타일속성을보기\n타일속성보기"},
    {ID_SHOW_MAPATTR, "맵속성을보기\n맵속성보기"},
    {ID_TILE_FILLALL, "타일전체채우기\n타일전체채우기"},
    {ID_TEXT_COLOR, "글자색상\n글자색상"},
    {ID_TOOL_STAMP, "스탬프: 고른 타일 블록을 맵에 찍습니다 (블록이 없으면 맵 속성을 지정합니다)\n스탬프 (B)"},
    {ID_TOOL_ERASER, "지우개: 지나가는 칸의 타일을 비웁니다\n지우개 (E)"},
    {ID_TOOL_FILL, "채우기: 같은 타일이 이어진 영역을 고른 블록으로 채웁니다 (Shift: 맵 전체)\n채우기 (F)"},
    {ID_TOOL_SELECT, "사각형 선택: 칸들을 선택하고, 선택 안에서 끌면 옮깁니다\n사각형 선택 (R)"},
    {ID_TOOL_PICKER, "스포이드: 맵의 칸들을 타일 블록으로 집습니다\n스포이드 (I)"},
    {ID_TOOL_PENCIL, "연필: 끄는 동안 지나가는 칸마다 고른 블록을 칠합니다 (Shift+클릭: 마지막 칸부터 직선)\n연필 (P)"},
    {ID_TOOL_RANDOM, "무작위 칠하기: 칠하는 칸마다 블록의 타일 하나를 무작위로 고릅니다\n무작위 칠하기 (D)"},
    {ID_TOOL_SHAPE,
     "도형: 모서리에서 모서리로 끌어 사각형이나 타원을 그립니다 (Shift: 정사각형/원, Ctrl: 가운데에서, U: 다음 "
     "모양)\n도형 (U)"},
    {ID_SHAPE_RECT, "도형 도구로 사각형을 그립니다\n사각형"},
    {ID_SHAPE_FILLED_RECT, "도형 도구로 채운 사각형을 그립니다\n채운 사각형"},
    {ID_SHAPE_ELLIPSE, "도형 도구로 타원을 그립니다\n타원"},
    {ID_SHAPE_FILLED_ELLIPSE, "도형 도구로 채운 타원을 그립니다\n채운 타원"},
    {ID_VIEW_EDITBAR, "편집 도구 모음을 보이거나 감춥니다\n편집 도구 모음 설정/해제"},
    {ID_VIEW_ZOOM_IN, "맵을 확대합니다\n확대"},
    {ID_VIEW_ZOOM_OUT, "맵을 축소합니다\n축소"},
    {ID_VIEW_ZOOM_ACTUAL, "맵을 실제 크기로 봅니다\n실제 크기"},
    {ID_VIEW_ZOOM_FIT, "맵 전체를 창에 맞춥니다\n창에 맞추기"},
    {ID_LAYER_TILES, "도구가 타일을 칠합니다\n타일 레이어 (Ctrl+1)"},
    {ID_LAYER_ATTRS, "도구가 맵 속성을 현재 값으로 칠합니다\n속성 레이어 (Ctrl+2)"},
    {ID_SHOW_ATTRCOLOURS, "속성이 있는 칸을 그 값의 색으로 물들여 보입니다\n속성 색 보기"},
    {ID_RULES_APPLY, "자동 타일 규칙을 선택 영역에, 선택이 없으면 맵 전체에 적용합니다\n규칙 적용"},
    {ID_AUTO_RULES, "속성을 칠할 때마다 바뀐 칸 둘레에 자동 타일 규칙을 다시 적용합니다\n자동 규칙"},
    {ID_VIEW_ATTRVALUES, "속성 값 창을 보이거나 감춥니다\n속성 값 창 설정/해제"},
    {ID_VIEW_HISTORY, "작업 내역 창을 보이거나 감춥니다\n작업 내역 창 설정/해제"},
    {ID_VIEW_STAMPS, "스탬프 모음 창을 보이거나 감춥니다\n스탬프 모음 창 설정/해제"},
    {ID_STAMP_STORE_1, "지금의 브러시를 스탬프 모음의 1번 자리에 넣습니다\n1번 자리에 넣기 (Ctrl+Alt+1)"},
    {ID_STAMP_STORE_1 + 1, "지금의 브러시를 스탬프 모음의 2번 자리에 넣습니다\n2번 자리에 넣기 (Ctrl+Alt+2)"},
    {ID_STAMP_STORE_1 + 2, "지금의 브러시를 스탬프 모음의 3번 자리에 넣습니다\n3번 자리에 넣기 (Ctrl+Alt+3)"},
    {ID_STAMP_STORE_1 + 3, "지금의 브러시를 스탬프 모음의 4번 자리에 넣습니다\n4번 자리에 넣기 (Ctrl+Alt+4)"},
    {ID_STAMP_STORE_1 + 4, "지금의 브러시를 스탬프 모음의 5번 자리에 넣습니다\n5번 자리에 넣기 (Ctrl+Alt+5)"},
    {ID_STAMP_STORE_1 + 5, "지금의 브러시를 스탬프 모음의 6번 자리에 넣습니다\n6번 자리에 넣기 (Ctrl+Alt+6)"},
    {ID_STAMP_STORE_1 + 6, "지금의 브러시를 스탬프 모음의 7번 자리에 넣습니다\n7번 자리에 넣기 (Ctrl+Alt+7)"},
    {ID_STAMP_STORE_1 + 7, "지금의 브러시를 스탬프 모음의 8번 자리에 넣습니다\n8번 자리에 넣기 (Ctrl+Alt+8)"},
    {ID_STAMP_STORE_1 + 8, "지금의 브러시를 스탬프 모음의 9번 자리에 넣습니다\n9번 자리에 넣기 (Ctrl+Alt+9)"},
    {ID_STAMP_RECALL_1, "스탬프 모음의 1번 자리의 스탬프를 브러시로 씁니다\n1번 자리 불러오기 (Alt+1)"},
    {ID_STAMP_RECALL_1 + 1, "스탬프 모음의 2번 자리의 스탬프를 브러시로 씁니다\n2번 자리 불러오기 (Alt+2)"},
    {ID_STAMP_RECALL_1 + 2, "스탬프 모음의 3번 자리의 스탬프를 브러시로 씁니다\n3번 자리 불러오기 (Alt+3)"},
    {ID_STAMP_RECALL_1 + 3, "스탬프 모음의 4번 자리의 스탬프를 브러시로 씁니다\n4번 자리 불러오기 (Alt+4)"},
    {ID_STAMP_RECALL_1 + 4, "스탬프 모음의 5번 자리의 스탬프를 브러시로 씁니다\n5번 자리 불러오기 (Alt+5)"},
    {ID_STAMP_RECALL_1 + 5, "스탬프 모음의 6번 자리의 스탬프를 브러시로 씁니다\n6번 자리 불러오기 (Alt+6)"},
    {ID_STAMP_RECALL_1 + 6, "스탬프 모음의 7번 자리의 스탬프를 브러시로 씁니다\n7번 자리 불러오기 (Alt+7)"},
    {ID_STAMP_RECALL_1 + 7, "스탬프 모음의 8번 자리의 스탬프를 브러시로 씁니다\n8번 자리 불러오기 (Alt+8)"},
    {ID_STAMP_RECALL_1 + 8, "스탬프 모음의 9번 자리의 스탬프를 브러시로 씁니다\n9번 자리 불러오기 (Alt+9)"},
    {ID_VIEW_RULES, "자동 타일 규칙 창을 보이거나 감춥니다\n자동 타일 규칙 창 설정/해제"},
    {ID_VIEW_RULES_CHECK, "규칙이 지금과 다른 타일을 줄 칸을 맵에 표시합니다\n규칙 확인"},
    {ID_VIEW_OVERVIEW_FIT, "개요 창에 맵 전체를 맞추어 보여 줍니다\n개요 창에 맞추기"},
    // The framework's data exchange messages.
    {61712, "정수를 입력하십시오."},
    {61714, "%1와(과) %2 사이의 정수를 입력하십시오."},
    {61718, "0 에서 255 사이의 정수를 입력하십시오."},
    {61719, "양의 정수를 입력하십시오."},
};
}  // namespace

void RegisterProgramStrings()
{
    for (const StringEntry& entry : kStrings) AfxRegisterString(entry.id, entry.text);
}
