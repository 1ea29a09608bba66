// Saving and loading the map file around the reader and writer. Loading
// reads and checks the whole file before anything is replaced, so a bad
// file leaves the user's tiles, sizes and cells as they were.
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "autorulesfile.h"
#include "busywork.h"
#include "maphint.h"
#include "mapfile.h"
#include "recovery.h"
#include "tmxread.h"
#include "imagingmessages.h"
#include "zelldoc.h"
#include "translation.h"

namespace {

// A map file is told by its first bytes, whatever its name: the save dialog
// takes any name, and a map saved as "level.tmx" must open again.
bool StartsAsMapFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    char magic[sizeof kMapMagic] = {};
    return in.read(magic, sizeof magic) && std::memcmp(magic, kMapMagic, sizeof magic) == 0;
}

}  // namespace

bool CZellDoc::RefuseSaveWithoutFormat() const
{
    // Tiles carry their own bit count and colours, and the writer takes the
    // file's format from them; only a map without tiles needs the bitmap's.
    if (m_dib.m_bLoaded || !Tiles().IsEmpty()) return false;
    Prompts().ShowMessage(kMsgLoadBitmapFirst);
    return true;
}

bool CZellDoc::SaveMapFile()
{
    if (RefuseSaveWithoutFormat()) return false;
    const auto path = Prompts().AskMapSavePath();
    return path && SaveMapFileTo(*path);
}

void CZellDoc::LoadMapFile()
{
    if (!SaveModified()) return;
    if (const auto path = Prompts().AskOpenPath(CDocumentPrompts::FileKind::Map)) LoadMapFileFrom(*path);
}

bool CZellDoc::RestoreSession(const RecoveredSession& session)
{
    MapFileContent content;
    const MapReadResult result = CRecoveryKeeper::ReadCopy(session, content);
    if (result != MapReadResult::Ok) {
        if (const char* message = MapReadMessage(result)) Prompts().ShowMessage(message);
        return false;
    }
    m_map = std::move(content.map);
    m_dib.Free();
    m_strBitmapPath.clear();
    std::error_code error;
    if (!session.bitmapPath.empty() && std::filesystem::is_regular_file(session.bitmapPath, error)) {
        if (const ImagingResult loaded = m_dib.Load(session.bitmapPath); !loaded) Prompts().ShowMessage(loaded.message);
        if (m_dib.m_bLoaded) m_strBitmapPath = session.bitmapPath;
    }
    DropPicks();
    SetPathName(session.mapPath);
    TakeAttrValuesFor(session.mapPath);
    TakeRulesFor(session.mapPath);
    // Rules changed and not saved were kept with the copy.
    if (RuleSet kept; !session.rulesFile.empty() && ReadRulesFile(session.rulesFile, kept) == RulesReadResult::Ok)
        m_rules = std::move(kept);
    // Restored work is unsaved work.
    m_undoStack.clear();
    m_undoStack.resetClean();
    UpdateAllViews(nullptr, HINT_NEW_MAP | HINT_TILE_IMAGES | HINT_BITMAP);
    return true;
}

bool CZellDoc::OpenMapFile(const std::string& path) { return SaveModified() && LoadMapFileFrom(path); }

BOOL CZellDoc::SaveModified()
{
    if (!IsModified()) return TRUE;
    switch (Prompts().AskYesNoCancel(kMsgAskSaveChanges)) {
    case CDocumentPrompts::Answer::Yes: return SaveMapFile() ? TRUE : FALSE;
    case CDocumentPrompts::Answer::No: return TRUE;
    case CDocumentPrompts::Answer::Cancel: break;
    }
    return FALSE;
}

bool CZellDoc::SaveMapFileTo(const std::string& path)
{
    if (RefuseSaveWithoutFormat()) return false;
    // A map whose cells could not be made has nothing to save: writing
    // cells that do not exist would give a file no one can read back.
    const CCellLayers& cells = Cells();
    if (!cells.IsComplete() && cells.CellCount() != 0) {
        Prompts().ShowMessage(!LayerCellCount(cells.Width(), cells.Height()) ? kMsgMapTooLarge
                              : cells.HasLayer(CellLayer::Tiles)             ? kMsgAttrLayerAllocFailed
                                                                             : kMsgTileLayerAllocFailed);
        return false;
    }

    MapWriteResult result = MapWriteResult::Ok;
    {
        CBusyWork busy(Pellin::tr("맵을 저장하는 중..."));
        result = WriteMapFile(path, Snapshot().Input(), busy.Reporter());
    }
    if (const char* message = MapWriteMessage(result)) Prompts().ShowMessage(message);
    if (result != MapWriteResult::Ok) return false;
    SaveAttrValuesBeside(path);
    SaveRulesBeside(path);
    m_undoStack.setClean();
    SetPathName(path);
    return true;
}

MapSnapshot CZellDoc::Snapshot() const
{
    MapSnapshot snapshot;
    snapshot.map = m_map.Share();
    snapshot.bitmapBitCount = m_dib.GetBitCount();
    if (snapshot.bitmapBitCount == 8 && m_dib.m_pColors)
        snapshot.bitmapColours.assign(m_dib.m_pColors, m_dib.m_pColors + 256);
    return snapshot;
}

bool CZellDoc::LoadMapFileFrom(const std::string& path)
{
    MapFileContent content;
    bool flattened = false;
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    // A Tiled map goes through its own reader into what a map file holds.
    if (ext == ".tmx" && !StartsAsMapFile(path)) {
        const TmxReadReport report = ReadTmxFile(path, content);
        if (report.result != TmxReadResult::Ok) {
            Prompts().ShowMessage(report.message);
            return false;
        }
        flattened = report.transparencyFlattened;
    } else {
        MapReadResult result = MapReadResult::Ok;
        {
            CBusyWork busy(Pellin::tr("맵을 읽는 중..."));
            result = ReadMapFile(path, content, busy.Reporter());
        }
        if (result != MapReadResult::Ok) {
            if (const char* message = MapReadMessage(result)) Prompts().ShowMessage(message);
            return false;
        }
    }
    TakeLoadedMap(content, path);
    if (flattened) StatusNote(kMsgTransparencyFlattened);
    return true;
}

void CZellDoc::TakeLoadedMap(MapFileContent& content, const std::string& path)
{
    m_map = std::move(content.map);
    // A loaded map never keeps the source bitmap, and starts a fresh history.
    m_dib.Free();
    m_strBitmapPath.clear();
    DropPicks();
    m_undoStack.clear();
    SetPathName(path);
    TakeAttrValuesFor(path);
    TakeRulesFor(path);
    UpdateAllViews(nullptr, HINT_NEW_MAP | HINT_TILE_IMAGES | HINT_BITMAP);
}
