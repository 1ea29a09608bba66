// The rule set's file beside its map ("level1.Map" ->
// "level1.Map.rules.json"), never inside the map file:
//
//   {"version": 1, "outside": 0, "seed": 7, "groups": [{"name": "벽",
//    "enabled": true, "rules": [{"name": "벽 위쪽", "enabled": true,
//    "size": 3, "pattern": ["*", "!1", "*", "*", "=1", "*", "*", "*", "*"],
//    "outputs": [{"tiles": ["<fingerprint>"], "width": 1, "height": 1,
//    "weight": 1}], "chance": 100, "stop": true}]}]}
//
// "pattern" row by row from the top left: "*" any, "=v" equal to v, "!v"
// (or "≠v") not v. "tiles" row by row, as 32 hexadecimal digits. Left out:
// "outside" 0, "seed" 0, names empty, "enabled" and "stop" true, "chance"
// 100, "weight" 1, "width" and "height" 1 x 1 (or as many columns as tiles
// when only "height" is 1). Keys this version does not know are passed over;
// anything else out of place makes the file damaged, and it is read as
// nothing.
#pragma once

#include "autorules.h"
#include "messagetext.h"

#include <string>
#include <string_view>

inline constexpr const char* kRulesFileSuffix = ".rules.json";
// Status-bar notes; the file's name follows.
inline constexpr const char* kMsgRulesFileIgnored =
    QT_TRANSLATE_NOOP("Pellin", "자동 타일 규칙 화일이 손상되어 무시했습니다: ");
inline constexpr const char* kMsgRulesFileNotSaved =
    QT_TRANSLATE_NOOP("Pellin", "자동 타일 규칙 화일을 저장하지 못했습니다: ");

std::string RulesFilePath(const std::string& mapPath);

std::string EncodeRuleSet(const RuleSet& rules);
// False for a damaged or foreign text, leaving out untouched.
bool ParseRuleSet(std::string_view text, RuleSet& out);

enum class RulesReadResult { Ok, Missing, Damaged };

RulesReadResult ReadRulesFile(const std::string& path, RuleSet& out);
// Through a safe save; false when it could not be written (the file there,
// if any, is then untouched).
bool WriteRulesFile(const std::string& path, const RuleSet& rules);
