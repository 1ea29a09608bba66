#include "cellclipboard.h"
#include "messagetext.h"

#include "celllayers.h"
#include "tilelist.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {
constexpr char kSignature[4] = {'P', 'L', 'C', 'B'};
constexpr std::uint16_t kVersion = 2;  // 2: the pictures of the tiles follow the cells
constexpr std::uint16_t kFlagAttributes = 1;
constexpr std::size_t kHeaderBytes = 28;

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, std::uint16_t(v));
    Put16(out, std::uint16_t(v >> 16));
}
std::uint16_t Get16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
std::uint32_t Get32(const std::uint8_t* p) { return std::uint32_t(Get16(p)) | (std::uint32_t(Get16(p + 2)) << 16); }
void Put64(std::vector<std::uint8_t>& out, std::uint64_t v)
{
    Put32(out, std::uint32_t(v));
    Put32(out, std::uint32_t(v >> 32));
}
std::uint64_t Get64(const std::uint8_t* p) { return std::uint64_t(Get32(p)) | (std::uint64_t(Get32(p + 4)) << 32); }
constexpr std::size_t kPictureBytes = 18;  // a tile number and a fingerprint

void PutValues(std::vector<std::uint8_t>& out, const std::vector<short>& values)
{
    for (short v : values) Put16(out, std::uint16_t(v));
}
void GetValues(const std::uint8_t* p, std::size_t count, std::vector<short>& values)
{
    values.resize(count);
    for (std::size_t i = 0; i < count; ++i, p += 2) values[i] = short(Get16(p));
}

bool IsBlank(char c) { return c == ' ' || c == '\v' || c == '\f'; }
bool IsFieldEnd(char c) { return c == '\t' || c == ','; }

// The start of a token for a message: at most 32 bytes, not cut inside a UTF-8 character.
std::string Quoted(std::string_view token)
{
    // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about
    // operator+ on a string literal and a temporary string.
    const bool cutShort = token.size() > 32;
    if (cutShort) {
        std::size_t cut = 32;
        while (cut > 0 && (static_cast<unsigned char>(token[cut]) & 0xC0) == 0x80) --cut;
        token = token.substr(0, cut);
    }
    std::string quoted;
    quoted.reserve(token.size() + 8);
    quoted += '"';
    quoted.append(token);
    quoted += cutShort ? "…\"" : "\"";
    return quoted;
}

std::string Where(std::size_t row, std::size_t col)
{
    return TrFill(QT_TRANSLATE_NOOP("Pellin", "%1행 %2열 "), {std::to_string(row), std::to_string(col)});
}
}  // namespace

std::vector<std::uint8_t> EncodeClipboardCells(const ClipboardCells& cells)
{
    const CCellBlock& block = cells.block;
    std::vector<std::uint8_t> out;
    if (block.IsEmpty()) return out;
    const bool attrs = block.HasAttributes();
    out.reserve(kHeaderBytes + block.Count() * (attrs ? 4 : 2));
    out.insert(out.end(), kSignature, kSignature + 4);
    Put16(out, kVersion);
    Put16(out, attrs ? kFlagAttributes : 0);
    Put16(out, std::uint16_t(cells.tileWidth));
    Put16(out, std::uint16_t(cells.tileHeight));
    Put32(out, std::uint32_t(cells.origin.x));
    Put32(out, std::uint32_t(cells.origin.y));
    Put32(out, std::uint32_t(block.m_nCols));
    Put32(out, std::uint32_t(block.m_nRows));
    PutValues(out, block.m_tiles);
    if (attrs) PutValues(out, block.m_attrs);
    Put64(out, cells.source);
    Put32(out, std::uint32_t(cells.pictures.size()));
    for (const ClipboardTile& tile : cells.pictures) {
        Put16(out, std::uint16_t(tile.number));
        Put64(out, tile.picture.high);
        Put64(out, tile.picture.low);
    }
    return out;
}

std::optional<ClipboardCells> DecodeClipboardCells(const std::uint8_t* data, std::size_t size)
{
    if (!data || size < kHeaderBytes || std::memcmp(data, kSignature, 4) != 0) return std::nullopt;
    if (Get16(data + 4) != kVersion) return std::nullopt;
    const std::uint16_t flags = Get16(data + 6);
    if (flags & ~kFlagAttributes) return std::nullopt;
    const std::uint32_t cols = Get32(data + 20);
    const std::uint32_t rows = Get32(data + 24);
    if (cols == 0 || rows == 0 || cols > std::uint32_t(kMaxMapSide) || rows > std::uint32_t(kMaxMapSide))
        return std::nullopt;
    const std::uint64_t count = std::uint64_t(cols) * rows;
    if (count > std::uint64_t(kMaxLayerCells)) return std::nullopt;
    const bool attrs = (flags & kFlagAttributes) != 0;
    const std::uint64_t cellBytes = kHeaderBytes + count * (attrs ? 4 : 2);
    if (size < cellBytes + 12) return std::nullopt;
    const std::uint32_t pictureCount = Get32(data + cellBytes + 8);
    if (size != cellBytes + 12 + std::uint64_t(pictureCount) * kPictureBytes) return std::nullopt;

    ClipboardCells cells;
    cells.tileWidth = Get16(data + 8);
    cells.tileHeight = Get16(data + 10);
    cells.origin = {int(Get32(data + 12)), int(Get32(data + 16))};
    cells.block.m_nCols = int(cols);
    cells.block.m_nRows = int(rows);
    cells.block.m_source = BlockSource::Map;
    GetValues(data + kHeaderBytes, std::size_t(count), cells.block.m_tiles);
    if (attrs) GetValues(data + kHeaderBytes + count * 2, std::size_t(count), cells.block.m_attrs);
    cells.source = Get64(data + cellBytes);
    cells.pictures.resize(pictureCount);
    const std::uint8_t* p = data + cellBytes + 12;
    for (ClipboardTile& tile : cells.pictures) {
        tile.number = short(Get16(p));
        tile.picture = {Get64(p + 2), Get64(p + 10)};
        p += kPictureBytes;
    }
    return cells;
}

namespace {
// Tile numbers run from -32768 to 32767 in a block: a table slot for each.
std::size_t Slot(short number) { return std::size_t(int(number) + 32768); }
}  // namespace

void NameClipboardTiles(ClipboardCells& cells, const CTileList& tiles)
{
    cells.pictures.clear();
    std::vector<bool> named(65536, false);
    for (short number : cells.block.m_tiles) {
        if (number < 0 || named[Slot(number)]) continue;
        named[Slot(number)] = true;
        cells.pictures.push_back({number, tiles.FingerprintAt(number)});
    }
}

std::string MatchClipboardTiles(ClipboardCells& cells, const CTileList& tiles, int tileWidth, int tileHeight,
                                bool fromHere)
{
    CCellBlock& block = cells.block;
    if (std::none_of(block.m_tiles.begin(), block.m_tiles.end(), [](short number) { return number >= 0; })) return {};
    if (cells.tileWidth != tileWidth || cells.tileHeight != tileHeight)
        return TrFill(QT_TRANSLATE_NOOP("Pellin", "타일 크기가 다릅니다 (%1 x %2, 이 맵은 %3 x %4)"),
                      {std::to_string(cells.tileWidth), std::to_string(cells.tileHeight), std::to_string(tileWidth),
                       std::to_string(tileHeight)});

    // Each number's new one; -1 where the set lacks the picture or the clipboard names none.
    std::vector<int> renumber(65536, -1);
    std::vector<const TileFingerprint*> pictureOf(65536, nullptr);
    for (const ClipboardTile& tile : cells.pictures) {
        if (pictureOf[Slot(tile.number)]) continue;
        pictureOf[Slot(tile.number)] = &tile.picture;
        // A number beyond the set stays too when it was beyond it at the copy (a map may hold such cells).
        const bool stays = fromHere && tile.number >= 0 && tiles.FingerprintAt(tile.number) == tile.picture;
        renumber[Slot(tile.number)] = stays ? tile.number : tiles.FindFingerprint(tile.picture);
    }
    // What is missing counts once a picture (twins in the set copied from are one).
    std::vector<TileFingerprint> lacking;
    int unnamed = 0;
    for (short number : block.m_tiles) {
        if (number < 0 || renumber[Slot(number)] >= 0) continue;
        renumber[Slot(number)] = 0;  // counted; the block is left as it was anyway
        if (const TileFingerprint* picture = pictureOf[Slot(number)])
            lacking.push_back(*picture);
        else
            ++unnamed;
    }
    std::sort(lacking.begin(), lacking.end());
    const int missing = int(std::unique(lacking.begin(), lacking.end()) - lacking.begin()) + unnamed;
    if (missing > 0)
        return TrFill(QT_TRANSLATE_NOOP("Pellin", "붙여넣을 타일 %1개가 이 타일 세트에 없습니다"),
                      {std::to_string(missing)});
    for (short& number : block.m_tiles)
        if (number >= 0) number = short(renumber[Slot(number)]);
    return {};
}

std::string CellsAsText(const CCellBlock& block)
{
    std::string text;
    if (block.IsEmpty()) return text;
    text.reserve(block.Count() * 4);
    char number[8];
    for (int r = 0; r < block.m_nRows; ++r) {
        for (int c = 0; c < block.m_nCols; ++c) {
            if (c > 0) text.push_back('\t');
            const auto end = std::to_chars(number, number + sizeof number, block.Tile(r, c)).ptr;
            text.append(number, end);
        }
        text.push_back('\n');
    }
    return text;
}

namespace {
// What a pasted number may be, and what the refusal adds when it is not.
struct PastedRange {
    long long lowest;
    long long highest;
    const char* outside;
};

PastedText ParseNumbersText(std::string_view text, const PastedRange& range, short emptyCell, int mapWidth,
                            int mapHeight)
{
    PastedText result;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<short> values;           // the rows one after another
    std::vector<std::size_t> rowStarts;  // where each row begins in values
    std::size_t widest = 0;
    const auto tooLarge = [&](std::size_t cols, std::size_t rows) {
        result.refusal =
            TrFill(QT_TRANSLATE_NOOP("Pellin", "붙여넣을 셀이 지도보다 많습니다: %1 x %2 (지도 %3 x %4)"),
                   {std::to_string(cols), std::to_string(rows), std::to_string(mapWidth), std::to_string(mapHeight)});
        return result;
    };

    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);

        const std::size_t rowNumber = rowStarts.size() + 1;
        rowStarts.push_back(values.size());
        std::size_t i = 0;
        bool fieldHasValue = false;  // the current tab- or comma-separated field holds a number
        const auto cellCount = [&] { return values.size() - rowStarts.back(); };
        while (i < line.size()) {
            const char c = line[i];
            if (IsBlank(c)) {
                ++i;
                continue;
            }
            if (IsFieldEnd(c)) {
                if (!fieldHasValue) values.push_back(emptyCell);  // an empty field: an empty cell
                fieldHasValue = false;
                ++i;
                continue;
            }
            std::size_t j = i;
            while (j < line.size() && !IsBlank(line[j]) && !IsFieldEnd(line[j])) ++j;
            const std::string_view token = line.substr(i, j - i);
            i = j;
            const std::size_t col = cellCount() + 1;
            const std::string_view digits = token.front() == '+' ? token.substr(1) : token;
            long long number = 0;
            const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
            if (digits.empty() || digits.front() == '+' || (digits != token && digits.front() == '-') ||
                stop != digits.data() + digits.size() ||
                (error != std::errc() && error != std::errc::result_out_of_range)) {
                result.refusal = TrFill(QT_TRANSLATE_NOOP("Pellin", "붙여넣을 수 없는 값입니다: %1%2"),
                                        {Where(rowNumber, col), Quoted(token)});
                return result;
            }
            if (error != std::errc() || number < range.lowest || number > range.highest) {
                result.refusal = TrFill(QT_TRANSLATE_NOOP("Pellin", "붙여넣을 수 없는 값입니다: %1%2"),
                                        {Where(rowNumber, col), Quoted(token)}) +
                                 TrMessage(range.outside);
                return result;
            }
            values.push_back(short(number));
            fieldHasValue = true;
            if (cellCount() > std::size_t(std::max(0, mapWidth))) return tooLarge(cellCount(), rowNumber);
        }
        widest = std::max(widest, cellCount());
        if (rowStarts.size() > std::size_t(std::max(0, mapHeight))) {
            // Blank lines at the end do not count.
            if (text.find_first_not_of(" \t\r\n\v\f", pos) == std::string_view::npos && cellCount() == 0) break;
            return tooLarge(widest, rowStarts.size());
        }
    }
    // Blank lines at the end are no rows.
    while (!rowStarts.empty() && rowStarts.back() == values.size()) rowStarts.pop_back();
    if (rowStarts.empty() || widest == 0) {
        result.refusal = kMsgPasteNoCells;
        return result;
    }

    CCellBlock& block = result.block;
    block.m_nCols = int(widest);
    block.m_nRows = int(rowStarts.size());
    block.m_source = BlockSource::Map;
    block.m_tiles.assign(block.Count(), emptyCell);
    for (std::size_t r = 0; r < rowStarts.size(); ++r) {
        const std::size_t from = rowStarts[r];
        const std::size_t to = r + 1 < rowStarts.size() ? rowStarts[r + 1] : values.size();
        std::copy(values.begin() + std::ptrdiff_t(from), values.begin() + std::ptrdiff_t(to),
                  block.m_tiles.begin() + std::ptrdiff_t(r * widest));
    }
    return result;
}
}  // namespace

PastedText ParseCellsText(std::string_view text, int tileCount, int mapWidth, int mapHeight)
{
    return ParseNumbersText(text,
                            {-1, (long long)tileCount - 1, QT_TRANSLATE_NOOP("Pellin", " (타일 세트에 없는 번호)")},
                            kEmptyTileCell, mapWidth, mapHeight);
}

PastedText ParseAttrText(std::string_view text, int mapWidth, int mapHeight)
{
    PastedText result =
        ParseNumbersText(text, {-32768, 32767, QT_TRANSLATE_NOOP("Pellin", " (-32768 ~ 32767 밖의 값)")}, kNoAttrCell,
                         mapWidth, mapHeight);
    if (!result.Accepted()) return result;
    // Attributes only: every tile entry is a hole that leaves its cell's tile.
    CCellBlock& block = result.block;
    block.m_attrs = std::move(block.m_tiles);
    block.m_tiles.assign(block.Count(), kEmptyTileCell);
    return result;
}

std::string AttrsAsText(const CCellBlock& block)
{
    CCellBlock numbers = block;
    numbers.m_tiles = block.m_attrs;
    return numbers.HasAttributes() ? CellsAsText(numbers) : std::string();
}
