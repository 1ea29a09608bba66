// zellmap stamps: the user's stamp library, one line a stamp, and with a
// map whether its tile set can paint each one.
#include "commands.h"
#include "messagetext.h"
#include "mapinput.h"
#include "toolsupport.h"

#include "stamplibrary.h"

#include <cstdio>

const char* const kStampsHelp =
    QT_TRANSLATE_NOOP("Pellin",
                      "사용법: zellmap stamps [--map MAP] [--file STAMPS]\n"
                      "\n"
                      "편집기의 스탬프 모음을 한 줄에 스탬프 하나씩 보여 줍니다: 이름, 크기(칸),\n"
                      "변형 수, 숫자 키 자리. 스탬프는 타일을 그림으로 가리키므로 어느 맵에서나 씁니다.\n"
                      "\n"
                      "  --map MAP      그 맵의 타일 세트로 스탬프마다 쓸 수 있는지(\"사용 가능\"),\n"
                      "                 아니면 없는 타일 수(\"타일 N개 없음\")를 덧붙입니다\n"
                      "  --file STAMPS  스탬프 모음 화일 (기본: $XDG_DATA_HOME/pellin-map-tool/stamps.json,\n"
                      "                 또는 ~/.local/share/pellin-map-tool/stamps.json)\n"
                      "\n"
                      "손상된 스탬프 모음 화일은 읽지 않고 그대로 두며 1로 끝납니다.\n");

int RunStamps(const Arguments& args)
{
    std::string error;
    const auto parsed = ParseArgs(args, {{"--map", true}, {"--file", true}}, error);
    if (!parsed) return UsageError("stamps", error);
    if (!parsed->positional.empty()) return UsageError("stamps", QT_TRANSLATE_NOOP("Pellin", "인수가 너무 많습니다"));
    const std::string path = parsed->Value("--file").value_or(DefaultStampLibraryPath());

    LoadedMap map;
    const auto mapPath = parsed->Value("--map");
    if (mapPath && LoadMapForTool(*mapPath, map) != MapReadResult::Ok) return kExitFailed;

    // Only read here: a damaged file is left where it is for the editor to set aside.
    StampLibrary library;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::string text;
        char buffer[65536];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, got);
        std::fclose(file);
        auto read = StampLibraryFromJson(text);
        if (!read) return Fail(TrFill(QT_TRANSLATE_NOOP("Pellin", "스탬프 모음 화일이 손상되었습니다: %1"), {path}));
        library = std::move(*read);
    }
    for (const Stamp& stamp : library.stamps) {
        const PictureBlock& block = stamp.variations.front().block;
        std::printf("%s\t%d x %d", stamp.name.c_str(), block.cols, block.rows);
        if (stamp.variations.size() > 1)
            std::fputs(
                TrFill(QT_TRANSLATE_NOOP("Pellin", "\t변형 %1개"), {std::to_string(stamp.variations.size())}).c_str(),
                stdout);
        if (stamp.slot > 0)
            std::fputs(TrFill(QT_TRANSLATE_NOOP("Pellin", "\t자리 %1"), {std::to_string(stamp.slot)}).c_str(), stdout);
        if (mapPath) {
            const int missing = MissingTiles(stamp, map.Tiles());
            if (missing == 0)
                std::fputs(TrMessage(QT_TRANSLATE_NOOP("Pellin", "\t사용 가능")).c_str(), stdout);
            else
                std::fputs(TrFill(QT_TRANSLATE_NOOP("Pellin", "\t타일 %1개 없음"), {std::to_string(missing)}).c_str(),
                           stdout);
        }
        std::putchar('\n');
    }
    return kExitOk;
}
