// Texts of the message boxes that bitmaps and tiles show.
#pragma once

#include <string>
#include "messagetext.h"

// How a picture load or a tile cut went: empty when nothing needs saying,
// else the text of the plain message box the user is shown.
struct ImagingResult {
    std::string message;
    bool Ok() const { return message.empty(); }
    explicit operator bool() const { return Ok(); }
};

inline constexpr const char* kMsgNotBitmap = QT_TRANSLATE_NOOP("Pellin", "비트맵 화일이 아닙니다");
inline constexpr const char* kMsgDibNoMemory = QT_TRANSLATE_NOOP("Pellin", "메모리 확보에 실패했습니다.(DIB)");
inline constexpr const char* kMsgSpriteNoMemory =
    QT_TRANSLATE_NOOP("Pellin", "메모리 확보에 실패했습니다.(Sprite Info)");
inline constexpr const char* kMsgSpriteCreateError = "Sprite Create Error";
// A note, not an error: the loaded picture's transparent parts are now black.
inline constexpr const char* kMsgTransparencyFlattened =
    QT_TRANSLATE_NOOP("Pellin", "그림의 투명한 부분을 검은색으로 채웠습니다");
// Put after the file's path on a line of its own.
inline constexpr const char* kMsgCannotOpenFile = QT_TRANSLATE_NOOP("Pellin", "화일을 열 수 없습니다.");
inline constexpr const char* kMsgCannotReadFile = QT_TRANSLATE_NOOP("Pellin", "화일을 읽을 수 없습니다.");
// A cut that would take the tile set past kMaxTiles stops there.
inline constexpr const char* kMsgTileLimitReached =
    QT_TRANSLATE_NOOP("Pellin", "타일은 32767개까지만 만들 수 있어 나머지는 자르지 않았습니다");
