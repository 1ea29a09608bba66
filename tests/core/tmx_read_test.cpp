// TMX maps as Tiled 1.8 writes them (every layer data encoding, embedded
// and external tilesets, margin and spacing), read cell by cell against
// what was written; and each kind of map the .Map format cannot hold,
// refused with its reason and nothing read.
#include "scratchfolder.h"
#include "pngwriter.h"
#include "sprite.h"
#include "testtiles.h"
#include "tmxread.h"

#include <gtest/gtest.h>
#include <zlib.h>
#ifdef PELLIN_HAVE_ZSTD
#include <zstd.h>
#endif

namespace {

constexpr int kW = 5, kH = 4;
const std::vector<std::uint32_t> kGids = {1, 2, 3, 4, 5, 6, 0, 6, 5, 4, 3, 2, 1, 0, 0, 2, 2, 2, 2, 6};

// The tileset picture: 3 x 2 tiles of 16 px, margin 1, spacing 2.
PngPicture Art()
{
    const auto bytes = TestBytes(54 * 36 * 3, 4);
    return PngPicture{54, 36, 2, 8, false, {bytes.begin(), bytes.end()}, {}, {}};
}

std::string Base64(const std::vector<std::uint8_t>& b)
{
    static const char* kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t i = 0; i < b.size(); i += 3) {
        const std::uint32_t v = b[i] << 16 | (i + 1 < b.size() ? b[i + 1] << 8 : 0) | (i + 2 < b.size() ? b[i + 2] : 0);
        for (std::size_t k = 0; k < 4; ++k) text += i + k <= b.size() ? kDigits[(v >> (18 - 6 * k)) & 63] : '=';
    }
    return text;
}

// The <data> element in one of Tiled's layer formats.
std::string Data(const std::string& format, const std::vector<std::uint32_t>& gids)
{
    std::string csv, xml;
    std::vector<std::uint8_t> raw, packed(gids.size() * 4 + 64);
    for (std::uint32_t g : gids) {
        csv += (csv.empty() ? "\n" : ",") + std::to_string(g);
        xml += "<tile gid=\"" + std::to_string(g) + "\"/>";
        for (int k = 0; k < 32; k += 8) raw.push_back(std::uint8_t(g >> k));
    }
    if (format == "csv") return "<data encoding=\"csv\">" + csv + "\n</data>";
    if (format == "xml") return "<data>" + xml + "</data>";
    z_stream s{};
    deflateInit2(&s, 9, Z_DEFLATED, format == "gzip" ? 31 : 15, 8, Z_DEFAULT_STRATEGY);
    s.next_in = raw.data(), s.avail_in = uInt(raw.size()), s.next_out = packed.data(),
    s.avail_out = uInt(packed.size());
    deflate(&s, Z_FINISH);
    packed.resize(s.total_out);
    deflateEnd(&s);
#ifdef PELLIN_HAVE_ZSTD
    if (format == "zstd") {
        packed.resize(raw.size() + 64);
        packed.resize(ZSTD_compress(packed.data(), packed.size(), raw.data(), raw.size(), 3));
    }
#endif
    if (format == "base64") packed = raw;
    const std::string compression = format == "base64" ? "" : " compression=\"" + format + "\"";
    return "<data encoding=\"base64\"" + compression + ">\n   " + Base64(packed) + "\n  </data>";
}

std::string TilesetBody(const std::string& margin = "1")
{
    return "tilewidth=\"16\" tileheight=\"16\" spacing=\"2\" margin=\"" + margin +
           "\" tilecount=\"6\" columns=\"3\">\n  <image source=\"art.png\" width=\"54\" height=\"36\"/>\n"
           "  <tile id=\"4\"><properties><property name=\"attribute\" type=\"int\" "
           "value=\"200\"/></properties></tile>\n"
           " </tileset>\n";
}

std::string Tmx(const std::string& data, const std::string& tileset)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.8\" tiledversion=\"1.8.2\" "
           "orientation=\"orthogonal\" "
           "renderorder=\"right-down\" width=\"5\" height=\"4\" tilewidth=\"16\" tileheight=\"16\" infinite=\"0\" "
           "nextlayerid=\"3\" "
           "nextobjectid=\"2\">\n" +
           tileset + " <layer id=\"1\" name=\"Tile Layer 1\" width=\"5\" height=\"4\">\n  " + data +
           "\n </layer>\n <objectgroup id=\"2\" name=\"map attributes\">\n  <object id=\"1\" x=\"16\" y=\"32\" "
           "width=\"32\" "
           "height=\"16\"><properties><property name=\"attribute\" type=\"int\" value=\"-7\"/></properties></object>\n"
           " </objectgroup>\n</map>\n";
}

std::string Write(const ScratchFolder& folder, const std::string& name, const std::string& text)
{
    WriteBytes(folder.File(name), std::vector<std::uint8_t>(text.begin(), text.end()));
    return folder.File(name);
}

class TiledFormats : public ::testing::TestWithParam<std::tuple<std::string, bool>> {};

TEST_P(TiledFormats, GiveTheCellsTilesAndAttributesWritten)
{
    const auto [format, external] = GetParam();
    ScratchFolder folder;
    std::filesystem::create_directory(folder.Path() / "sets");
    const PngPicture art = Art();
    WriteBytes(folder.File(external ? "sets/art.png" : "art.png"), EncodePng(art));
    std::string tileset = " <tileset firstgid=\"1\" name=\"art\" " + TilesetBody();
    if (external) {
        Write(folder, "sets/art.tsx",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tileset version=\"1.8\" name=\"art\" " + TilesetBody());
        tileset = " <tileset firstgid=\"1\" source=\"sets/art.tsx\"/>\n";
    }
    MapFileContent content;
    const TmxReadReport report = ReadTmxFile(Write(folder, "m.tmx", Tmx(Data(format, kGids), tileset)), content);
    ASSERT_EQ(report.result, TmxReadResult::Ok) << report.message;

    const CMapModel& map = content.map;
    ASSERT_EQ(CSize(map.MapWidth(), map.MapHeight()), CSize(kW, kH));
    EXPECT_EQ(content.bitCount, 24);
    for (int i = 0; i < kW * kH; ++i) {
        EXPECT_EQ(*map.m_cells.Tile(i % kW, i / kW), short(int(kGids[std::size_t(i)]) - 1)) << "cell " << i;
        EXPECT_EQ(*map.m_cells.Attr(i % kW, i / kW), i / kW == 2 && (i % kW == 1 || i % kW == 2) ? -7 : 0);
    }
    ASSERT_EQ(map.m_tileList.GetCount(), 6);
    for (int t = 0; t < 6; ++t) {
        const CSprite& tile = *map.m_tileList.GetAt(t);
        EXPECT_EQ(map.m_tileList.AttributeAt(t), t == 4 ? 200 : 0);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const std::size_t at = std::size_t((1 + t / 3 * 18 + y) * 54 + 1 + t % 3 * 18 + x) * 3;
                const std::uint32_t rgb =
                    0xFF000000u | art.samples[at] << 16 | art.samples[at + 1] << 8 | art.samples[at + 2];
                ASSERT_EQ(tile.GetScreenBits()[y * 16 + x], rgb) << "tile " << t;
            }
    }
}

#ifdef PELLIN_HAVE_ZSTD
const std::string kFormats[] = {"csv", "xml", "base64", "zlib", "gzip", "zstd"};
#else
const std::string kFormats[] = {"csv", "xml", "base64", "zlib", "gzip"};
#endif
INSTANTIATE_TEST_SUITE_P(Tmx, TiledFormats, ::testing::Combine(::testing::ValuesIn(kFormats), ::testing::Bool()));

struct Refusal {
    const char* name;
    std::string tmx;
    const char* says;
};

TEST(TmxRefusals, SayWhatDoesNotFitAndReadNothing)
{
    const std::string tileset = " <tileset firstgid=\"1\" name=\"art\" " + TilesetBody();
    const std::string good = Tmx(Data("csv", kGids), tileset);
    const auto with = [&](const std::string& from, const std::string& to, std::string text = "") {
        if (text.empty()) text = good;
        return text.replace(text.find(from), from.size(), to);
    };
    std::vector<std::uint32_t> flipped = kGids;
    flipped[7] |= 0x80000000u;
    std::vector<std::uint32_t> beyond = kGids;
    beyond[3] = 7;
    const std::string layer =
        "<layer id=\"1\" name=\"Tile Layer 1\" width=\"5\" height=\"4\">\n  " + Data("csv", kGids) + "\n </layer>\n";
    const Refusal refusals[] = {
        {"isometric", with("orthogonal", "isometric"), "직교(orthogonal) 맵만"},
        {"infinite", with("infinite=\"0\"", "infinite=\"1\""), "무한(infinite) 맵은"},
        {"two tilesets", with(" <layer", " <tileset firstgid=\"7\" source=\"x.tsx\"/>\n <layer"), "타일셋이 2개인"},
        {"two tile layers", with(" <layer", " " + layer + " <layer"), "타일 층이 2개인"},
        {"flipped tile", Tmx(Data("csv", flipped), tileset), "뒤집거나 돌린 타일은"},
        {"no whole tiles", Tmx(Data("csv", kGids), " <tileset firstgid=\"1\" name=\"a\" " + TilesetBody("40")),
         "온전한 타일이 하나도"},
        {"tile size",
         with("tilewidth=\"16\" tileheight=\"16\" infinite", "tilewidth=\"20\" tileheight=\"20\" infinite"),
         "16, 24, 32, 64"},
        {"tileset tile size",
         with("tilewidth=\"16\" tileheight=\"16\" spacing", "tilewidth=\"32\" tileheight=\"32\" spacing"),
         "타일셋의 타일 크기"},
        {"gid past the tileset", Tmx(Data("csv", beyond), tileset), "타일셋에 없는 타일"},
        {"image per tile", with("<image source=\"art.png\" width=\"54\" height=\"36\"/>", ""), "그림이 따로 있는"},
        {"compression", with("<data encoding=\"csv\">", "<data encoding=\"base64\" compression=\"lzma\">"),
         "압축 방식"},
        {"damaged data", Tmx(Data("zlib", kGids).replace(60, 4, "AAAA"), tileset), "손상"},
        {"short data", Tmx(Data("csv", std::vector<std::uint32_t>(19, 1)), tileset), "칸 수가"},
        {"XML error", good.substr(0, 300), "XML 오류"},
        {"no picture", with("art.png", "gone.png"), "열 수 없습니다"},
        {"object off the grid", with("x=\"16\" y=\"32\"", "x=\"17\" y=\"32\""), "칸에 맞게"},
        {"attribute range", with("value=\"200\"", "value=\"256\""), "0에서 255 사이"},
    };
    ScratchFolder folder;
    WriteBytes(folder.File("art.png"), EncodePng(Art()));
    for (const Refusal& refusal : refusals) {
        MapFileContent content;
        content.bitCount = 77;
        const TmxReadReport report = ReadTmxFile(Write(folder, "m.tmx", refusal.tmx), content);
        EXPECT_NE(report.result, TmxReadResult::Ok) << refusal.name;
        EXPECT_NE(report.message.find(refusal.says), std::string::npos) << refusal.name << ": " << report.message;
        EXPECT_EQ(content.bitCount, 77) << refusal.name;
        EXPECT_TRUE(content.map.m_tileList.IsEmpty()) << refusal.name;
    }
}

}  // namespace
