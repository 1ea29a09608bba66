#include "autorulesfile.h"

#include "safesave.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>

namespace {

using Json = nlohmann::ordered_json;  // keys written in the order given

constexpr std::uintmax_t kMaxFileBytes = 64u << 20;
constexpr int kMaxOutputSide = 256;
// Far beyond any useful share, and small enough that a rule's weights never overflow.
constexpr int kMaxWeight = 1000000;

std::string PatternText(const PatternCell& cell)
{
    if (cell.test == PatternTest::Any) return "*";
    char text[8] = {cell.test == PatternTest::Equal ? '=' : '!'};
    char* end = std::to_chars(text + 1, text + sizeof text, cell.value).ptr;
    return std::string(text, std::size_t(end - text));
}

std::optional<PatternCell> ParsePatternCell(std::string_view text)
{
    if (text == "*") return PatternCell{};
    PatternCell cell;
    static constexpr std::string_view kNotEqualSign = "≠";
    if (text.starts_with('=')) {
        cell.test = PatternTest::Equal;
        text.remove_prefix(1);
    } else if (text.starts_with('!')) {
        cell.test = PatternTest::NotEqual;
        text.remove_prefix(1);
    } else if (text.starts_with(kNotEqualSign)) {
        cell.test = PatternTest::NotEqual;
        text.remove_prefix(kNotEqualSign.size());
    } else {
        return std::nullopt;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    if (value < -32768 || value > 32767) return std::nullopt;
    cell.value = short(value);
    return cell;
}

// A key that may be left out: false when it is there with another type.
template <class T>
bool Optional(const Json& object, const char* key, T& value)
{
    const auto at = object.find(key);
    if (at == object.end()) return true;
    if constexpr (std::is_same_v<T, bool>) {
        if (!at->is_boolean()) return false;
        value = at->get<bool>();
    } else if constexpr (std::is_same_v<T, std::string>) {
        if (!at->is_string()) return false;
        value = at->get<std::string>();
    } else {
        if (!at->is_number_integer()) return false;
        const std::int64_t number = at->is_number_unsigned()
                                        ? std::int64_t(std::min<std::uint64_t>(at->get<std::uint64_t>(), 1ull << 40))
                                        : at->get<std::int64_t>();
        if (number < std::int64_t(std::numeric_limits<T>::min()) ||
            number > std::int64_t(std::numeric_limits<T>::max()))
            return false;
        value = T(number);
    }
    return true;
}

std::optional<RuleOutput> ParseOutput(const Json& entry)
{
    if (!entry.is_object()) return std::nullopt;
    const auto tiles = entry.find("tiles");
    if (tiles == entry.end() || !tiles->is_array() || tiles->empty()) return std::nullopt;
    RuleOutput output;
    for (const Json& tile : *tiles) {
        if (!tile.is_string()) return std::nullopt;
        const auto fingerprint = TileFingerprint::FromHex(tile.get<std::string>());
        if (!fingerprint) return std::nullopt;
        output.tiles.push_back(*fingerprint);
    }
    const int count = int(output.tiles.size());
    if (!Optional(entry, "height", output.height) || !Optional(entry, "weight", output.weight)) return std::nullopt;
    output.width = count / std::max(output.height, 1);
    if (!Optional(entry, "width", output.width)) return std::nullopt;
    if (output.width < 1 || output.height < 1 || output.width > kMaxOutputSide || output.height > kMaxOutputSide ||
        output.width * output.height != count || output.weight < 1 || output.weight > kMaxWeight)
        return std::nullopt;
    return output;
}

std::optional<AutoRule> ParseRule(const Json& entry)
{
    if (!entry.is_object()) return std::nullopt;
    AutoRule rule;
    if (!Optional(entry, "name", rule.name) || !Optional(entry, "enabled", rule.enabled) ||
        !Optional(entry, "size", rule.size) || !Optional(entry, "chance", rule.chance) ||
        !Optional(entry, "stop", rule.stop))
        return std::nullopt;
    if (rule.size != 1 && rule.size != 3 && rule.size != 5) return std::nullopt;
    if (rule.chance < 1 || rule.chance > 100) return std::nullopt;
    const auto pattern = entry.find("pattern");
    if (pattern == entry.end()) {
        rule.pattern.assign(std::size_t(rule.size * rule.size), PatternCell{});
    } else {
        if (!pattern->is_array() || pattern->size() != std::size_t(rule.size * rule.size)) return std::nullopt;
        for (const Json& cell : *pattern) {
            if (!cell.is_string()) return std::nullopt;
            const auto parsed = ParsePatternCell(cell.get<std::string>());
            if (!parsed) return std::nullopt;
            rule.pattern.push_back(*parsed);
        }
    }
    const auto outputs = entry.find("outputs");
    if (outputs != entry.end()) {
        if (!outputs->is_array()) return std::nullopt;
        for (const Json& output : *outputs) {
            auto parsed = ParseOutput(output);
            if (!parsed) return std::nullopt;
            rule.outputs.push_back(std::move(*parsed));
        }
    }
    return rule;
}

std::optional<RuleGroup> ParseGroup(const Json& entry)
{
    if (!entry.is_object()) return std::nullopt;
    RuleGroup group;
    if (!Optional(entry, "name", group.name) || !Optional(entry, "enabled", group.enabled)) return std::nullopt;
    const auto rules = entry.find("rules");
    if (rules == entry.end()) return group;
    if (!rules->is_array()) return std::nullopt;
    for (const Json& rule : *rules) {
        auto parsed = ParseRule(rule);
        if (!parsed) return std::nullopt;
        group.rules.push_back(std::move(*parsed));
    }
    return group;
}

}  // namespace

std::string RulesFilePath(const std::string& mapPath) { return mapPath + kRulesFileSuffix; }

std::string EncodeRuleSet(const RuleSet& rules)
{
    Json groups = Json::array();
    for (const RuleGroup& group : rules.groups) {
        Json list = Json::array();
        for (const AutoRule& rule : group.rules) {
            Json pattern = Json::array();
            for (const PatternCell& cell : rule.pattern) pattern.push_back(PatternText(cell));
            Json outputs = Json::array();
            for (const RuleOutput& output : rule.outputs) {
                Json tiles = Json::array();
                for (const TileFingerprint& tile : output.tiles) tiles.push_back(tile.Hex());
                outputs.push_back({{"tiles", std::move(tiles)},
                                   {"width", output.width},
                                   {"height", output.height},
                                   {"weight", output.weight}});
            }
            list.push_back({{"name", rule.name},
                            {"enabled", rule.enabled},
                            {"size", rule.size},
                            {"pattern", std::move(pattern)},
                            {"outputs", std::move(outputs)},
                            {"chance", rule.chance},
                            {"stop", rule.stop}});
        }
        groups.push_back({{"name", group.name}, {"enabled", group.enabled}, {"rules", std::move(list)}});
    }
    const Json file = {{"version", 1}, {"outside", rules.outside}, {"seed", rules.seed}, {"groups", std::move(groups)}};
    return file.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

bool ParseRuleSet(std::string_view text, RuleSet& out)
{
    const Json file = Json::parse(text, nullptr, false);
    if (file.is_discarded() || !file.is_object()) return false;
    const auto version = file.find("version");
    if (version == file.end() || !version->is_number_integer() || *version != 1) return false;
    const auto groups = file.find("groups");
    if (groups == file.end() || !groups->is_array()) return false;
    RuleSet read;
    if (!Optional(file, "outside", read.outside) || !Optional(file, "seed", read.seed)) return false;
    for (const Json& group : *groups) {
        auto parsed = ParseGroup(group);
        if (!parsed) return false;
        read.groups.push_back(std::move(*parsed));
    }
    out = std::move(read);
    return true;
}

RulesReadResult ReadRulesFile(const std::string& path, RuleSet& out)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return RulesReadResult::Missing;
    std::ifstream in(path, std::ios::binary);
    if (!in) return RulesReadResult::Damaged;
    std::string text;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, std::size_t(in.gcount()));
        if (text.size() > kMaxFileBytes) return RulesReadResult::Damaged;
    }
    if (in.bad()) return RulesReadResult::Damaged;
    return ParseRuleSet(text, out) ? RulesReadResult::Ok : RulesReadResult::Damaged;
}

bool WriteRulesFile(const std::string& path, const RuleSet& rules)
{
    const std::string text = EncodeRuleSet(rules);
    SafeSave save(path);
    if (!save.Open()) return false;
    return std::fwrite(text.data(), 1, text.size(), save.Stream()) == text.size() && save.Commit();
}
