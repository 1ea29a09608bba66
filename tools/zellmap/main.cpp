// zellmap: the map tool's companion for scripts and build pipelines. It
// reads and writes maps with the editor's own code, so what it reports,
// cuts and draws is what the editor would.
#include "commands.h"
#include "messagetext.h"
#include "toolsupport.h"
#include "translation.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const kUsage =
    QT_TRANSLATE_NOOP("Pellin",
                      "사용법: zellmap <명령> [옵션...]\n"
                      "\n"
                      "Pellin Map Tool의 맵 화일(.Map)을 명령줄에서 다룹니다.\n"
                      "\n"
                      "명령:\n"
                      "  info MAP       맵 화일을 검사하고 머리말과 칸 수를 보여 줍니다\n"
                      "  cut BITMAP     비트맵 전체를 타일로 잘라 새 맵 화일로 저장합니다\n"
                      "  render MAP     맵 그림을 PNG 또는 BMP로 그립니다\n"
                      "  export MAP     Tiled에서 여는 TMX 맵으로 내보냅니다\n"
                      "  import TMX     Tiled의 TMX 맵을 맵 화일로 가져옵니다\n"
                      "  attrs MAP      칸 속성 층을 CSV나 JSON으로 쓰고, CSV에서 바꿔 넣습니다\n"
                      "  stamps         편집기의 스탬프 모음과, 맵에서 쓸 수 있는지를 보여 줍니다\n"
                      "  thumbnail MAP  맵 전체를 줄인 미리 보기 그림(PNG)을 만듭니다\n"
                      "  rules MAP      자동 타일 규칙으로 맵을 검사하거나 규칙을 적용한 사본을 씁니다\n"
                      "\n"
                      "'zellmap <명령> --help'로 명령마다의 사용법을 봅니다.\n"
                      "성공하면 0, 작업이 실패하면 1, 명령줄이 틀리면 2로 끝납니다.\n");

struct Command {
    const char* name;
    int (*run)(const Arguments&);
    const char* const* help;
};

const Command kCommands[] = {
    {"info", RunInfo, &kInfoHelp},       {"cut", RunCut, &kCutHelp},
    {"render", RunRender, &kRenderHelp}, {"export", RunExport, &kExportHelp},
    {"import", RunImport, &kImportHelp}, {"attrs", RunAttrs, &kAttrsHelp},
    {"stamps", RunStamps, &kStampsHelp}, {"thumbnail", RunThumbnail, &kThumbnailHelp},
    {"rules", RunRules, &kRulesHelp},
};

const Command* Find(const char* name)
{
    for (const Command& command : kCommands)
        if (std::strcmp(command.name, name) == 0) return &command;
    return nullptr;
}

bool AsksForHelp(const Arguments& args)
{
    for (const std::string& arg : args) {
        if (arg == "--") return false;
        if (arg == "--help" || arg == "-h") return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    // English with an English locale or `--lang en`; the option may stand anywhere.
    UseInterfaceLanguage(InterfaceLanguageFor(argc, argv));
    if (argc < 2) {
        std::fputs(TrMessage(kUsage).c_str(), stderr);
        return kExitUsage;
    }
    const char* name = argv[1];
    if (std::strcmp(name, "--help") == 0 || std::strcmp(name, "-h") == 0) {
        std::fputs(TrMessage(kUsage).c_str(), stdout);
        return kExitOk;
    }
    if (std::strcmp(name, "help") == 0) {
        const Command* command = argc > 2 ? Find(argv[2]) : nullptr;
        std::fputs(TrMessage(command ? *command->help : kUsage).c_str(), stdout);
        return argc > 2 && !command ? kExitUsage : kExitOk;
    }
    const Command* command = Find(name);
    if (!command) {
        std::fputs(
            TrFill(QT_TRANSLATE_NOOP("Pellin", "zellmap: 알 수 없는 명령입니다: %1\n\n%2"), {name, TrMessage(kUsage)})
                .c_str(),
            stderr);
        return kExitUsage;
    }
    const Arguments args(argv + 2, argv + argc);
    if (AsksForHelp(args)) {
        std::fputs(TrMessage(*command->help).c_str(), stdout);
        return kExitOk;
    }
    return command->run(args);
}
