// The string table: the program's texts and the commands' prompts and
// tooltips ("prompt\ntooltip").
#include "wintypes.h"
#include "resource.h"
#include "resources.h"
#include "messagetext.h"

namespace {
struct StringEntry {
    UINT id;
    const char* text;
};

const StringEntry kStrings[] = {
    {IDR_MAINFRAME, "Zell\n\nZell\n\n\nZell.Document\nZell Document"},
    {AFX_IDS_APP_TITLE, "Pellin Map Tool"},
    {AFX_IDS_IDLEMESSAGE, QT_TRANSLATE_NOOP("Pellin", "준비")},
    {AFX_IDS_UNTITLED, QT_TRANSLATE_NOOP("Pellin", "제목없음")},
    {AFX_IDP_FAILED_TO_CREATE_DOC, QT_TRANSLATE_NOOP("Pellin", "빈 문서 작성 실패.")},
    {ID_FILE_NEW, QT_TRANSLATE_NOOP("Pellin", "새 문서를 작성합니다\n새 파일")},
    {ID_FILE_OPEN, QT_TRANSLATE_NOOP("Pellin", "맵열기\n맵열기")},
    {ID_FILE_SAVE, QT_TRANSLATE_NOOP("Pellin", "맵저장\n맵저장")},
    {ID_APP_ABOUT, QT_TRANSLATE_NOOP("Pellin", "프로그램 정보와 버전 정보, 저작권 정보를 표시합니다\n정보")},
    {ID_EDIT_UNDO, QT_TRANSLATE_NOOP("Pellin", "실행 취소\n실행 취소")},
    {ID_EDIT_REDO, QT_TRANSLATE_NOOP("Pellin", "다시 실행\n다시 실행")},
    {ID_EDIT_CUT, QT_TRANSLATE_NOOP("Pellin", "선택한 칸들을 클립보드로 옮기고 비웁니다\n잘라내기")},
    {ID_EDIT_COPY, QT_TRANSLATE_NOOP("Pellin", "선택한 칸들을 클립보드에 복사합니다\n복사")},
    {ID_EDIT_PASTE, QT_TRANSLATE_NOOP("Pellin", "클립보드의 칸들을 찍을 타일 블록으로 만듭니다\n붙여넣기")},
    {ID_EDIT_PASTE_IN_PLACE,
     QT_TRANSLATE_NOOP("Pellin", "클립보드의 칸들을 복사한 자리에 속성과 함께 붙여넣습니다\n제자리에 붙여넣기")},
    {ID_EDIT_DELETE, QT_TRANSLATE_NOOP("Pellin", "선택한 칸들을 비웁니다\n삭제")},
    {ID_EDIT_SELECT_ALL, QT_TRANSLATE_NOOP("Pellin", "맵의 모든 칸을 선택합니다\n모두 선택")},
    {ID_EDIT_SELECT_NONE, QT_TRANSLATE_NOOP("Pellin", "선택을 해제합니다\n선택 해제")},
    {ID_APP_EXIT, QT_TRANSLATE_NOOP("Pellin", "응용 프로그램을 종료하기 위해 문서를 저장할 것인지 묻습니다\n종료")},
    {ID_NEXT_PANE, QT_TRANSLATE_NOOP("Pellin", "다음 창으로 전환합니다\n다음 창")},
    {ID_PREV_PANE, QT_TRANSLATE_NOOP("Pellin", "이전 창으로 전환합니다\n이전 창")},
    {ID_VIEW_TOOLBAR, QT_TRANSLATE_NOOP("Pellin", "도구 모음을 보이거나 감춥니다\n도구 모음 설정/해제")},
    {ID_VIEW_STATUS_BAR, QT_TRANSLATE_NOOP("Pellin", "상태 표시줄을 표시하거나 감춥니다\n상태 표시줄 설정/해제")},
    {ID_INDICATOR_EXT, "EXT"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
    {ID_INDICATOR_OVR, "OVR"},
    {ID_INDICATOR_REC, "REC"},
    {ID_OPEN_BITMAP, QT_TRANSLATE_NOOP("Pellin", "Bitmap 열기\nBitmap 열기")},
    {ID_BITMAP_ALLTILES, QT_TRANSLATE_NOOP("Pellin", "Bitmap전체타일선택\nBitmap전체타일선택")},
    {ID_TILE_ARRANGE, QT_TRANSLATE_NOOP("Pellin", "타일 정렬\n타일정렬")},
    {ID_SHOW_PALETTEATTR, QT_TRANSLATE_NOOP("Pellin", "타일 속성보기\n타일 속성보기")},
    {ID_TILE_ERASEALL, QT_TRANSLATE_NOOP("Pellin", "타일 전체지우기\n타일 전체지우기")},
    {ID_TILE_ERASESEL, QT_TRANSLATE_NOOP("Pellin", "선택된타일지우기\n선택된타일지우기")},
    {ID_SHOW_TILENUMBERS, QT_TRANSLATE_NOOP("Pellin", "타일번호로를보여준다\n타일번호로를보여준다")},
    {ID_SHOW_TILEATTR, QT_TRANSLATE_NOOP("Pellin", "타일속성을보기\n타일속성보기")},
    {ID_SHOW_MAPATTR, QT_TRANSLATE_NOOP("Pellin", "맵속성을보기\n맵속성보기")},
    {ID_TILE_FILLALL, QT_TRANSLATE_NOOP("Pellin", "타일전체채우기\n타일전체채우기")},
    {ID_TEXT_COLOR, QT_TRANSLATE_NOOP("Pellin", "글자색상\n글자색상")},
    {ID_TOOL_STAMP,
     QT_TRANSLATE_NOOP("Pellin",
                       "스탬프: 고른 타일 블록을 맵에 찍습니다 (블록이 없으면 맵 속성을 지정합니다)\n스탬프 (B)")},
    {ID_TOOL_ERASER, QT_TRANSLATE_NOOP("Pellin", "지우개: 지나가는 칸의 타일을 비웁니다\n지우개 (E)")},
    {ID_TOOL_FILL,
     QT_TRANSLATE_NOOP("Pellin",
                       "채우기: 같은 타일이 이어진 영역을 고른 블록으로 채웁니다 (Shift: 맵 전체)\n채우기 (F)")},
    {ID_TOOL_SELECT,
     QT_TRANSLATE_NOOP("Pellin", "사각형 선택: 칸들을 선택하고, 선택 안에서 끌면 옮깁니다\n사각형 선택 (R)")},
    {ID_TOOL_PICKER, QT_TRANSLATE_NOOP("Pellin", "스포이드: 맵의 칸들을 타일 블록으로 집습니다\n스포이드 (I)")},
    {ID_VIEW_EDITBAR, QT_TRANSLATE_NOOP("Pellin", "편집 도구 모음을 보이거나 감춥니다\n편집 도구 모음 설정/해제")},
    {ID_VIEW_ZOOM_IN, QT_TRANSLATE_NOOP("Pellin", "맵을 확대합니다\n확대")},
    {ID_VIEW_ZOOM_OUT, QT_TRANSLATE_NOOP("Pellin", "맵을 축소합니다\n축소")},
    {ID_VIEW_ZOOM_ACTUAL, QT_TRANSLATE_NOOP("Pellin", "맵을 실제 크기로 봅니다\n실제 크기")},
    {ID_VIEW_ZOOM_FIT, QT_TRANSLATE_NOOP("Pellin", "맵 전체를 창에 맞춥니다\n창에 맞추기")},
    {ID_LAYER_TILES, QT_TRANSLATE_NOOP("Pellin", "도구가 타일을 칠합니다\n타일 레이어 (Ctrl+1)")},
    {ID_LAYER_ATTRS, QT_TRANSLATE_NOOP("Pellin", "도구가 맵 속성을 현재 값으로 칠합니다\n속성 레이어 (Ctrl+2)")},
    {ID_SHOW_ATTRCOLOURS, QT_TRANSLATE_NOOP("Pellin", "속성이 있는 칸을 그 값의 색으로 물들여 보입니다\n속성 색 보기")},
    {ID_RULES_APPLY,
     QT_TRANSLATE_NOOP("Pellin", "자동 타일 규칙을 선택 영역에, 선택이 없으면 맵 전체에 적용합니다\n규칙 적용")},
    {ID_AUTO_RULES,
     QT_TRANSLATE_NOOP("Pellin", "속성을 칠할 때마다 바뀐 칸 둘레에 자동 타일 규칙을 다시 적용합니다\n자동 규칙")},
    {ID_VIEW_ATTRVALUES, QT_TRANSLATE_NOOP("Pellin", "속성 값 창을 보이거나 감춥니다\n속성 값 창 설정/해제")},
    {ID_VIEW_HISTORY, QT_TRANSLATE_NOOP("Pellin", "작업 내역 창을 보이거나 감춥니다\n작업 내역 창 설정/해제")},
    {ID_VIEW_OVERVIEW_FIT, QT_TRANSLATE_NOOP("Pellin", "개요 창에 맵 전체를 맞추어 보여 줍니다\n개요 창에 맞추기")},
    // The framework's data exchange messages.
    {61712, QT_TRANSLATE_NOOP("Pellin", "정수를 입력하십시오.")},
    {61714, QT_TRANSLATE_NOOP("Pellin", "%1와(과) %2 사이의 정수를 입력하십시오.")},
    {61718, QT_TRANSLATE_NOOP("Pellin", "0 에서 255 사이의 정수를 입력하십시오.")},
    {61719, QT_TRANSLATE_NOOP("Pellin", "양의 정수를 입력하십시오.")},
};
}  // namespace

void RegisterProgramStrings()
{
    for (const StringEntry& entry : kStrings) AfxRegisterString(entry.id, entry.text);
}
