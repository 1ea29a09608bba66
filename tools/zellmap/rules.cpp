// zellmap rules: a map checked against its auto-tiling rules, or a copy of
// it with the rules applied, as the editor's 규칙 적용 would save it.
#include "commands.h"
#include "messagetext.h"
#include "mapinput.h"
#include "toolsupport.h"

#include "autoruleengine.h"
#include "autorulesfile.h"
#include "mapfile.h"

#include <cstdio>

const char* const kRulesHelp =
    QT_TRANSLATE_NOOP("Pellin",
                      "사용법: zellmap rules MAP --check [--rules FILE] [--rect X,Y,W,H]\n"
                      "       zellmap rules MAP --apply [--rules FILE] [--rect X,Y,W,H] -o OUT.Map\n"
                      "       zellmap rules MAP --json [--rules FILE]\n"
                      "\n"
                      "맵의 자동 타일 규칙(맵 옆의 MAP.rules.json, 또는 --rules로 준 화일)을 다룹니다.\n"
                      "\n"
                      "  --check       규칙이 지금과 다른 타일을 줄 칸의 수와 처음 칸 열 개를\n"
                      "                씁니다. 그런 칸이 있으면 1로 끝납니다.\n"
                      "  --apply       규칙을 적용한 맵 사본을 -o 화일에 씁니다. 편집기에서\n"
                      "                \"규칙 적용\"을 하고 저장한 것과 같은 바이트이며, 규칙 화일도\n"
                      "                사본 옆(OUT.Map.rules.json)에 씁니다.\n"
                      "  --rect        맵 전체 대신 X,Y에서 W x H 칸에만 적용하거나 검사합니다\n"
                      "  --json        규칙 모음을 화일 형식 그대로 씁니다\n"
                      "  --rules FILE  맵 옆의 화일 대신 읽을 규칙 화일\n"
                      "  -o, --output  --apply로 쓸 맵 화일\n");

namespace {

// "X,Y,W,H" with W and H at least 1.
std::optional<CRect> ParseRect(const std::string& text)
{
    long long parts[4];
    std::size_t from = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t comma = text.find(',', from);
        if ((i < 3) == (comma == std::string::npos)) return std::nullopt;
        const auto value = ParseInteger(text.substr(from, comma - from), i < 2 ? 0 : 1, kMaxMapSide);
        if (!value) return std::nullopt;
        parts[i] = *value;
        from = comma + 1;
    }
    return CRect(int(parts[0]), int(parts[1]), int(parts[0] + parts[2]), int(parts[1] + parts[3]));
}

}  // namespace

int RunRules(const Arguments& args)
{
    std::string error;
    const auto parsed = ParseArgs(
        args, {{"--check"}, {"--apply"}, {"--json"}, {"--rules", true}, {"--rect", true}, {"--output", true, "-o"}},
        error);
    if (!parsed) return UsageError("rules", error);
    if (parsed->positional.size() != 1)
        return UsageError("rules", QT_TRANSLATE_NOOP("Pellin", "맵 화일 하나를 주십시오"));
    const int modes = int(parsed->Has("--check")) + int(parsed->Has("--apply")) + int(parsed->Has("--json"));
    if (modes != 1)
        return UsageError("rules", QT_TRANSLATE_NOOP("Pellin", "--check, --apply, --json 가운데 하나를 주십시오"));
    const auto output = parsed->Value("--output");
    if (parsed->Has("--apply") != bool(output))
        return UsageError("rules", QT_TRANSLATE_NOOP("Pellin", "--apply에는 -o로 쓸 맵 화일을 주십시오"));
    std::optional<CRect> rect;
    if (const auto text = parsed->Value("--rect")) {
        rect = ParseRect(*text);
        if (!rect)
            return UsageError("rules",
                              TrFill(QT_TRANSLATE_NOOP("Pellin", "--rect는 X,Y,W,H 꼴이어야 합니다: %1"), {*text}));
    }
    const std::string& path = parsed->positional[0];
    const std::string rulesPath = parsed->Value("--rules").value_or(RulesFilePath(path));

    RuleSet set;
    switch (ReadRulesFile(rulesPath, set)) {
    case RulesReadResult::Ok: break;
    case RulesReadResult::Missing:
        return Fail(TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n자동 타일 규칙 화일이 없습니다"), {rulesPath}));
    case RulesReadResult::Damaged:
        return Fail(TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n자동 타일 규칙 화일이 손상되었습니다"), {rulesPath}));
    }
    if (parsed->Has("--json")) {
        std::fputs(EncodeRuleSet(set).c_str(), stdout);
        return kExitOk;
    }

    LoadedMap map;
    if (LoadMapForTool(path, map) != MapReadResult::Ok) return kExitFailed;
    CCellLayers& cells = map.content.map.m_cells;
    const CompiledRules rules(set, TileFinder(map.Tiles()));
    for (std::size_t i = 0; i < rules.Resolved().size(); ++i)
        if (!rules.Resolved()[i])
            std::fputs(TrFill(QT_TRANSLATE_NOOP("Pellin", "규칙 %1: 타일 모음에 없는 타일을 써서 건너뜁니다\n"),
                              {std::to_string(i + 1)})
                           .c_str(),
                       stderr);
    const CRect area = rect.value_or(CRect(0, 0, cells.Width(), cells.Height()));

    if (parsed->Has("--check")) {
        const RulesCheck check = CheckRules(cells, rules, area);
        std::fputs(TrFill(QT_TRANSLATE_NOOP("Pellin", "규칙과 다른 칸: %1\n"), {std::to_string(check.count)}).c_str(),
                   stdout);
        for (const CPoint& cell : check.first) std::printf("%d, %d\n", cell.x, cell.y);
        return check.count > 0 ? kExitFailed : kExitOk;
    }
    ApplyRules(cells, rules, area);
    const MapWriteResult result =
        WriteMapFile(*output, MapSaveInput{&map.Map(), map.content.bitCount, map.content.colours.data()});
    if (const char* message = MapWriteMessage(result)) return Fail(message);
    if (result != MapWriteResult::Ok) return kExitFailed;
    if (!WriteRulesFile(RulesFilePath(*output), set))
        return Fail(TrMessage(kMsgRulesFileNotSaved) + RulesFilePath(*output));
    return kExitOk;
}
