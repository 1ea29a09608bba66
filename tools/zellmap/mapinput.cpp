#include "mapinput.h"

#include "toolsupport.h"

MapReadResult ReadLoadedMap(const std::string& path, LoadedMap& map) { return ReadMapFile(path, map.content); }

MapReadResult LoadMapForTool(const std::string& path, LoadedMap& map)
{
    const MapReadResult result = ReadLoadedMap(path, map);
    if (const char* message = MapReadMessage(result)) ShowMessage(message);
    return result;
}
