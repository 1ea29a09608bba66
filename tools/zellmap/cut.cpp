// zellmap cut: the map the editor saves after New (tile N x N, map W x H),
// Open Bitmap, cutting the whole bitmap, and Save.
#include "commands.h"
#include "messagetext.h"
#include "progress.h"
#include "toolsupport.h"

#include "celllayers.h"
#include "dib.h"
#include "imagingmessages.h"
#include "mapfile.h"
#include "tilecut.h"

#include <climits>
#include <cstdio>
#include <optional>

const char* const kCutHelp =
    QT_TRANSLATE_NOOP("Pellin",
                      "사용법: zellmap cut BITMAP --tile N [--map WxH] -o MAP\n"
                      "\n"
                      "편집기에서 새 파일(타일 N x N, 지도 W x H), Bitmap 열기, Bitmap전체타일선택,\n"
                      "맵 저장을 차례로 한 것과 바이트 하나까지 같은 맵 화일을 만듭니다. 모든 칸은\n"
                      "비어 있고(-1) 속성은 0입니다.\n"
                      "\n"
                      "  --tile N        타일 크기: 16, 24, 32, 64 (새 지도 작성 대화상자의 크기)\n"
                      "  --map WxH       지도 크기(칸), 기본 20x15\n"
                      "  -o, --output    저장할 맵 화일\n"
                      "\n"
                      "그림은 .bmp(8, 16, 24비트)나 .png입니다. PNG는 팔레트 그림과 회색 그림이\n"
                      "8비트, 트루컬러가 24비트가 되고, 투명한 부분은 검은색으로 채워집니다(그러면\n"
                      "그렇다고 알립니다). 실패하면 편집기의 메시지를 표준 오류에 쓰고, 화일을\n"
                      "만들지 않고 1로 끝납니다.\n");

namespace {

// One count of the new-map dialog: an unsigned 32-bit number, which the
// document keeps as an int (a larger one stays the largest int).
std::optional<int> MapCount(const std::string& text)
{
    const auto value = ParseInteger(text, 0, UINT_MAX);
    if (!value || text[0] == '-') return std::nullopt;
    return *value > INT_MAX ? INT_MAX : int(*value);
}

bool ParseMapSize(const std::string& text, int& width, int& height)
{
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    const auto w = MapCount(text.substr(0, x));
    const auto h = MapCount(text.substr(x + 1));
    if (!w || !h) return false;
    width = *w;
    height = *h;
    return true;
}

}  // namespace

int RunCut(const Arguments& args)
{
    std::string error;
    const auto parsed = ParseArgs(args, {{"--tile", true}, {"--map", true}, {"--output", true, "-o"}}, error);
    if (!parsed) return UsageError("cut", error);
    if (parsed->positional.size() != 1)
        return UsageError("cut", QT_TRANSLATE_NOOP("Pellin", "비트맵 화일 하나를 주십시오"));
    const auto tileText = parsed->Value("--tile");
    const auto output = parsed->Value("--output");
    if (!tileText) return UsageError("cut", QT_TRANSLATE_NOOP("Pellin", "--tile N이 필요합니다"));
    if (!output || output->empty()) return UsageError("cut", QT_TRANSLATE_NOOP("Pellin", "-o MAP이 필요합니다"));
    const auto tile = ParseInteger(*tileText, 1, 255);
    if (!tile || (*tile != 16 && *tile != 24 && *tile != 32 && *tile != 64))
        return UsageError("cut", QT_TRANSLATE_NOOP("Pellin", "타일 크기는 16, 24, 32, 64 중 하나여야 합니다"));
    int mapWidth = 20;
    int mapHeight = 15;
    if (const auto size = parsed->Value("--map"); size && !ParseMapSize(*size, mapWidth, mapHeight))
        return UsageError("cut", QT_TRANSLATE_NOOP("Pellin", "--map은 W x H 꼴의 양의 정수여야 합니다 (예: 20x15)"));

    // New: the map view makes both layers at the new size, or says it cannot.
    if (!LayerCellCount(mapWidth, mapHeight)) return Fail(kMsgMapTooLarge);

    // Open Bitmap: a bitmap that cannot be loaded says why.
    CDib dib;
    if (const ImagingResult loaded = dib.Load(parsed->positional[0]); !loaded) return Fail(loaded.message);

    // New: the fresh map's cells are all empty, without attributes.
    CMapModel map;
    map.m_nTileWidth = BYTE(*tile);
    map.m_nTileHeight = BYTE(*tile);
    if (const char* message = LayerAllocMessage(map.m_cells.Create(mapWidth, mapHeight))) return Fail(message);

    std::optional<ProgressLine> progress(std::in_place, QT_TRANSLATE_NOOP("Pellin", "타일로 자르는 중"));
    // Cut whole: a bitmap that cannot be cut says so once.
    const BitmapCutResult cut = CutWholeBitmap(dib, int(*tile), int(*tile), map.m_tileList);
    if (!cut) return Fail(cut.message);

    MapSaveInput input;
    input.map = &map;
    input.bitmapBitCount = dib.GetBitCount();
    input.bitmapColours = dib.GetBitCount() == 8 ? dib.m_pColors : nullptr;
    const MapWriteResult result = WriteMapFile(*output, input);
    progress.reset();
    if (const char* message = MapWriteMessage(result)) return Fail(message);
    if (result != MapWriteResult::Ok) return kExitFailed;
    if (dib.TransparencyWasFlattened()) std::printf("%s\n", TrMessage(kMsgTransparencyFlattened).c_str());
    const std::string made =
        TrFill(QT_TRANSLATE_NOOP("Pellin", "%1: 타일 %2개, 지도 %3 x %4 칸\n"),
               {*output, std::to_string(cut.appended), std::to_string(mapWidth), std::to_string(mapHeight)});
    std::fputs(made.c_str(), stdout);
    return kExitOk;
}
