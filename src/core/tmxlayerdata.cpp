#include "tmxlayerdata.h"
#include "messagetext.h"

#include <zlib.h>
#ifdef PELLIN_HAVE_ZSTD
#include <zstd.h>
#endif

#include <cstring>
#include <new>

namespace {

constexpr const char* kDamaged = QT_TRANSLATE_NOOP("Pellin", "타일 층의 데이터가 손상되었습니다");

int Base64Value(char c)
{
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

bool IsSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

// Standard base64 with optional padding; white space anywhere is skipped.
bool DecodeBase64(const char* text, std::vector<std::uint8_t>& out)
{
    std::uint32_t bits = 0;
    int held = 0;
    bool padding = false;
    for (const char* p = text; *p; ++p) {
        if (IsSpace(*p)) continue;
        if (*p == '=') {
            padding = true;
            continue;
        }
        const int value = Base64Value(*p);
        if (value < 0 || padding) return false;
        bits = (bits << 6) | std::uint32_t(value);
        held += 6;
        if (held >= 8) {
            held -= 8;
            out.push_back(std::uint8_t(bits >> held));
        }
    }
    return held < 6;
}

// Inflates a zlib (windowBits 15) or gzip (31) stream that must hold exactly
// out.size() bytes.
bool Inflate(const std::vector<std::uint8_t>& in, int windowBits, std::vector<std::uint8_t>& out)
{
    z_stream stream{};
    if (inflateInit2(&stream, windowBits) != Z_OK) return false;
    stream.next_in = const_cast<Bytef*>(in.data());
    stream.avail_in = uInt(in.size());
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    int status = inflate(&stream, Z_FINISH);
    // Bytes past the expected end show as a full output buffer without the end.
    if (status == Z_BUF_ERROR && stream.avail_out == 0) {
        std::uint8_t extra = 0;
        stream.next_out = &extra;
        stream.avail_out = 1;
        status = inflate(&stream, Z_FINISH);
    }
    const bool ok = status == Z_STREAM_END && stream.total_out == out.size();
    inflateEnd(&stream);
    return ok;
}

// The decimal gid at p, which is moved past it; false when there is none or
// it is beyond 32 bits.
bool ParseGid(const char*& p, std::uint32_t& gid)
{
    if (*p < '0' || *p > '9') return false;
    std::uint64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + std::uint64_t(*p - '0');
        if (value > UINT32_MAX) return false;
    }
    gid = std::uint32_t(value);
    return true;
}

LayerDataResult ParseCsv(const char* text, std::size_t cells, std::vector<std::uint32_t>& gids)
{
    const char* p = text;
    while (true) {
        while (IsSpace(*p)) ++p;
        std::uint32_t gid = 0;
        if (!ParseGid(p, gid)) return LayerDataResult::Damaged;
        if (gids.size() == cells) return LayerDataResult::Damaged;
        gids.push_back(gid);
        while (IsSpace(*p)) ++p;
        if (*p == '\0') break;
        if (*p++ != ',') return LayerDataResult::Damaged;
    }
    return LayerDataResult::Ok;
}

bool KnownCompression(const std::string& compression)
{
#ifdef PELLIN_HAVE_ZSTD
    if (compression == "zstd") return true;
#endif
    return compression.empty() || compression == "zlib" || compression == "gzip";
}

LayerDataResult DecodeBase64Layer(const pugi::xml_node& data, std::size_t cells, std::vector<std::uint32_t>& gids,
                                  std::string& error)
{
    const std::string compression = data.attribute("compression").value();
    if (!KnownCompression(compression)) {
        error = TrFill(QT_TRANSLATE_NOOP("Pellin", "타일 층의 압축 방식 \"%1\"은(는) 읽을 수 없습니다"), {compression});
        return LayerDataResult::Unsupported;
    }
    std::vector<std::uint8_t> packed;
    if (!DecodeBase64(data.text().get(), packed)) return LayerDataResult::Damaged;
    std::vector<std::uint8_t> bytes(cells * 4);
    bool unpacked = true;
    if (compression.empty()) {
        bytes = std::move(packed);
    } else if (compression == "zlib" || compression == "gzip") {
        unpacked = Inflate(packed, compression == "zlib" ? 15 : 31, bytes);
    } else {
#ifdef PELLIN_HAVE_ZSTD
        const std::size_t size = ZSTD_decompress(bytes.data(), bytes.size(), packed.data(), packed.size());
        unpacked = !ZSTD_isError(size) && size == bytes.size();
#endif
    }
    if (!unpacked || bytes.size() != cells * 4) return LayerDataResult::Damaged;
    gids.resize(cells);
    for (std::size_t i = 0; i < cells; ++i)
        gids[i] = std::uint32_t(bytes[4 * i]) | std::uint32_t(bytes[4 * i + 1]) << 8 |
                  std::uint32_t(bytes[4 * i + 2]) << 16 | std::uint32_t(bytes[4 * i + 3]) << 24;
    return LayerDataResult::Ok;
}

LayerDataResult Decode(const pugi::xml_node& data, std::size_t cells, std::vector<std::uint32_t>& gids,
                       std::string& error)
{
    const std::string encoding = data.attribute("encoding").value();
    if (encoding == "csv") return ParseCsv(data.text().get(), cells, gids);
    if (encoding == "base64") return DecodeBase64Layer(data, cells, gids, error);
    if (!encoding.empty()) {
        error = TrFill(QT_TRANSLATE_NOOP("Pellin", "타일 층의 인코딩 \"%1\"은(는) 읽을 수 없습니다"), {encoding});
        return LayerDataResult::Unsupported;
    }
    // <tile/> is an empty cell; a gid that is no number is damage, not one.
    for (const pugi::xml_node& tile : data.children("tile")) {
        if (gids.size() == cells) return LayerDataResult::Damaged;
        std::uint32_t gid = 0;
        const char* p = tile.attribute("gid").value();
        if (tile.attribute("gid") && (!ParseGid(p, gid) || *p != '\0')) return LayerDataResult::Damaged;
        gids.push_back(gid);
    }
    return LayerDataResult::Ok;
}

}  // namespace

LayerDataResult DecodeLayerData(const pugi::xml_node& data, std::size_t cells, std::vector<std::uint32_t>& gids,
                                std::string& error)
{
    gids.clear();
    LayerDataResult result = LayerDataResult::NoMemory;
    try {
        gids.reserve(cells);
        result = Decode(data, cells, gids, error);
    } catch (const std::bad_alloc&) {
        error = TrMessage(QT_TRANSLATE_NOOP("Pellin", "메모리가 부족해 타일 층을 읽을 수 없습니다"));
        return LayerDataResult::NoMemory;
    }
    if (result == LayerDataResult::Ok && gids.size() != cells) {
        error = TrMessage(QT_TRANSLATE_NOOP("Pellin", "타일 층의 칸 수가 맵의 크기와 맞지 않습니다"));
        return LayerDataResult::Damaged;
    }
    if (result == LayerDataResult::Damaged) error = TrMessage(kDamaged);
    return result;
}
