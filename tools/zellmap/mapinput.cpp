#include "mapinput.h"

#include "afxmsg.h"

MapRenderSource LoadedMap::RenderSource() const
{
    return {content.tileLayer.get(), content.mapWidth, content.mapHeight, content.tileWidth, content.tileHeight,
            &tiles};
}

MapReadResult ReadLoadedMap(const std::string& path, LoadedMap& map)
{
    const MapReadResult result = ReadMapFile(path, map.content);
    if (result != MapReadResult::Ok) return result;
    for (SpritePtr& tile : map.content.tiles) {
        CSprite* raw = tile.release();
        if (map.tiles.AddTail(raw) < 0) SpriteDeleter{}(raw);
    }
    map.content.tiles.clear();
    return result;
}

MapReadResult LoadMapForTool(const std::string& path, LoadedMap& map)
{
    const MapReadResult result = ReadLoadedMap(path, map);
    if (const char* message = MapReadMessage(result)) AfxMessageBox(message, MB_OK);
    return result;
}
