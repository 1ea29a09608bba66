#include "mapinput.h"
#include "messagetext.h"

#include "progress.h"
#include "toolsupport.h"

MapReadResult ReadLoadedMap(const std::string& path, LoadedMap& map) { return ReadMapFile(path, map.content); }

MapReadResult LoadMapForTool(const std::string& path, LoadedMap& map)
{
    MapReadResult result = MapReadResult::CannotOpen;
    {
        const ProgressLine progress(QT_TRANSLATE_NOOP("Pellin", "맵을 읽는 중"));
        result = ReadLoadedMap(path, map);
    }
    if (const char* message = MapReadMessage(result)) ShowMessage(message);
    return result;
}
