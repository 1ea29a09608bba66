#include "stamplibrary.h"
#include "messagetext.h"

#include "safesave.h"
#include "tilelist.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <set>

using nlohmann::json;

namespace {
constexpr int kFileVersion = 1;
constexpr const char* kDefaultNamePrefix = QT_TRANSLATE_NOOP("Pellin", "스탬프 ");

// A json value's whole number in [lowest, highest], or none.
std::optional<int> WholeNumber(const json& value, int lowest, int highest)
{
    if (!value.is_number_integer()) return std::nullopt;
    const auto number = value.get<long long>();
    if (number < lowest || number > highest) return std::nullopt;
    return int(number);
}

std::optional<PictureBlock> BlockFromJson(const json& item)
{
    if (!item.is_object() || !item.contains("columns") || !item.contains("rows") || !item.contains("tiles"))
        return std::nullopt;
    const auto cols = WholeNumber(item["columns"], 1, kMaxMapSide);
    const auto rows = WholeNumber(item["rows"], 1, kMaxMapSide);
    const json& tiles = item["tiles"];
    if (!cols || !rows || !tiles.is_array() || tiles.size() != std::size_t(*cols) * std::size_t(*rows))
        return std::nullopt;
    PictureBlock block{*cols, *rows, {}};
    block.cells.reserve(tiles.size());
    for (const json& tile : tiles) {
        if (tile.is_null()) {
            block.cells.emplace_back();
            continue;
        }
        if (!tile.is_string()) return std::nullopt;
        const auto print = TileFingerprint::FromHex(tile.get_ref<const std::string&>());
        if (!print) return std::nullopt;
        block.cells.emplace_back(*print);
    }
    return block;
}
}  // namespace

PictureBlock PictureBlockOf(const CCellBlock& brush, const CTileList& tiles)
{
    PictureBlock block;
    if (brush.IsEmpty()) return block;
    block.cols = brush.m_nCols;
    block.rows = brush.m_nRows;
    block.cells.reserve(brush.Count());
    for (std::size_t i = 0; i < brush.Count(); ++i) {
        const short tile = brush.m_tiles[i];
        if (tile >= 0 && tile < tiles.GetCount())
            block.cells.emplace_back(tiles.FingerprintAt(tile));
        else
            block.cells.emplace_back();
    }
    return block;
}

std::optional<CCellBlock> CellBlockOf(const PictureBlock& block, const CTileList& tiles)
{
    if (block.IsEmpty()) return std::nullopt;
    CCellBlock cells{block.cols, block.rows, {}, {}, BlockSource::Map};
    cells.m_tiles.reserve(block.cells.size());
    for (const auto& print : block.cells) {
        const int tile = print ? tiles.FindFingerprint(*print) : kEmptyTileCell;
        if (print && tile < 0) return std::nullopt;
        cells.m_tiles.push_back(short(tile));
    }
    return cells;
}

int MissingTiles(const Stamp& stamp, const CTileList& tiles)
{
    std::set<TileFingerprint> missing;
    for (const StampVariation& variation : stamp.variations)
        for (const auto& print : variation.block.cells)
            if (print && tiles.FindFingerprint(*print) < 0) missing.insert(*print);
    return int(missing.size());
}

const StampVariation* PickVariation(const Stamp& stamp, double roll)
{
    long long total = 0;
    for (const StampVariation& variation : stamp.variations) total += std::max(variation.weight, 0);
    if (total <= 0) return stamp.variations.empty() ? nullptr : &stamp.variations.front();
    double left = std::clamp(roll, 0.0, 1.0) * double(total);
    for (const StampVariation& variation : stamp.variations) {
        const int weight = std::max(variation.weight, 0);
        if (left < weight) return &variation;
        left -= weight;
    }
    // A roll of 1 (or rounding at the top): the last that weighs anything.
    for (auto variation = stamp.variations.rbegin(); variation != stamp.variations.rend(); ++variation)
        if (variation->weight > 0) return &*variation;
    return nullptr;
}

void AddVariation(Stamp& stamp, PictureBlock block)
{
    for (StampVariation& variation : stamp.variations)
        if (variation.block == block) {
            ++variation.weight;
            return;
        }
    stamp.variations.push_back({std::move(block), 1});
}

std::size_t StoreInSlot(StampLibrary& library, int slot, Stamp stamp)
{
    stamp.slot = slot;
    for (std::size_t i = 0; i < library.stamps.size(); ++i)
        if (library.stamps[i].slot == slot) {
            library.stamps[i] = std::move(stamp);
            return i;
        }
    library.stamps.push_back(std::move(stamp));
    return library.stamps.size() - 1;
}

const Stamp* StampInSlot(const StampLibrary& library, int slot)
{
    for (const Stamp& stamp : library.stamps)
        if (slot > 0 && stamp.slot == slot) return &stamp;
    return nullptr;
}

std::string NextStampName(const StampLibrary& library)
{
    const std::string prefix = TrMessage(kDefaultNamePrefix);
    for (int n = 1;; ++n) {
        std::string name = prefix + std::to_string(n);
        if (std::none_of(library.stamps.begin(), library.stamps.end(),
                         [&](const Stamp& stamp) { return stamp.name == name; }))
            return name;
    }
}

std::string StampLibraryToJson(const StampLibrary& library)
{
    json stamps = json::array();
    for (const Stamp& stamp : library.stamps) {
        json variations = json::array();
        for (const StampVariation& variation : stamp.variations) {
            json tiles = json::array();
            for (const auto& print : variation.block.cells) tiles.push_back(print ? json(print->Hex()) : json(nullptr));
            variations.push_back({{"weight", variation.weight},
                                  {"columns", variation.block.cols},
                                  {"rows", variation.block.rows},
                                  {"tiles", std::move(tiles)}});
        }
        json item = {{"name", stamp.name}, {"variations", std::move(variations)}};
        if (stamp.slot > 0) item["slot"] = stamp.slot;
        stamps.push_back(std::move(item));
    }
    return json{{"version", kFileVersion}, {"stamps", std::move(stamps)}}.dump(1) + "\n";
}

std::optional<StampLibrary> StampLibraryFromJson(std::string_view text)
{
    const json root = json::parse(text.begin(), text.end(), nullptr, false);
    if (!root.is_object() || !root.contains("stamps") || !root["stamps"].is_array()) return std::nullopt;
    if (root.contains("version") && !WholeNumber(root["version"], 1, kFileVersion)) return std::nullopt;
    StampLibrary library;
    for (const json& item : root["stamps"]) {
        if (!item.is_object() || !item.contains("name") || !item["name"].is_string() || !item.contains("variations") ||
            !item["variations"].is_array() || item["variations"].empty())
            return std::nullopt;
        Stamp stamp;
        stamp.name = item["name"].get<std::string>();
        if (item.contains("slot")) {
            const auto slot = WholeNumber(item["slot"], 0, 9);
            if (!slot) return std::nullopt;
            stamp.slot = *slot;
        }
        for (const json& variation : item["variations"]) {
            auto block = BlockFromJson(variation);
            if (!block) return std::nullopt;
            int weight = 1;
            if (variation.contains("weight")) {
                const auto given = WholeNumber(variation["weight"], 1, 1000000);
                if (!given) return std::nullopt;
                weight = *given;
            }
            stamp.variations.push_back({std::move(*block), weight});
        }
        library.stamps.push_back(std::move(stamp));
    }
    return library;
}

std::string DefaultStampLibraryPath()
{
    std::string folder;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        folder = data;
    else if (const char* home = std::getenv("HOME"); home && *home)
        folder = std::string(home) + "/.local/share";
    else
        folder = "/tmp";
    return folder + "/pellin-map-tool/stamps.json";
}

StampLibraryLoad LoadStampLibrary(const std::string& path)
{
    namespace fs = std::filesystem;
    StampLibraryLoad load;
    std::error_code error;
    if (!fs::exists(path, error)) return load;
    std::ifstream in(path, std::ios::binary);
    std::string text;
    if (in) text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in && !in.bad()) {
        if (auto library = StampLibraryFromJson(text)) {
            load.library = std::move(*library);
            return load;
        }
    }
    in.close();
    // Set aside under the first free name, so that a second damaged file never overwrites the first.
    std::string aside = path + ".damaged";
    for (int n = 2; fs::exists(aside, error) && n < 1000; ++n) aside = path + ".damaged-" + std::to_string(n);
    fs::rename(path, aside, error);
    load.note =
        error ? TrFill(QT_TRANSLATE_NOOP("Pellin", "스탬프 모음 파일을 읽을 수 없어 빈 스탬프 모음으로 시작합니다: %1"),
                       {path})
              : TrFill(QT_TRANSLATE_NOOP("Pellin",
                                         "스탬프 모음 파일이 손상되어 %1(으)로 옮기고 빈 스탬프 모음으로 시작합니다"),
                       {aside});
    return load;
}

bool SaveStampLibrary(const std::string& path, const StampLibrary& library)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    SafeSave save(path);
    if (!save.Open()) return false;
    const std::string text = StampLibraryToJson(library);
    std::fwrite(text.data(), 1, text.size(), save.Stream());
    return save.Commit();
}
