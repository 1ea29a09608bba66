// zellmap attrs: the attribute layer out as CSV and JSON, back in from a
// CSV into a copy whose other bytes are the map's own, and the CSVs it
// refuses.
#include "tooltesting.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <ostream>

namespace {

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string CsvOf(const std::vector<short>& values, int width)
{
    std::string csv;
    for (std::size_t i = 0; i < values.size(); ++i)
        csv += std::to_string(values[i]) + ((i + 1) % std::size_t(width) == 0 ? "\n" : ",");
    return csv;
}

// The map's bytes with the attribute layer (the file's end) replaced.
std::vector<std::uint8_t> WithLayer(std::vector<std::uint8_t> bytes, const std::vector<short>& values)
{
    std::size_t at = bytes.size() - 2 * values.size();
    for (const short value : values) {
        bytes[at++] = std::uint8_t(std::uint16_t(value) & 0xFF);
        bytes[at++] = std::uint8_t(std::uint16_t(value) >> 8);
    }
    return bytes;
}

class AttrsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        map.mapWidth = 4;
        map.mapHeight = 3;
        map.attrs = {0, 5, 0, -5, 32767, -32768, 5, 0, 0, 0, 0, 12};
        bytes = map.Encode();
        WriteBytes(folder.File("m.Map"), bytes);
    }
    TestMap map;
    std::vector<std::uint8_t> bytes;
    ScratchFolder folder;
};

}  // namespace

TEST_F(AttrsTest, CsvOutAndBackGivesTheMapWithOnlyItsAttributeLayerReplaced)
{
    const ToolRun out = RunZellmap({"attrs", "m.Map"}, folder.Path());
    ASSERT_EQ(out.status, 0) << out.err;
    EXPECT_EQ(out.out, "0,5,0,-5\n32767,-32768,5,0\n0,0,0,12\n");

    const std::vector<short> changed = {1, 2, 3, 4, -1, -2, -3, -4, 32767, -32768, 0, 0};
    // A spreadsheet's CSV: a byte-order mark, CRLF, blanks, a blank last line.
    WriteText(folder.File("new.csv"),
              "\xEF\xBB\xBF"
              "1, 2,3 ,4\r\n-1,-2,-3,-4\r\n+32767,-32768,0,0\r\n\r\n");
    const ToolRun set = RunZellmap({"attrs", "m.Map", "--set", "new.csv", "-o", "out.Map"}, folder.Path());
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(ReadBytes(folder.File("out.Map")), WithLayer(bytes, changed));
    EXPECT_EQ(ReadBytes(folder.File("m.Map")), bytes);

    const ToolRun back = RunZellmap({"attrs", "out.Map"}, folder.Path());
    EXPECT_EQ(back.out, CsvOf(changed, 4));
}

TEST_F(AttrsTest, JsonListsCellsAndValuesWithTheNamesAndColoursBesideTheMap)
{
    WriteText(folder.File("m.Map.attrs.json"), R"({"format": "pellin-map-tool attribute values", "version": 1,
        "values": [{"value": 5, "name": "물", "colour": "#102030"}, {"value": 99, "name": "안 쓰는 값"}]})");
    const ToolRun run = RunZellmap({"attrs", "m.Map", "--json"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    QJsonParseError error{};
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out;
    EXPECT_EQ(json["width"].toInt(), 4);
    EXPECT_EQ(json["height"].toInt(), 3);
    std::vector<short> cells;
    for (const QJsonValue& row : json["cells"].toArray()) {
        EXPECT_EQ(row.toArray().size(), 4);
        for (const QJsonValue& cell : row.toArray()) cells.push_back(short(cell.toInt()));
    }
    EXPECT_EQ(cells, map.attrs);

    std::string listed;
    for (const QJsonValue& value : json["values"].toArray()) {
        const QJsonObject v = value.toObject();
        listed += std::to_string(v["value"].toInt()) + " " + v["name"].toString().toStdString() + " " +
                  v["colour"].toString().toStdString().substr(0, 1) + " " + std::to_string(v["count"].toInt()) + ";";
        if (v["value"].toInt() == 5) {
            EXPECT_EQ(v["colour"].toString(), "#102030");
        }
    }
    EXPECT_EQ(listed, "-32768  # 1;-5  # 1;0 없음 # 6;5 물 # 2;12  # 1;99 안 쓰는 값 # 0;32767  # 1;");

    // A damaged file beside the map is passed over with a note.
    WriteText(folder.File("m.Map.attrs.json"), "{\"values\": [");
    const ToolRun damaged = RunZellmap({"attrs", "m.Map", "--json"}, folder.Path());
    EXPECT_EQ(damaged.status, 0);
    EXPECT_NE(damaged.err.find("속성 값 화일이 손상되어 무시했습니다"), std::string::npos) << damaged.err;
    EXPECT_NE(damaged.out.find("\"cells\""), std::string::npos);
}

struct Refusal {
    const char* csv;
    const char* message;  // what standard error must hold
};

// Names each case by its text, so that test names stay the same from run to run.
void PrintTo(const Refusal& refusal, std::ostream* out)
{
    std::string text = refusal.csv;
    std::replace(text.begin(), text.end(), '\n', '/');
    *out << '"' << text << '"';
}

class AttrsRefusal : public AttrsTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(AttrsRefusal, SaysWhereAndWritesNothing)
{
    WriteText(folder.File("bad.csv"), GetParam().csv);
    const ToolRun run = RunZellmap({"attrs", "m.Map", "--set", "bad.csv", "-o", "out.Map"}, folder.Path());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder.File("out.Map")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);  // m.Map, bad.csv
}

INSTANTIATE_TEST_SUITE_P(
    Csv, AttrsRefusal,
    ::testing::Values(Refusal{"1,2,3,4\n5,6,x7,8\n0,0,0,0\n", "bad.csv 2행 3열: 숫자가 아닙니다: \"x7\""},
                      Refusal{"1,2,3,4\n5,6,7,8\n0,0,,0\n", "3행 3열: 숫자가 아닙니다: \"\""},
                      Refusal{"1,2,3,4\n5,6,7,8\n0,0,0,1.5\n", "3행 4열: 숫자가 아닙니다: \"1.5\""},
                      Refusal{"1,2,3,32768\n5,6,7,8\n0,0,0,0\n",
                              "1행 4열: -32768에서 32767 사이의 수가 아닙니다: 32768"},
                      Refusal{"1,2,3,4\n-99999999999999999999,6,7,8\n0,0,0,0\n", "2행 1열: -32768에서 32767"},
                      Refusal{"1,2,3,4\n5,6,7\n0,0,0,0\n", "2행 4열: 값이 없습니다 (맵은 4 x 3칸입니다)"},
                      Refusal{"1,2,3,4\n5,6,7,8,9\n0,0,0,0\n", "2행 5열: 값이 남습니다"},
                      Refusal{"1,2,3,4\n5,6,7,8\n", "3행 1열: 값이 없습니다"},
                      Refusal{"1,2,3,4\n5,6,7,8\n0,0,0,0\n1,1,1,1\n", "4행 1열: 값이 남습니다"},
                      Refusal{"1,2,3,4\n\n5,6,7,8\n0,0,0,0\n", "2행 1열: 값이 없습니다"},
                      Refusal{"", "1행 1열: 값이 없습니다"}));

TEST_F(AttrsTest, WrongCommandLinesAndMissingFiles)
{
    WriteText(folder.File("ok.csv"), CsvOf(map.attrs, 4));
    const struct {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"attrs"}, 2},
        {{"attrs", "m.Map", "m.Map"}, 2},
        {{"attrs", "m.Map", "--set", "ok.csv"}, 2},
        {{"attrs", "m.Map", "-o", "out.Map"}, 2},
        {{"attrs", "m.Map", "--json", "--set", "ok.csv", "-o", "out.Map"}, 2},
        {{"attrs", "m.Map", "--bogus"}, 2},
        {{"attrs", "none.Map"}, 1},
        {{"attrs", "m.Map", "--set", "none.csv", "-o", "out.Map"}, 1},
        {{"attrs", "ok.csv"}, 1},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunZellmap(c.args, folder.Path());
        EXPECT_EQ(run.status, c.status) << c.args.size() << " " << run.err;
        EXPECT_FALSE(run.err.empty());
        EXPECT_FALSE(std::filesystem::exists(folder.File("out.Map")));
    }
    const ToolRun help = RunZellmap({"attrs", "--help"}, folder.Path());
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--set"), std::string::npos);
}
