#include "autoruleengine.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdlib>
#include <deque>
#include <exception>
#include <map>
#include <system_error>
#include <thread>

namespace {

std::uint64_t Mix(std::uint64_t z)
{
    z += 0x9e3779b97f4a7c15ull;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

// Rows decided at a time: the value classes of a band and its tiles are
// kept in buffers of about this many rows of the area.
constexpr int kBandRows = 256;
// The most column codes (classes to the power of the pattern's span) kept
// with masks of whole columns.
constexpr std::size_t kMaxColumnCodes = 4096;
// Rows a thread takes at a time when two decide a band.
constexpr int kRowsATake = 4;
// Below this many cells a band is decided on one thread.
constexpr std::int64_t kCellsForTwoThreads = 1 << 16;

}  // namespace

std::uint64_t RuleRandomKey(std::uint32_t seed, int ruleIndex, int salt)
{
    return Mix(Mix(std::uint64_t(seed) << 8 | std::uint64_t(salt & 0xff)) ^ std::uint64_t(std::uint32_t(ruleIndex)));
}

std::uint64_t CellHash(int col, int row) { return Mix(std::uint64_t(std::uint32_t(col)) << 32 | std::uint32_t(row)); }

std::uint64_t CellRandom(std::uint64_t ruleKey, std::uint64_t cellHash)
{
    // Both halves are mixed already: one multiply and shift spread them.
    std::uint64_t h = (ruleKey ^ cellHash) * 0xbf58476d1ce4e5b9ull;
    return h ^ (h >> 31);
}

std::uint64_t RuleRandom(std::uint32_t seed, int ruleIndex, int col, int row, int salt)
{
    return CellRandom(RuleRandomKey(seed, ruleIndex, salt), CellHash(col, row));
}

CompiledRules::CompiledRules(const RuleSet& set, const TileFinder& finder)
{
    // The rules that can write, with their tiles as numbers.
    std::vector<const AutoRule*> sources;
    int index = 0;
    for (const RuleGroup& group : set.groups)
        for (const AutoRule& rule : group.rules) {
            Rule compiled{
                RuleRandomKey(set.seed, index, 0), RuleRandomKey(set.seed, index, 1), rule.chance, rule.stop, 0, {}};
            ++index;
            bool resolved = true;
            bool valid = rule.pattern.size() == std::size_t(rule.size * rule.size) && rule.size % 2 == 1 &&
                         rule.size <= kMaxPatternSize && rule.chance >= 1;
            for (const RuleOutput& output : rule.outputs) {
                valid = valid && output.width >= 1 && output.height >= 1 &&
                        output.tiles.size() == std::size_t(output.width) * std::size_t(output.height);
                Output out{output.width, output.height, {}, std::max(output.weight, 1)};
                for (const TileFingerprint& tile : output.tiles) {
                    const auto number = finder.Find(tile);
                    if (!number) resolved = false;
                    out.tiles.push_back(number.value_or(kEmptyTileCell));
                }
                compiled.totalWeight += out.weight;
                compiled.outputs.push_back(std::move(out));
            }
            m_resolved.push_back(resolved);
            if (!group.enabled || !rule.enabled || !resolved || !valid || compiled.outputs.empty()) continue;
            m_rules.push_back(std::move(compiled));
            sources.push_back(&rule);
            m_radius = std::max(m_radius, rule.Radius());
        }
    m_span = 2 * m_radius + 1;
    m_words = int((m_rules.size() + 63) / 64);

    // Value classes: every value a pattern names has its own; every other
    // value shares class 0.
    std::map<short, std::uint16_t> classes;
    for (const AutoRule* rule : sources)
        for (const PatternCell& cell : rule->pattern)
            if (cell.test != PatternTest::Any) classes.try_emplace(cell.value, std::uint16_t(classes.size() + 1));
    m_classes = int(classes.size()) + 1;
    m_classOf.assign(65536, 0);
    for (const auto& [value, valueClass] : classes) m_classOf[std::size_t(value + 32768)] = valueClass;
    m_outsideClass = m_classOf[std::size_t(set.outside + 32768)];
    // A value of class 0: what a pattern cell says of every value it does not name.
    short unnamed = 0;
    while (classes.count(unnamed)) ++unnamed;

    m_masks.assign(std::size_t(m_span * m_span) * std::size_t(m_classes) * std::size_t(m_words), 0);
    for (std::size_t r = 0; r < sources.size(); ++r) {
        const AutoRule& rule = *sources[r];
        for (int dy = -m_radius; dy <= m_radius; ++dy)
            for (int dx = -m_radius; dx <= m_radius; ++dx) {
                const bool inPattern = std::abs(dx) <= rule.Radius() && std::abs(dy) <= rule.Radius();
                const int position = (dy + m_radius) * m_span + dx + m_radius;
                for (int c = 0; c < m_classes; ++c) {
                    short value = unnamed;
                    for (const auto& [named, valueClass] : classes)
                        if (valueClass == c) value = named;
                    if (inPattern && !rule.At(dx, dy).Accepts(value)) continue;
                    std::uint64_t* bits =
                        m_masks.data() +
                        (std::size_t(position) * std::size_t(m_classes) + std::size_t(c)) * std::size_t(m_words);
                    bits[r / 64] |= std::uint64_t(1) << (r % 64);
                }
            }
    }

    // With one word a cell and few classes, the masks of whole pattern
    // columns by the code of their classes (top class lowest).
    std::size_t codes = 1;
    for (int i = 0; i < m_span && codes <= kMaxColumnCodes; ++i) codes *= std::size_t(m_classes);
    if (m_words == 1 && codes <= kMaxColumnCodes) {
        m_columnCodes = codes;
        m_columnMasks.assign(std::size_t(m_span) * codes, ~std::uint64_t(0));
        for (int dx = 0; dx < m_span; ++dx)
            for (std::size_t code = 0; code < codes; ++code) {
                std::size_t rest = code;
                for (int dy = 0; dy < m_span; ++dy, rest /= std::size_t(m_classes))
                    m_columnMasks[std::size_t(dx) * codes + code] &=
                        *MaskAt(dy * m_span + dx, int(rest % std::size_t(m_classes)));
            }
    }
}

std::optional<short> CompiledRules::RuleTile(const Rule& rule, int col, int row, std::uint64_t cellHash) const
{
    if (rule.chance < 100 && int(CellRandom(rule.chanceKey, cellHash) % 100) >= rule.chance) return std::nullopt;
    return OutputTile(rule, col, row, cellHash);
}

short CompiledRules::OutputTile(const Rule& rule, int col, int row, std::uint64_t cellHash) const
{
    const Output* output = &rule.outputs.front();
    if (rule.outputs.size() > 1) {
        const std::uint64_t draw = CellRandom(rule.outputKey, cellHash);
        // A total that is a power of two (as often) needs no division.
        const std::uint64_t total = std::uint64_t(rule.totalWeight);
        std::int64_t pick = std::int64_t((total & (total - 1)) == 0 ? draw & (total - 1) : draw % total);
        for (const Output& candidate : rule.outputs) {
            output = &candidate;
            pick -= candidate.weight;
            if (pick < 0) break;
        }
    }
    // Most outputs are one tile: no division for its place in the block.
    if (output->tiles.size() == 1) return output->tiles.front();
    const int x = col % output->width;
    const int y = row % output->height;
    return output->tiles[std::size_t(y * output->width + x)];
}

std::optional<short> CompiledRules::DecideFromMask(const std::uint64_t* mask, int col, int row) const
{
    std::optional<short> tile;
    const std::uint64_t cellHash = CellHash(col, row);
    for (int w = 0; w < m_words; ++w)
        for (std::uint64_t bits = mask[w]; bits != 0; bits &= bits - 1) {
            const Rule& rule = m_rules[std::size_t(w * 64 + std::countr_zero(bits))];
            const auto written = RuleTile(rule, col, row, cellHash);
            if (!written) continue;
            tile = written;
            if (rule.stop) return tile;
        }
    return tile;
}

CompiledRules::Plan CompiledRules::MakePlan(std::uint64_t mask) const
{
    Plan plan;
    for (std::uint64_t bits = mask; bits != 0; bits &= bits - 1) {
        const auto index = std::countr_zero(bits);
        const Rule& rule = m_rules[index];
        const bool always = rule.chance >= 100;
        if (always) plan.certain |= std::uint64_t(1) << plan.steps.size();
        plan.draws = plan.draws || !always || rule.outputs.size() > 1;
        Step step{rule.chanceKey, std::uint32_t(rule.chance), std::uint16_t(index), rule.stop, std::nullopt};
        if (rule.outputs.size() == 1 && rule.outputs.front().tiles.size() == 1)
            step.tile = rule.outputs.front().tiles.front();
        plan.steps.push_back(step);
        // Nothing after a rule that always writes and stops is ever tried.
        if (always && rule.stop) break;
    }
    // With nothing drawn every step writes, so the last one decides.
    if (!plan.draws) plan.fixed = plan.steps.back().tile;
    return plan;
}

std::optional<short> CompiledRules::DecideByPlan(const Plan& plan, int col, int row) const
{
    if (plan.fixed) return plan.fixed;
    std::uint64_t cellHash = 0;
    std::uint64_t passed = plan.certain;
    if (plan.draws) {
        cellHash = CellHash(col, row);
        // Every chance at once, without a branch a step: the draws are
        // independent, so they overlap in the processor.
        const std::size_t count = plan.steps.size();
        for (std::size_t i = 0; i < count; ++i)
            passed |= std::uint64_t(CellRandom(plan.steps[i].chanceKey, cellHash) % 100 < plan.steps[i].chance) << i;
    }
    std::optional<short> tile;
    for (; passed != 0; passed &= passed - 1) {
        const Step& step = plan.steps[std::size_t(std::countr_zero(passed))];
        tile = step.tile ? step.tile : OutputTile(m_rules[step.rule], col, row, cellHash);
        if (step.stop) break;
    }
    return tile;
}

// Decides the cells of a band of rows, on one thread or two.
class RuleRunner {
public:
    RuleRunner(const CompiledRules& rules, const CCellLayers& cells, int left, int right)
        : m_rules(rules), m_cells(cells), m_left(left), m_right(right), m_stride(right - left + 2 * rules.m_radius)
    {
    }

    // Rows [top, bottom): fills tiles (the band's current tiles, row by row,
    // right - left a row) with what the rules give.
    void Run(int top, int bottom, std::vector<short>& tiles)
    {
        const int radius = m_rules.m_radius;
        const int width = m_right - m_left;
        m_top = top;
        m_classes.assign(std::size_t(bottom - top + 2 * radius) * std::size_t(m_stride), m_rules.m_outsideClass);
        for (int row = top - radius; row < bottom + radius; ++row) {
            std::uint16_t* classes = m_classes.data() + std::size_t(row - top + radius) * std::size_t(m_stride);
            m_cells.ForEachRun(CellLayer::Attributes, row, m_left - radius, m_right + radius,
                               [&](int col, const short* values, int count) {
                                   std::uint16_t* out = classes + (col - m_left + radius);
                                   for (int i = 0; i < count; ++i)
                                       out[i] = m_rules.m_classOf[std::size_t(values[i] + 32768)];
                               });
        }
        // Every cell is read into it below: no need to clear it first.
        tiles.resize(std::size_t(bottom - top) * std::size_t(width));
        for (int row = top; row < bottom; ++row)
            m_cells.ForEachRun(CellLayer::Tiles, row, m_left, m_right, [&](int col, const short* values, int count) {
                std::copy_n(values, count, tiles.begin() + std::ptrdiff_t(row - top) * width + (col - m_left));
            });
        if (std::int64_t(bottom - top) * width >= kCellsForTwoThreads && bottom - top >= 2) {
            // Both threads take rows as they go, so neither waits for the
            // other when one is held up.
            std::atomic<int> next(top);
            std::exception_ptr helperFailed;
            std::thread helper;
            try {
                helper = std::thread([&] {
                    // Nothing could catch a failure on the helper thread: it
                    // is handed to this one, which reports it to the caller.
                    try {
                        DecideTakenRows(next, bottom, tiles, m_helper);
                    } catch (...) {
                        helperFailed = std::current_exception();
                    }
                });
            } catch (const std::system_error&) {
                // No thread to spare (short of memory for its stack): one does it all.
            }
            try {
                DecideTakenRows(next, bottom, tiles, m_main);
            } catch (...) {
                if (helper.joinable()) helper.join();
                throw;
            }
            if (helper.joinable()) helper.join();
            if (helperFailed) std::rethrow_exception(helperFailed);
        } else {
            DecideRows(top, bottom, tiles, m_main);
        }
    }

private:
    struct Scratch;

    void DecideTakenRows(std::atomic<int>& next, int bottom, std::vector<short>& tiles, Scratch& scratch) const
    {
        for (int first; (first = next.fetch_add(kRowsATake)) < bottom;)
            DecideRows(first, std::min(bottom, first + kRowsATake), tiles, scratch);
    }

    void DecideRows(int top, int bottom, std::vector<short>& tiles, Scratch& scratch) const
    {
        const CompiledRules& rules = m_rules;
        const int span = rules.m_span;
        const int words = rules.m_words;
        const int width = m_right - m_left;
        std::vector<std::uint64_t>& mask = scratch.mask;
        mask.resize(static_cast<std::size_t>(words));
        for (int row = top; row < bottom; ++row) {
            // classes[0] is the value class of (m_left - radius, row - radius).
            const std::uint16_t* classes = m_classes.data() + std::size_t(row - m_top) * std::size_t(m_stride);
            short* out = tiles.data() + std::ptrdiff_t(row - m_top) * width;
            if (words == 1) {
                DecideRowOneWord(classes, out, width, row, scratch.plans, scratch.columns);
                continue;
            }
            for (int x = 0; x < width; ++x) {
                std::fill(mask.begin(), mask.end(), ~std::uint64_t(0));
                std::uint64_t any = ~std::uint64_t(0);
                for (int dy = 0; dy < span && any; ++dy) {
                    const std::uint16_t* line = classes + std::size_t(dy) * std::size_t(m_stride) + x;
                    for (int dx = 0; dx < span; ++dx) {
                        const std::uint64_t* bits = rules.MaskAt(dy * span + dx, line[dx]);
                        any = 0;
                        for (int w = 0; w < words; ++w) any |= (mask[std::size_t(w)] &= bits[w]);
                        if (!any) break;
                    }
                }
                if (!any) continue;
                if (const auto tile = rules.DecideFromMask(mask.data(), m_left + x, row)) out[x] = *tile;
            }
        }
    }

    // The plans of the masks met, each made once.
    class PlanCache {
    public:
        explicit PlanCache(const CompiledRules& rules) : m_rules(rules), m_slots(64, kNone) {}
        const CompiledRules::Plan& For(std::uint64_t mask)
        {
            std::size_t slot = Find(mask);
            if (m_slots[slot] == kNone) {
                if (2 * (m_plans.size() + 1) > m_slots.size()) {
                    Grow();
                    slot = Find(mask);
                }
                m_slots[slot] = std::uint32_t(m_plans.size());
                m_masks.push_back(mask);
                m_plans.push_back(m_rules.MakePlan(mask));
            }
            return m_plans[m_slots[slot]];
        }

    private:
        static constexpr std::uint32_t kNone = ~std::uint32_t(0);
        std::size_t Find(std::uint64_t mask) const
        {
            std::size_t slot = std::size_t(Mix(mask)) & (m_slots.size() - 1);
            while (m_slots[slot] != kNone && m_masks[m_slots[slot]] != mask) slot = (slot + 1) & (m_slots.size() - 1);
            return slot;
        }
        void Grow()
        {
            m_slots.assign(2 * m_slots.size(), kNone);
            for (std::size_t i = 0; i < m_masks.size(); ++i) m_slots[Find(m_masks[i])] = std::uint32_t(i);
        }

        const CompiledRules& m_rules;
        std::vector<std::uint32_t> m_slots;  // open addressing: index into m_masks and m_plans
        std::vector<std::uint64_t> m_masks;
        std::deque<CompiledRules::Plan> m_plans;
    };

    // The common case of at most 64 rules: one word of bits a cell, and the
    // cell decided by its mask's plan.
    void DecideRowOneWord(const std::uint16_t* classes, short* out, int width, int row, PlanCache& plans,
                          std::vector<std::uint32_t>& columns) const
    {
        const CompiledRules& rules = m_rules;
        const int span = rules.m_span;
        const std::size_t stride = std::size_t(m_stride);
        const std::uint64_t* masks = rules.m_masks.data();
        const std::size_t classCount = std::size_t(rules.m_classes);
        const std::size_t codes = rules.m_columnCodes;
        if (codes != 0) {
            // Each column's code, once for the span cells that see it.
            columns.assign(std::size_t(width + span - 1), 0);
            for (int dy = span - 1; dy >= 0; --dy) {
                const std::uint16_t* line = classes + std::size_t(dy) * stride;
                for (std::size_t x = 0; x < columns.size(); ++x)
                    columns[x] = columns[x] * std::uint32_t(classCount) + line[x];
            }
        }
        std::uint64_t planMask = 0;
        const CompiledRules::Plan* plan = nullptr;
        for (int x = 0; x < width; ++x) {
            std::uint64_t mask = ~std::uint64_t(0);
            if (codes != 0) {
                const std::uint64_t* columnMasks = rules.m_columnMasks.data();
                for (int dx = 0; dx < span; ++dx)
                    mask &= columnMasks[std::size_t(dx) * codes + columns[std::size_t(x + dx)]];
            } else {
                for (int dy = 0; dy < span && mask; ++dy) {
                    const std::uint16_t* line = classes + std::size_t(dy) * stride + std::size_t(x);
                    const std::uint64_t* rowMasks = masks + std::size_t(dy * span) * classCount;
                    for (int dx = 0; dx < span; ++dx) mask &= rowMasks[std::size_t(dx) * classCount + line[dx]];
                }
            }
            if (!mask) continue;
            // Neighbours alike in a run share the plan.
            if (mask != planMask) {
                plan = &plans.For(mask);
                planMask = mask;
            }
            if (const auto tile = rules.DecideByPlan(*plan, m_left + x, row)) out[x] = *tile;
        }
    }

    // What a thread keeps from row to row and band to band.
    struct Scratch {
        explicit Scratch(const CompiledRules& rules) : plans(rules) {}
        PlanCache plans;
        std::vector<std::uint64_t> mask;
        std::vector<std::uint32_t> columns;
    };

    const CompiledRules& m_rules;
    const CCellLayers& m_cells;
    int m_left;
    int m_right;
    int m_stride;
    int m_top = 0;
    std::vector<std::uint16_t> m_classes;  // the band's value classes, grown by the radius
    Scratch m_main{m_rules};
    Scratch m_helper{m_rules};
};

namespace {

CRect ClipToMap(const CCellLayers& cells, const CRect& area)
{
    CRect clipped;
    clipped.IntersectRect(area, CRect(0, 0, cells.Width(), cells.Height()));
    return clipped;
}

// Calls each(row, tiles) for every row of the area with the tiles the rules give it.
template <class Each>
void ForEachDecidedRow(const CCellLayers& cells, const CompiledRules& rules, const CRect& area, Each each)
{
    if (area.IsRectEmpty() || rules.Empty() || !cells.IsComplete()) return;
    RuleRunner runner(rules, cells, area.left, area.right);
    std::vector<short> tiles;
    for (int top = area.top; top < area.bottom; top += kBandRows) {
        const int bottom = std::min(area.bottom, top + kBandRows);
        runner.Run(top, bottom, tiles);
        for (int row = top; row < bottom; ++row) each(row, tiles.data() + std::ptrdiff_t(row - top) * area.Width());
    }
}

}  // namespace

CRect ApplyRules(CCellLayers& cells, const CompiledRules& rules, const CRect& requested)
{
    const CRect area = ClipToMap(cells, requested);
    CRect written;
    ForEachDecidedRow(cells, rules, area, [&](int row, const short* decided) {
        // Only the runs that differ are written, so chunks the rules leave
        // as they are stay shared.
        std::vector<std::pair<int, int>> changed;  // first column, end column
        cells.ForEachRun(CellLayer::Tiles, row, area.left, area.right, [&](int col, const short* now, int count) {
            const short* wanted = decided + (col - area.left);
            int first = 0;
            while (first < count && now[first] == wanted[first]) ++first;
            if (first == count) return;
            int last = count;
            while (now[last - 1] == wanted[last - 1]) --last;
            changed.emplace_back(col + first, col + last);
        });
        for (const auto& [begin, end] : changed) {
            cells.ForEachMutableRun(CellLayer::Tiles, row, begin, end, [&](int col, short* out, int count) {
                std::copy_n(decided + (col - area.left), count, out);
            });
            written.UnionRect(written, CRect(begin, row, end, row + 1));
        }
    });
    return written;
}

RulesCheck CheckRules(const CCellLayers& cells, const CompiledRules& rules, const CRect& requested,
                      std::size_t firstCount)
{
    const CRect area = ClipToMap(cells, requested);
    RulesCheck check;
    ForEachDecidedRow(cells, rules, area, [&](int row, const short* decided) {
        cells.ForEachRun(CellLayer::Tiles, row, area.left, area.right, [&](int col, const short* now, int count) {
            const short* wanted = decided + (col - area.left);
            for (int i = 0; i < count; ++i) {
                if (now[i] == wanted[i]) continue;
                ++check.count;
                if (check.first.size() < firstCount) check.first.emplace_back(col + i, row);
            }
        });
    });
    return check;
}

void ForEachDifferingCell(const CCellLayers& cells, const CompiledRules& rules, const CRect& requested,
                          const std::function<void(int col, int row)>& differs)
{
    const CRect area = ClipToMap(cells, requested);
    ForEachDecidedRow(cells, rules, area, [&](int row, const short* decided) {
        cells.ForEachRun(CellLayer::Tiles, row, area.left, area.right, [&](int col, const short* now, int count) {
            const short* wanted = decided + (col - area.left);
            for (int i = 0; i < count; ++i)
                if (now[i] != wanted[i]) differs(col + i, row);
        });
    });
}

CRect RulesReach(const CompiledRules& rules, const CRect& changed, int mapWidth, int mapHeight)
{
    if (changed.IsRectEmpty() || rules.Empty()) return {};
    const int r = rules.Radius();
    CRect reach;
    reach.IntersectRect(CRect(changed.left - r, changed.top - r, changed.right + r, changed.bottom + r),
                        CRect(0, 0, mapWidth, mapHeight));
    return reach;
}
