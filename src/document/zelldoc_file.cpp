// File New, Open and Save, and opening the source bitmap.
#include <cctype>
#include <climits>
#include <filesystem>

#include "imagingmessages.h"
#include "maphint.h"
#include "zelldoc.h"
#include "translation.h"

namespace {

// The dialog's counts are unsigned; a count beyond what int holds cannot be
// allocated anyway, and must not turn into a negative map size.
int MapCountFromDialog(unsigned count) { return count > unsigned(INT_MAX) ? INT_MAX : int(count); }

}  // namespace

void CZellDoc::MakeNewMapCells(int mapWidth, int mapHeight)
{
    // A map too large for its layers says so and stays without cells: the
    // panes then draw nothing of it, and it cannot be saved.
    if (const char* message = LayerAllocMessage(m_map.m_cells.Create(mapWidth, mapHeight)))
        Prompts().ShowMessage(message, CDocumentPrompts::Look::Plain);
    m_rcMapSelection = {};
    TakeAttrValuesFor({});
    TakeRulesFor({});
    UpdateAllViews(nullptr, HINT_NEW_MAP);
}

void CZellDoc::OnFileNew()
{
    if (!SaveModified()) return;
    if (!Tiles().IsEmpty()) {
        if (!Prompts().AskYesNo(kMsgAskEraseTilesForNewMap)) return;
        // A step of its own: cancelling the new map's dialog keeps it, and
        // it can be undone like any erase.
        std::vector<int> all(std::size_t(Tiles().GetCount()));
        for (std::size_t i = 0; i < all.size(); ++i) all[i] = int(i);
        RemoveTiles(Pellin::tr("타일 전체지우기"), std::move(all));
    }

    NewMapSettings settings{m_map.m_nTileWidth, m_map.m_nTileHeight, unsigned(MapWidth()), unsigned(MapHeight())};
    if (!Prompts().EditNewMap(settings)) return;

    m_map.m_nTileWidth = settings.tileWidth;
    m_map.m_nTileHeight = settings.tileHeight;
    m_bShowTileAttr = FALSE;

    if (m_dib.m_bLoaded) {
        m_dib.Free();
        m_strBitmapPath.clear();
        UpdateAllViews(nullptr, HINT_BITMAP);
    }
    // A new map starts a fresh history, and has no file yet.
    m_undoStack.clear();
    SetPathName({});
    MakeNewMapCells(MapCountFromDialog(settings.mapWidth), MapCountFromDialog(settings.mapHeight));
}

void CZellDoc::OnFileOpen() { LoadMapFile(); }

void CZellDoc::OnFileSave()
{
    if (RefuseSaveWithoutFormat()) return;
    SaveMapFile();
}

void CZellDoc::OnOpenBitmap()
{
    if (const auto path = Prompts().AskOpenPath(CDocumentPrompts::FileKind::Bitmap)) LoadBitmapFile(*path);
}

void CZellDoc::LoadBitmapFile(const std::string& path)
{
    // A bitmap that cannot be loaded says why; the bitmap view then shows none.
    if (const ImagingResult loaded = m_dib.Load(path); !loaded) Prompts().ShowMessage(loaded.message);
    m_strBitmapPath = m_dib.m_bLoaded ? path : std::string();
    UpdateAllViews(nullptr, HINT_BITMAP);
    if (m_dib.TransparencyWasFlattened()) StatusNote(kMsgTransparencyFlattened);
}

namespace {
// The file's extension in lower case, with its dot.
std::string Extension(const std::string& path)
{
    const std::string name = std::filesystem::path(path).filename().string();
    const auto dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}
}  // namespace

void CZellDoc::OnDropFiles(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        const std::string ext = Extension(path);
        if (ext == ".bmp" || ext == ".png")
            LoadBitmapFile(path);
        else if (ext == ".map" || ext == ".tmx")
            OpenMapFile(path);
        else
            StatusNote(Pellin::trStd(kMsgDropIgnored) + std::filesystem::path(path).filename().string());
    }
}

void CZellDoc::OnEditUndo() { m_undoStack.undo(); }

void CZellDoc::OnEditRedo() { m_undoStack.redo(); }
