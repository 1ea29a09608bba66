// zellmap render: the map picture as the map view draws it (scale 1) or as
// the overview shows it (scale 2), written as PNG or BMP.
#include "bandrender.h"
#include "messagetext.h"
#include "commands.h"
#include "imagesink.h"
#include "mapinput.h"
#include "outputfile.h"
#include "overlay.h"
#include "progress.h"
#include "toolsupport.h"

#include <cstdio>
#include <memory>

const char* const kRenderHelp =
    QT_TRANSLATE_NOOP("Pellin",
                      "사용법: zellmap render MAP -o IMAGE [--scale 1|2] [--overlay KIND]\n"
                      "                       [--text-color RRGGBB] [--no-grid]\n"
                      "\n"
                      "맵 보기가 그리는 그대로 맵 그림을 만듭니다: 타일은 1:1로, 빈 칸과 없는\n"
                      "타일을 가리키는 칸은 회색 점선 테두리의 흰 칸으로. 그림의 종류는 IMAGE의\n"
                      "확장자(.png 또는 .bmp)로 정합니다. 큰 맵도 띠 단위로 그려 쓰므로 맵 전체\n"
                      "그림을 메모리에 두지 않습니다.\n"
                      "\n"
                      "  -o, --output        쓸 그림 화일 (.png, .bmp)\n"
                      "  --scale 1|2         1: 맵 크기 그대로(기본), 2: 전체 맵 창의 절반 크기\n"
                      "                      ((픽셀 / 10) x 5, 겹치는 원본 픽셀의 AND)\n"
                      "  --overlay KIND      칸 왼쪽 위에 맵 보기처럼 글자를 씁니다 (--scale 1에서만):\n"
                      "                      numbers (타일 번호), tile-attributes (타일 속성),\n"
                      "                      map-attributes (맵 속성); 값이 없는 칸은 X\n"
                      "  --text-color RRGGBB 글자 색 (16진수, 기본 000000 검정)\n"
                      "  --no-grid           빈 칸을 점선 없이 흰색으로 둡니다\n"
                      "\n"
                      "맵을 읽지 못하면 편집기의 메시지를 표준 오류에 쓰고 1로 끝납니다. 너무 큰\n"
                      "맵은 \"화면을 만들수 없습니다\"로 끝납니다.\n");

namespace {

// The map view's message when its map image cannot be made.
constexpr const char* kMsgCannotMakeScreen = QT_TRANSLATE_NOOP("Pellin", "화면을 만들수 없습니다");

std::optional<COLORREF> ParseColour(std::string text)
{
    if (!text.empty() && text[0] == '#') text.erase(0, 1);
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return std::nullopt;
    const unsigned long value = std::stoul(text, nullptr, 16);
    return RGB(BYTE(value >> 16), BYTE(value >> 8), BYTE(value));
}

}  // namespace

int RunRender(const Arguments& args)
{
    std::string error;
    const auto parsed = ParseArgs(
        args, {{"--output", true, "-o"}, {"--scale", true}, {"--overlay", true}, {"--text-color", true}, {"--no-grid"}},
        error);
    if (!parsed) return UsageError("render", error);
    if (parsed->positional.size() != 1)
        return UsageError("render", QT_TRANSLATE_NOOP("Pellin", "맵 화일 하나를 주십시오"));
    const auto output = parsed->Value("--output");
    if (!output || output->empty()) return UsageError("render", QT_TRANSLATE_NOOP("Pellin", "-o IMAGE가 필요합니다"));
    const auto format = ImageFormatForPath(*output);
    if (!format)
        return UsageError("render", QT_TRANSLATE_NOOP("Pellin", "그림 화일의 확장자는 .png 또는 .bmp여야 합니다"));

    RenderSettings settings;
    if (const auto scale = parsed->Value("--scale")) {
        if (*scale != "1" && *scale != "2")
            return UsageError("render", QT_TRANSLATE_NOOP("Pellin", "--scale은 1 또는 2입니다"));
        settings.scale = *scale == "2" ? 2 : 1;
    }
    settings.grid = !parsed->Has("--no-grid");
    std::optional<OverlayKind> overlay;
    if (const auto name = parsed->Value("--overlay")) {
        overlay = OverlayKindFromName(*name);
        if (!overlay)
            return UsageError(
                "render",
                QT_TRANSLATE_NOOP("Pellin", "--overlay는 numbers, tile-attributes, map-attributes 중 하나입니다"));
        // The overview never shows the numbers.
        if (settings.scale != 1)
            return UsageError("render", QT_TRANSLATE_NOOP("Pellin", "--overlay는 --scale 1에서만 쓸 수 있습니다"));
    }
    COLORREF colour = RGB(0, 0, 0);
    if (const auto text = parsed->Value("--text-color")) {
        const auto parsedColour = ParseColour(*text);
        if (!parsedColour)
            return UsageError("render", QT_TRANSLATE_NOOP("Pellin", "--text-color는 RRGGBB 꼴의 16진수입니다"));
        colour = *parsedColour;
    }

    LoadedMap map;
    if (LoadMapForTool(parsed->positional[0], map) != MapReadResult::Ok) return kExitFailed;
    const CMapModel& source = map.Map();
    if (CheckRender(source, settings) != RenderResult::Ok) return Fail(kMsgCannotMakeScreen);
    const auto size = RenderedSize(source, settings.scale);

    OutputFile file(*output);
    if (!file.Open()) return Fail(TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n그림 화일을 만들 수 없습니다"), {*output}));
    auto sink = MakeImageSink(*format, file.Stream(), size->width, size->height, error);
    if (!sink) return Fail(error);

    std::unique_ptr<OverlayPrinter> printer;
    BandDecorator decorate;
    if (overlay) {
        printer = std::make_unique<OverlayPrinter>(map, *overlay, colour);
        decorate = [&printer](const MapPixels& band) { printer->Decorate(band); };
    }
    ProgressLine progress(QT_TRANSLATE_NOOP("Pellin", "그림을 그리는 중"));
    settings.progress = [&progress](std::int64_t done, std::int64_t total) { progress.Update(done, total); };
    switch (RenderMapPicture(source, settings, decorate, *sink)) {
    case RenderResult::Ok: break;
    case RenderResult::NoPicture:
    case RenderResult::TooLarge: return Fail(kMsgCannotMakeScreen);
    case RenderResult::WriteFailed:
        return Fail(TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n그림 화일을 쓸 수 없습니다"), {*output}));
    }
    if (!file.Commit()) return Fail(TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n그림 화일을 쓸 수 없습니다"), {*output}));
    return kExitOk;
}
