// zellmap import: a map made in Tiled (TMX) saved as a .Map file.
#include "commands.h"
#include "messagetext.h"
#include "mapinput.h"
#include "progress.h"
#include "toolsupport.h"

#include "imagingmessages.h"
#include "tmxread.h"

#include <cstdio>

const char* const kImportHelp =
    QT_TRANSLATE_NOOP("Pellin",
                      "사용법: zellmap import MAP.tmx -o OUT.Map\n"
                      "\n"
                      "Tiled의 TMX 맵을 맵 화일로 가져옵니다. export가 쓴 TMX를 가져오면 처음의\n"
                      "맵 화일과 바이트 하나까지 같은 화일이 됩니다.\n"
                      "  - 직교(orthogonal) 맵, 타일은 16, 24, 32, 64 픽셀의 정사각형\n"
                      "  - 타일셋 하나(TMX 안이나 .tsx 화일), 그 그림은 PNG나 BMP\n"
                      "  - 첫 타일 층의 칸: gid - 1 (0은 빈 칸), CSV나 base64(압축 없음, zlib,\n"
                      "    gzip, zstd)\n"
                      "  - 객체 층 \"map attributes\"의 정수 속성 attribute: 칸 속성\n"
                      "  - 타일의 정수 속성 attribute: 타일 속성\n"
                      "타일셋이나 타일 층이 여럿이거나, 뒤집은 타일이 있거나, 다른 모양의 맵이면\n"
                      "무엇이 맞지 않는지 표준 오류에 쓰고, 화일을 만들지 않고 1로 끝납니다.\n"
                      "\n"
                      "  -o, --output    저장할 맵 화일\n");

int RunImport(const Arguments& args)
{
    std::string error;
    const auto parsed = ParseArgs(args, {{"--output", true, "-o"}}, error);
    if (!parsed) return UsageError("import", error);
    if (parsed->positional.size() != 1)
        return UsageError("import", QT_TRANSLATE_NOOP("Pellin", "TMX 화일 하나를 주십시오"));
    const auto output = parsed->Value("--output");
    if (!output || output->empty()) return UsageError("import", QT_TRANSLATE_NOOP("Pellin", "-o MAP이 필요합니다"));

    LoadedMap map;
    TmxReadReport report;
    MapWriteResult result = MapWriteResult::Ok;
    {
        ProgressLine progress(QT_TRANSLATE_NOOP("Pellin", "TMX 맵을 가져오는 중"));
        report = ReadTmxFile(parsed->positional[0], map.content);
        if (report.result != TmxReadResult::Ok) return Fail(report.message);
        result = WriteMapFile(*output, MapSaveInput{&map.Map(), map.content.bitCount, map.content.colours.data()});
    }
    if (const char* message = MapWriteMessage(result)) return Fail(message);
    if (result != MapWriteResult::Ok) return kExitFailed;
    if (report.transparencyFlattened) std::printf("%s\n", TrMessage(kMsgTransparencyFlattened).c_str());
    const std::string made = TrFill(QT_TRANSLATE_NOOP("Pellin", "%1: 타일 %2개, 지도 %3 x %4 칸\n"),
                                    {*output, std::to_string(map.Tiles().GetCount()),
                                     std::to_string(map.Map().MapWidth()), std::to_string(map.Map().MapHeight())});
    std::fputs(made.c_str(), stdout);
    return kExitOk;
}
