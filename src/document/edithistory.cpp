#include "edithistory.h"

#include <algorithm>
#include <new>
#include <unordered_map>

#include "cellchunk.h"

// What the steps keep: the chunks only the history holds, in all and by step.
struct CEditHistory::Weights {
    std::size_t total = 0;
    std::vector<std::size_t> alone;  // by step: the chunks it alone holds
    // By step: the chunks it is the newest holder of, which go once it and
    // every older step are dropped.
    std::vector<std::size_t> lastIn;
};

CEditHistory::~CEditHistory() = default;

CEditHistory::Weights CEditHistory::Weigh() const
{
    struct Use {
        const CellChunk* chunk;
        std::size_t bytes;
        long refs;
        int first;
        int last;
    };
    std::unordered_map<const short*, Use> uses;
    for (int i = 0; i < count(); ++i) {
        const auto* keeps = dynamic_cast<const CKeepsChunks*>(m_steps[std::size_t(i)].get());
        if (!keeps) continue;
        keeps->ForEachKeptChunk([&](const CellChunk& chunk, std::size_t cells) {
            if (!chunk) return;
            Use& use = uses.try_emplace(chunk.get(), Use{&chunk, cells * sizeof(short), 0, i, i}).first->second;
            ++use.refs;
            use.last = i;
        });
    }
    Weights weights;
    weights.alone.assign(std::size_t(count()), 0);
    weights.lastIn.assign(std::size_t(count()), 0);
    for (const auto& [cells, use] : uses) {
        // A chunk someone else holds too (the map, a recovery copy) stays
        // when the steps go: it is not theirs to count.
        if (use.chunk->Holders() != use.refs) continue;
        weights.total += use.bytes;
        weights.lastIn[std::size_t(use.last)] += use.bytes;
        if (use.first == use.last) weights.alone[std::size_t(use.first)] += use.bytes;
    }
    return weights;
}

std::size_t CEditHistory::KeptBytes() const { return Weigh().total; }

std::size_t CEditHistory::StepBytes(int index) const
{
    if (index < 0 || index >= count()) return 0;
    return Weigh().alone[std::size_t(index)];
}

QString CEditHistory::text(int index) const
{
    const QUndoCommand* step = command(index);
    return step ? step->text() : QString();
}

const QUndoCommand* CEditHistory::command(int index) const
{
    return index >= 0 && index < count() ? m_steps[std::size_t(index)].get() : nullptr;
}

void CEditHistory::MoveIndex(int index)
{
    const bool wasClean = isClean();
    if (index != m_nIndex) {
        m_nIndex = index;
        emit indexChanged(m_nIndex);
    }
    if (isClean() != wasClean) emit cleanChanged(isClean());
}

void CEditHistory::push(QUndoCommand* raw)
{
    std::unique_ptr<QUndoCommand> step(raw);
    // Room first: once the step is done, taking it cannot fail.
    if (m_steps.size() == m_steps.capacity()) m_steps.reserve(std::max<std::size_t>(16, 2 * m_steps.size()));
    step->redo();
    QUndoCommand* top = m_nIndex > 0 ? m_steps[std::size_t(m_nIndex - 1)].get() : nullptr;
    m_steps.erase(m_steps.begin() + m_nIndex, m_steps.end());
    if (m_nClean > m_nIndex) m_nClean = -1;  // the saved state was among the undone steps
    // Never merged across the clean mark: the saved state stays a step of its own.
    const bool merge = top && top->id() != -1 && top->id() == step->id() && m_nIndex != m_nClean;
    if (merge && top->mergeWith(step.get())) {
        if (top->isObsolete()) {
            m_steps.pop_back();
            MoveIndex(m_nIndex - 1);
        } else {
            emit indexChanged(m_nIndex);  // the top step's name or reach changed
        }
    } else if (!step->isObsolete()) {
        m_steps.push_back(std::move(step));
        MoveIndex(m_nIndex + 1);
    }
    if (!m_bTrimHeld) TrimToBudget();
}

void CEditHistory::undo()
{
    if (!canUndo()) return;
    m_steps[std::size_t(m_nIndex - 1)]->undo();
    MoveIndex(m_nIndex - 1);
}

void CEditHistory::redo()
{
    if (!canRedo()) return;
    m_steps[std::size_t(m_nIndex)]->redo();
    MoveIndex(m_nIndex + 1);
}

void CEditHistory::setIndex(int index)
{
    index = std::clamp(index, 0, count());
    int at = m_nIndex;
    while (at < index) m_steps[std::size_t(at++)]->redo();
    while (at > index) m_steps[std::size_t(--at)]->undo();
    MoveIndex(index);
}

void CEditHistory::clear()
{
    if (m_steps.empty()) return;
    const bool wasClean = isClean();
    m_steps.clear();
    m_nIndex = 0;
    m_nClean = 0;
    m_nDropped = 0;
    emit indexChanged(0);
    if (!wasClean) emit cleanChanged(true);
}

void CEditHistory::setClean()
{
    const bool wasClean = isClean();
    m_nClean = m_nIndex;
    if (!wasClean) emit cleanChanged(true);
}

void CEditHistory::resetClean()
{
    const bool wasClean = isClean();
    m_nClean = -1;
    if (wasClean) emit cleanChanged(false);
}

void CEditHistory::SetMemoryBudget(std::size_t bytes)
{
    m_budget = bytes;
    if (!m_bTrimHeld) TrimToBudget();
}

void CEditHistory::HoldTrim(bool hold)
{
    m_bTrimHeld = hold;
    if (!hold) TrimToBudget();
}

int CEditHistory::DroppableCount() const { return std::max(0, std::min(m_nIndex, count() - 1)); }

void CEditHistory::DropOldest(int dropped)
{
    m_steps.erase(m_steps.begin(), m_steps.begin() + dropped);
    m_nIndex -= dropped;
    // The saved state, when it went with them, can no longer be reached.
    m_nClean = m_nClean >= dropped ? m_nClean - dropped : -1;
    m_nDropped += dropped;
    emit indexChanged(m_nIndex);
    emit stepsDropped(dropped);
}

void CEditHistory::TrimToBudget()
{
    const int droppable = DroppableCount();
    if (droppable == 0) return;
    int dropped = 0;
    try {
        const Weights weights = Weigh();
        std::size_t kept = weights.total;
        while (kept > m_budget && dropped < droppable) kept -= weights.lastIn[std::size_t(dropped++)];
    } catch (const std::bad_alloc&) {
        dropped = 1;  // too short of memory even to weigh the steps
    }
    if (dropped > 0) DropOldest(dropped);
}

bool CEditHistory::DropForMemory()
{
    // The undone steps first: the edit that needs the memory would throw
    // them away anyway.
    if (canRedo()) {
        const int undone = count() - m_nIndex;
        m_steps.erase(m_steps.begin() + m_nIndex, m_steps.end());
        if (m_nClean > m_nIndex) m_nClean = -1;
        emit indexChanged(m_nIndex);
        emit stepsDropped(undone);
        return true;
    }
    const int droppable = DroppableCount();
    if (droppable == 0) return false;
    try {
        const Weights weights = Weigh();
        for (int step = 0; step < droppable; ++step) {
            if (weights.lastIn[std::size_t(step)] == 0) continue;
            DropOldest(step + 1);
            return true;
        }
        return false;
    } catch (const std::bad_alloc&) {
        DropOldest(1);
        return true;
    }
}
