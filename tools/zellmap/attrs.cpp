// zellmap attrs: the map's attribute layer as CSV or JSON, and a copy of a
// map whose attribute layer comes from a CSV file.
#include "commands.h"
#include "messagetext.h"
#include "mapinput.h"
#include "outputfile.h"
#include "toolsupport.h"

#include "attrvalues.h"
#include "attrvaluesfile.h"
#include "celllayers.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>

const char* const kAttrsHelp =
    QT_TRANSLATE_NOOP("Pellin",
                      "사용법: zellmap attrs MAP [--json]\n"
                      "       zellmap attrs MAP --set LAYER.csv -o OUT.Map\n"
                      "\n"
                      "맵 화일의 칸 속성 층을 CSV로 씁니다: 맵의 한 행이 한 줄, 칸의 값(-32768에서\n"
                      "32767)을 쉼표로 나눕니다.\n"
                      "\n"
                      "  --json        JSON 객체 하나로 씁니다: {\"width\": 너비, \"height\": 높이,\n"
                      "                \"values\": [...], \"cells\": [[첫 행의 값...], ...]}. values는\n"
                      "                목록에 오르는 값(0, 칸이 쓰는 값, 맵 옆의 MAP.attrs.json에 있는\n"
                      "                값)마다 {\"value\": 값, \"name\": 이름, \"colour\": \"#rrggbb\",\n"
                      "                \"count\": 그 값을 가진 칸 수}이며 값의 차례입니다. 이름이 없으면\n"
                      "                \"\"(0은 \"없음\"), 고른 색이 없으면 값에서 정해지는 기본색입니다.\n"
                      "  --set CSV     CSV의 값을 칸 속성으로 한 맵 사본을 -o 화일에 씁니다. 타일과\n"
                      "                나머지 바이트는 원래 맵 그대로입니다.\n"
                      "  -o, --output  --set으로 쓸 맵 화일\n"
                      "\n"
                      "CSV는 맵과 크기가 같아야 합니다(행 수 = 높이, 한 행의 값 수 = 너비). 크기가\n"
                      "다르거나, 숫자가 아니거나, 범위를 벗어난 값이 있으면 몇 행 몇 열인지 알리고\n"
                      "화일을 쓰지 않고 1로 끝납니다. 값 양옆의 빈칸, 화일 처음의 BOM, 줄 끝의 CR,\n"
                      "화일 끝의 빈 줄은 괜찮습니다.\n");

namespace {

// Writes whole rows of numbers through one buffer: a map of millions of
// cells prints in a moment.
class NumberWriter {
public:
    explicit NumberWriter(std::FILE* out) : m_out(out) {}
    ~NumberWriter() { Flush(); }
    void Text(const std::string& text) { Bytes(text.data(), text.size()); }
    void Char(char c) { Bytes(&c, 1); }
    void Numbers(const short* values, int count, char separator)
    {
        for (int i = 0; i < count; ++i) {
            if (i > 0) Char(separator);
            char digits[8];
            const auto end = std::to_chars(digits, digits + sizeof digits, values[i]).ptr;
            Bytes(digits, std::size_t(end - digits));
        }
    }
    void Flush()
    {
        if (!m_buffer.empty()) std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_out);
        m_buffer.clear();
    }

private:
    void Bytes(const char* bytes, std::size_t count)
    {
        m_buffer.append(bytes, count);
        if (m_buffer.size() >= (1 << 16)) Flush();
    }
    std::FILE* m_out;
    std::string m_buffer;
};

void PrintCsv(const CCellLayers& cells)
{
    NumberWriter out(stdout);
    std::vector<short> values(std::size_t(cells.Width()));
    for (int row = 0; row < cells.Height(); ++row) {
        cells.ReadRow(CellLayer::Attributes, row, values.data());
        out.Numbers(values.data(), cells.Width(), ',');
        out.Char('\n');
    }
}

void PrintJson(const CCellLayers& cells, const CAttrValueTable& table)
{
    nlohmann::ordered_json values = nlohmann::ordered_json::array();
    for (const AttrValueInfo& info : table.Values())
        values.push_back({{"value", info.value},
                          {"name", info.name},
                          {"colour", AttrColourText(info.colour)},
                          {"count", info.count}});
    NumberWriter out(stdout);
    out.Text("{\"width\": " + std::to_string(cells.Width()) + ", \"height\": " + std::to_string(cells.Height()) +
             ",\n \"values\": " + values.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) +
             ",\n \"cells\": [");
    std::vector<short> rowValues(std::size_t(cells.Width()));
    for (int row = 0; row < cells.Height(); ++row) {
        out.Text(row == 0 ? "\n  [" : ",\n  [");
        cells.ReadRow(CellLayer::Attributes, row, rowValues.data());
        out.Numbers(rowValues.data(), cells.Width(), ',');
        out.Char(']');
    }
    out.Text("\n ]}\n");
}

std::string Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// An optional sign and digits, however many.
bool LooksLikeInteger(const std::string& text)
{
    const std::size_t digits = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    return text.size() > digits && text.find_first_not_of("0123456789", digits) == std::string::npos;
}

// The CSV's values, row by row, for a layer of width x height cells; on a
// refusal, what is wrong and where.
bool ReadCsvLayer(const std::string& path, int width, int height, std::vector<short>& values, std::string& problem)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problem = TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\nCSV 화일을 열 수 없습니다"), {path});
        return false;
    }
    const std::string size =
        TrFill(QT_TRANSLATE_NOOP("Pellin", " (맵은 %1 x %2칸입니다)"), {std::to_string(width), std::to_string(height)});
    const auto at = [&](long long row, long long col) {
        return TrFill(QT_TRANSLATE_NOOP("Pellin", "%1 %2행 %3열: "), {path, std::to_string(row), std::to_string(col)});
    };
    values.clear();
    values.reserve(std::size_t(width) * std::size_t(height));
    std::string line;
    long long row = 0;         // rows read
    long long blankLines = 0;  // blank lines since, which only the file's end may follow
    while (std::getline(in, line)) {
        if (row == 0 && blankLines == 0 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (Trimmed(line).empty()) {
            // A map of no columns has rows of no values.
            if (width == 0 && blankLines == 0 && row < height)
                ++row;
            else
                ++blankLines;
            continue;
        }
        if (blankLines > 0 || row + 1 > height) {
            problem = at(row + 1, 1) +
                      (row + 1 > height ? TrMessage(QT_TRANSLATE_NOOP("Pellin", "값이 남습니다"))
                                        : TrMessage(QT_TRANSLATE_NOOP("Pellin", "값이 없습니다"))) +
                      size;
            return false;
        }
        ++row;
        long long col = 0;
        std::size_t from = 0;
        while (true) {
            const std::size_t comma = line.find(',', from);
            const std::string field = Trimmed(std::string_view(line).substr(from, comma - from));
            ++col;
            if (col > width) {
                problem = at(row, col) + TrMessage(QT_TRANSLATE_NOOP("Pellin", "값이 남습니다")) + size;
                return false;
            }
            const auto value = ParseInteger(field, -32768, 32767);
            if (!value) {
                problem =
                    at(row, col) +
                    (LooksLikeInteger(field)
                         ? TrFill(QT_TRANSLATE_NOOP("Pellin", "-32768에서 32767 사이의 수가 아닙니다: %1"), {field})
                         : TrFill(QT_TRANSLATE_NOOP("Pellin", "숫자가 아닙니다: \"%1\""), {field}));
                return false;
            }
            values.push_back(short(*value));
            if (comma == std::string::npos) break;
            from = comma + 1;
        }
        if (col < width) {
            problem = at(row, col + 1) + TrMessage(QT_TRANSLATE_NOOP("Pellin", "값이 없습니다")) + size;
            return false;
        }
    }
    if (row < height) {
        problem = at(row + 1, 1) + TrMessage(QT_TRANSLATE_NOOP("Pellin", "값이 없습니다")) + size;
        return false;
    }
    return true;
}

// The map file's bytes up to its attribute layer (the file's last
// 2 x width x height bytes), then the new layer, through a safe save.
int WriteWithLayer(const std::string& mapPath, const std::string& outPath, const std::vector<short>& values)
{
    std::error_code error;
    const std::uintmax_t fileSize = std::filesystem::file_size(mapPath, error);
    const std::uintmax_t layerBytes = 2 * std::uintmax_t(values.size());
    if (error || fileSize < layerBytes)
        return Fail(TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n맵 화일을 읽을 수 없습니다"), {mapPath}));
    std::FILE* in = std::fopen(mapPath.c_str(), "rb");
    if (!in) return Fail(TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n맵 화일을 읽을 수 없습니다"), {mapPath}));
    OutputFile file(outPath);
    if (!file.Open()) {
        std::fclose(in);
        return Fail(TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n화일을 만들 수 없습니다"), {outPath}));
    }
    std::vector<char> buffer(1 << 20);
    bool ok = true;
    for (std::uintmax_t left = fileSize - layerBytes; ok && left > 0;) {
        const std::size_t want = std::size_t(std::min<std::uintmax_t>(left, buffer.size()));
        ok = std::fread(buffer.data(), 1, want, in) == want &&
             std::fwrite(buffer.data(), 1, want, file.Stream()) == want;
        left -= want;
    }
    std::fclose(in);
    if (!ok) return Fail(TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n맵 화일을 읽을 수 없습니다"), {mapPath}));
    std::string layer;
    layer.reserve(std::size_t(layerBytes));
    for (const short value : values) {
        layer.push_back(char(std::uint16_t(value) & 0xFF));
        layer.push_back(char(std::uint16_t(value) >> 8));
    }
    if (std::fwrite(layer.data(), 1, layer.size(), file.Stream()) != layer.size() || !file.Commit())
        return Fail(TrFill(QT_TRANSLATE_NOOP("Pellin", "%1\n화일을 쓸 수 없습니다"), {outPath}));
    return kExitOk;
}

}  // namespace

int RunAttrs(const Arguments& args)
{
    std::string error;
    const auto parsed = ParseArgs(args, {{"--json"}, {"--set", true}, {"--output", true, "-o"}}, error);
    if (!parsed) return UsageError("attrs", error);
    if (parsed->positional.size() != 1)
        return UsageError("attrs", QT_TRANSLATE_NOOP("Pellin", "맵 화일 하나를 주십시오"));
    const auto csv = parsed->Value("--set");
    const auto output = parsed->Value("--output");
    if (csv && !output) return UsageError("attrs", QT_TRANSLATE_NOOP("Pellin", "--set에는 -o로 쓸 맵 화일을 주십시오"));
    if (output && !csv) return UsageError("attrs", QT_TRANSLATE_NOOP("Pellin", "-o는 --set과 함께만 씁니다"));
    if (csv && parsed->Has("--json"))
        return UsageError("attrs", QT_TRANSLATE_NOOP("Pellin", "--json과 --set은 함께 쓸 수 없습니다"));
    const std::string& path = parsed->positional[0];

    LoadedMap map;
    if (LoadMapForTool(path, map) != MapReadResult::Ok) return kExitFailed;
    const CCellLayers& cells = map.Map().m_cells;

    if (csv) {
        std::vector<short> values;
        std::string problem;
        if (!ReadCsvLayer(*csv, cells.Width(), cells.Height(), values, problem)) return Fail(problem);
        return WriteWithLayer(path, *output, values);
    }
    if (!parsed->Has("--json")) {
        PrintCsv(cells);
        return kExitOk;
    }
    CAttrValueTable table;
    table.Recount(cells);
    const std::string names = AttrValuesFilePath(path);
    if (ReadAttrValuesFile(names, table) == AttrValuesReadResult::Damaged)
        std::fprintf(stderr, "%s%s\n", TrMessage(kMsgAttrValuesFileIgnored).c_str(), names.c_str());
    PrintJson(cells, table);
    return kExitOk;
}
