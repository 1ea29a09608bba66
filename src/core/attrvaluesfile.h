// The names and colours of attribute values, kept in a small JSON file
// beside the map ("level1.Map" -> "level1.Map.attrs.json"), never in the
// map file itself:
//
//   {"format": "pellin-map-tool attribute values", "version": 1,
//    "values": [{"value": 3, "name": "물", "colour": "#3a7bd5"}, ...]}
//
// "name" and "colour" may be left out. A file that is not JSON, not of
// this format, or holds a value twice or out of -32768..32767 is damaged
// and read as nothing; keys this version does not know are passed over.
#pragma once

#include "attrvalues.h"
#include "messagetext.h"

#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kAttrValuesFileSuffix = ".attrs.json";
inline constexpr const char* kAttrValuesFormat = "pellin-map-tool attribute values";
// Status-bar notes; the file's name follows.
inline constexpr const char* kMsgAttrValuesFileIgnored =
    QT_TRANSLATE_NOOP("Pellin", "속성 값 화일이 손상되어 무시했습니다: ");
inline constexpr const char* kMsgAttrValuesFileNotSaved =
    QT_TRANSLATE_NOOP("Pellin", "속성 값 화일을 저장하지 못했습니다: ");

// The file that goes with a map file.
std::string AttrValuesFilePath(const std::string& mapPath);

// "#rrggbb" and back; nothing for any other text.
std::string AttrColourText(const AttrColour& colour);
std::optional<AttrColour> ParseAttrColour(std::string_view text);

// The file's text for these values, ascending, and back. Parse is false
// for a damaged or foreign text and leaves out untouched.
std::string EncodeAttrValues(const std::vector<AttrValueDetails>& values);
bool ParseAttrValues(std::string_view text, std::vector<AttrValueDetails>& out);

enum class AttrValuesReadResult { Ok, Missing, Damaged };

// Reads the file into the table's kept values; only Ok changes the table.
AttrValuesReadResult ReadAttrValuesFile(const std::string& path, CAttrValueTable& table);
// Writes the table's kept values through a safe save; false when the file
// could not be written (the one there, if any, is then untouched).
bool WriteAttrValuesFile(const std::string& path, const CAttrValueTable& table);
