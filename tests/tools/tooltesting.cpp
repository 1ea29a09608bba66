#include "tooltesting.h"

#include "testtiles.h"

#include "sprite.h"

#include <QImage>

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> Deterministic(std::size_t count, unsigned seed)
{
    std::vector<std::uint8_t> bytes(count);
    std::uint32_t state = seed * 2654435761u + 7u;
    for (auto& b : bytes) {
        state = state * 1664525u + 1013904223u;
        b = std::uint8_t(state >> 24);
    }
    return bytes;
}

std::array<RGBQUAD, 256> Colours(unsigned seed)
{
    const auto bytes = Deterministic(256 * 3, seed + 99);
    std::array<RGBQUAD, 256> colours{};
    for (std::size_t i = 0; i < 256; ++i) colours[i] = RGBQUAD{bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2], 0};
    return colours;
}

}  // namespace

ToolRun RunZellmap(const std::vector<std::string>& args, const std::filesystem::path& folder)
{
    const std::filesystem::path outPath = folder / ".zellmap-stdout";
    const std::filesystem::path errPath = folder / ".zellmap-stderr";
    std::vector<std::string> all{ZELLMAP_EXE};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    ToolRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, ZELLMAP_EXE, &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = ReadText(outPath);
    run.err = ReadText(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}

std::vector<short> TestMap::Cells() const
{
    if (!cells.empty()) return cells;
    std::vector<short> made(std::size_t(mapWidth) * std::size_t(mapHeight));
    for (std::size_t i = 0; i < made.size(); ++i) made[i] = short(int(i % std::size_t(tileCount + 2)) - 1);
    return made;
}

std::vector<short> TestMap::Attrs() const
{
    if (!attrs.empty()) return attrs;
    std::vector<short> made(std::size_t(mapWidth) * std::size_t(mapHeight), 0);
    for (std::size_t i = 0; i < made.size(); i += 5) made[i] = short(int(i) * 37 - 300);
    return made;
}

void TestMap::MakeTiles(CTileList& tiles) const
{
    const auto colours = Colours(seed);
    const std::size_t stride = std::size_t(MapFileRowSize(tileWidth, bitCount));
    for (int i = 0; i < tileCount; ++i) {
        const auto rows = Deterministic(stride * std::size_t(tileHeight), seed * 1000 + unsigned(i));
        auto* tile = new CSprite;
        tile->CreateFromData(BYTE(tileWidth), BYTE(tileHeight), colours.data(), rows.data(), bitCount);
        tiles.AddTail(tile, BYTE(10 + i));
    }
}

CMapModel TestMap::Model() const
{
    CMapModel model = ModelOf(mapWidth, mapHeight, tileWidth, tileHeight, Cells(), Attrs());
    MakeTiles(model.m_tileList);
    return model;
}

std::vector<std::uint8_t> TestMap::Encode() const
{
    const CMapModel model = Model();
    const auto colours = Colours(seed);
    MapSaveInput input;
    input.map = &model;
    input.bitmapBitCount = bitCount;
    input.bitmapColours = colours.data();
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(EncodeMapFile(input, bytes), MapWriteResult::Ok);
    return bytes;
}

Picture ReadPicture(const std::string& path)
{
    QImage image;
    if (!image.load(QString::fromStdString(path))) return {};
    image = image.convertToFormat(QImage::Format_RGB32);
    Picture picture{image.width(), image.height(), {}};
    picture.pixels.reserve(std::size_t(image.width()) * std::size_t(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        picture.pixels.insert(picture.pixels.end(), line, line + image.width());
    }
    return picture;
}

Picture MapViewImage(const TestMap& map)
{
    const CMapModel model = map.Model();
    Picture picture{map.mapWidth * map.tileWidth, map.mapHeight * map.tileHeight, {}};
    picture.pixels.assign(std::size_t(picture.width) * std::size_t(picture.height), 0);
    const MapPixels target{picture.pixels.data(), picture.width, picture.height, picture.width, 0, 0};
    RenderMapRegion(target, model);
    return picture;
}

std::string FirstDifference(const Picture& a, const Picture& b)
{
    std::ostringstream text;
    if (a.width != b.width || a.height != b.height) {
        text << "sizes " << a.width << "x" << a.height << " and " << b.width << "x" << b.height;
        return text.str();
    }
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.At(x, y) != b.At(x, y)) {
                text << "first difference at (" << x << ", " << y << "): " << std::hex << a.At(x, y) << " vs "
                     << b.At(x, y);
                return text.str();
            }
    return "no difference";
}
