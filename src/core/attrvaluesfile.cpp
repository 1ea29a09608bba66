#include "attrvaluesfile.h"

#include "safesave.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

namespace {

using Json = nlohmann::ordered_json;  // keys written in the order given

// Far beyond what 65,536 named values need; a larger file is not ours.
constexpr std::uintmax_t kMaxFileBytes = 16u << 20;

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One entry of "values"; nothing when it is not a well-formed entry.
std::optional<AttrValueDetails> EntryOf(const Json& entry)
{
    if (!entry.is_object()) return std::nullopt;
    const auto value = entry.find("value");
    if (value == entry.end() || !value->is_number_integer()) return std::nullopt;
    const std::int64_t number = value->get<std::int64_t>();
    const bool outOfRange =
        value->is_number_unsigned() ? value->get<std::uint64_t>() > 32767u : (number < -32768 || number > 32767);
    if (outOfRange) return std::nullopt;
    AttrValueDetails details;
    details.value = short(number);
    if (const auto name = entry.find("name"); name != entry.end()) {
        if (!name->is_string()) return std::nullopt;
        details.name = name->get<std::string>();
    }
    if (const auto colour = entry.find("colour"); colour != entry.end()) {
        if (!colour->is_string()) return std::nullopt;
        details.colour = ParseAttrColour(colour->get<std::string>());
        if (!details.colour) return std::nullopt;
    }
    return details;
}

}  // namespace

std::string AttrValuesFilePath(const std::string& mapPath) { return mapPath + kAttrValuesFileSuffix; }

std::string AttrColourText(const AttrColour& colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
}

std::optional<AttrColour> ParseAttrColour(std::string_view text)
{
    if (text.size() != 7 || text[0] != '#') return std::nullopt;
    int channels[3];
    for (int i = 0; i < 3; ++i) {
        const int high = HexDigit(text[1 + 2 * i]);
        const int low = HexDigit(text[2 + 2 * i]);
        if (high < 0 || low < 0) return std::nullopt;
        channels[i] = high * 16 + low;
    }
    return AttrColour{std::uint8_t(channels[0]), std::uint8_t(channels[1]), std::uint8_t(channels[2])};
}

std::string EncodeAttrValues(const std::vector<AttrValueDetails>& values)
{
    Json list = Json::array();
    for (const AttrValueDetails& details : values) {
        Json entry = {{"value", details.value}};
        if (!details.name.empty()) entry["name"] = details.name;
        if (details.colour) entry["colour"] = AttrColourText(*details.colour);
        list.push_back(std::move(entry));
    }
    const Json file = {{"format", kAttrValuesFormat}, {"version", 1}, {"values", std::move(list)}};
    // Names are kept as they are; a name that is not UTF-8 cannot stop a save.
    return file.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

bool ParseAttrValues(std::string_view text, std::vector<AttrValueDetails>& out)
{
    const Json file = Json::parse(text, nullptr, false);
    if (file.is_discarded() || !file.is_object()) return false;
    const auto format = file.find("format");
    const auto version = file.find("version");
    const auto values = file.find("values");
    if (format == file.end() || *format != kAttrValuesFormat) return false;
    if (version == file.end() || !version->is_number_integer() || *version != 1) return false;
    if (values == file.end() || !values->is_array()) return false;
    std::vector<AttrValueDetails> read;
    std::set<short> seen;
    for (const Json& entry : *values) {
        std::optional<AttrValueDetails> details = EntryOf(entry);
        if (!details || !seen.insert(details->value).second) return false;
        read.push_back(std::move(*details));
    }
    out = std::move(read);
    return true;
}

AttrValuesReadResult ReadAttrValuesFile(const std::string& path, CAttrValueTable& table)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return AttrValuesReadResult::Missing;
    std::ifstream in(path, std::ios::binary);
    if (!in) return AttrValuesReadResult::Damaged;
    std::string text;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, std::size_t(in.gcount()));
        if (text.size() > kMaxFileBytes) return AttrValuesReadResult::Damaged;
    }
    if (in.bad()) return AttrValuesReadResult::Damaged;
    std::vector<AttrValueDetails> values;
    if (!ParseAttrValues(text, values)) return AttrValuesReadResult::Damaged;
    table.Keep(values);
    return AttrValuesReadResult::Ok;
}

bool WriteAttrValuesFile(const std::string& path, const CAttrValueTable& table)
{
    const std::string text = EncodeAttrValues(table.Kept());
    SafeSave save(path);
    if (!save.Open()) return false;
    return std::fwrite(text.data(), 1, text.size(), save.Stream()) == text.size() && save.Commit();
}
