// The map's auto-tiling rules: kept with the document and saved beside the
// map, applied on request, and after every attribute edit while 자동 규칙
// is on.
#include <QUndoCommand>
#include <algorithm>
#include <filesystem>
#include <new>

#include "autoruleengine.h"
#include "autorulesfile.h"
#include "cmdtarget.h"
#include "maphint.h"
#include "zelldoc.h"
#include "translation.h"

namespace {

// A change of the rule set: the set as it was and as it became.
class CRulesCommand : public QUndoCommand {
public:
    CRulesCommand(CZellDoc& doc, const QString& text, RuleSet before, RuleSet after)
        : QUndoCommand(text), m_doc(doc), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void undo() override { m_doc.PutRules(m_before); }
    void redo() override { m_doc.PutRules(m_after); }

private:
    CZellDoc& m_doc;
    RuleSet m_before;
    RuleSet m_after;
};

}  // namespace

// The compiled rules, and what they were compiled from: the tile pictures
// are held, so a new tile set is never taken for the old one.
struct CZellDoc::RulesCache {
    RuleSet rules;
    std::vector<SharedSprite> tiles;
    CompiledRules compiled;
};

void CZellDoc::SetRules(RuleSet rules, const QString& step)
{
    if (rules == m_rules) return;
    // The step's first redo puts the new set in.
    PushStep([&] { return new CRulesCommand(*this, step, m_rules, std::move(rules)); });
}

void CZellDoc::PutRules(const RuleSet& rules)
{
    RuleSet copy = rules;  // made first: out of memory, the rules stay as they were
    m_rules = std::move(copy);
    UpdateAllViews(nullptr, HINT_RULES);
}

const CompiledRules& CZellDoc::CompiledRuleSet() const
{
    const CTileList& tiles = Tiles();
    bool current = m_pRulesCache && m_pRulesCache->rules == m_rules &&
                   m_pRulesCache->tiles.size() == std::size_t(tiles.GetCount());
    for (int n = 0; current && n < tiles.GetCount(); ++n)
        current = m_pRulesCache->tiles[std::size_t(n)].get() == tiles.GetAt(n);
    if (!current) {
        auto cache = std::make_shared<RulesCache>();
        cache->rules = m_rules;
        for (int n = 0; n < tiles.GetCount(); ++n) cache->tiles.push_back(tiles.SharedAt(n));
        cache->compiled = CompiledRules(m_rules, TileFinder(tiles));
        m_pRulesCache = std::move(cache);
    }
    return m_pRulesCache->compiled;
}

void CZellDoc::ApplyRulesTo(const CRect& area)
{
    const CompiledRules& rules = CompiledRuleSet();
    RecordCellEdit(Pellin::tr("규칙 적용"), [&](CCellLayers& cells) { return ApplyRules(cells, rules, area); });
}

void CZellDoc::OnRulesApply()
{
    ApplyRulesTo(m_rcMapSelection.IsRectEmpty() ? CRect(0, 0, MapWidth(), MapHeight()) : m_rcMapSelection);
}

void CZellDoc::OnAutoRules() { m_bAutoRules = !m_bAutoRules; }

void CZellDoc::OnUpdateRulesApply(CCmdUI* pCmdUI) { pCmdUI->Enable(m_rules.HasRules() ? TRUE : FALSE); }

void CZellDoc::OnUpdateAutoRules(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_bAutoRules ? 1 : 0);
}

void CZellDoc::FollowRules(std::vector<ChunkChange>& changes, CRect& written)
{
    if (!m_bAutoRules || !m_rules.HasRules() || written.IsRectEmpty()) return;
    const bool attributes = std::any_of(changes.begin(), changes.end(), [](const ChunkChange& change) {
        return change.layer == CellLayer::Attributes;
    });
    if (!attributes) return;
    const CompiledRules& rules = CompiledRuleSet();
    if (rules.Empty()) return;
    CCellLayers& cells = m_map.m_cells;
    CRect tiles;
    std::vector<ChunkChange> more;
    try {
        cells.BeginEdit();
        tiles = ApplyRules(cells, rules, RulesReach(rules, written, MapWidth(), MapHeight()));
        if (cells.EditFailed()) throw std::bad_alloc();
        more = cells.EndEdit();
        changes.reserve(changes.size() + more.size());  // the merge below then cannot fail
    } catch (const std::bad_alloc&) {
        if (cells.Editing())
            cells.AbandonEdit();
        else
            cells.PutChunks(more, false);
        throw;
    }
    // One step: a chunk both passes changed goes from its state before the
    // edit to its state after the rules.
    for (ChunkChange& change : more) {
        const auto same = std::find_if(changes.begin(), changes.end(), [&](const ChunkChange& earlier) {
            return earlier.layer == change.layer && earlier.index == change.index;
        });
        if (same != changes.end())
            same->after = std::move(change.after);
        else
            changes.push_back(std::move(change));
    }
    written.UnionRect(written, tiles);
}

void CZellDoc::TakeRulesFor(const std::string& mapPath)
{
    m_rules = RuleSet();
    m_rulesAsRead = RuleSet();
    if (mapPath.empty()) return;
    const std::string file = RulesFilePath(mapPath);
    if (ReadRulesFile(file, m_rules) == RulesReadResult::Damaged)
        StatusNote(Pellin::trStd(kMsgRulesFileIgnored) + std::filesystem::path(file).filename().string());
    m_rulesAsRead = m_rules;
}

void CZellDoc::SaveRulesBeside(const std::string& mapPath)
{
    const std::string file = RulesFilePath(mapPath);
    // A map that never had rules gets no file beside it.
    std::error_code error;
    if (!m_rules.HasRules() && !std::filesystem::exists(file, error)) return;
    if (!WriteRulesFile(file, m_rules))
        StatusNote(Pellin::trStd(kMsgRulesFileNotSaved) + std::filesystem::path(file).filename().string());
    else
        m_rulesAsRead = m_rules;
}
