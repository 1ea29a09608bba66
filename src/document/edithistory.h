// The document's undo history: a stack of QUndoCommand steps with the
// calls and signals of QUndoStack that the editor uses (push with merging,
// undo, redo, setIndex, the clean mark), and one thing QUndoStack cannot
// do: give up its oldest steps. Each step's cell chunks are weighed, and
// when what the history alone keeps passes its memory budget the oldest
// steps go, so that the history of the largest maps (a whole-map step
// keeps a whole layer) never outgrows the memory the map itself needs.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoCommand>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

class CellChunk;

// A step that keeps chunks of cells names them (each with its number of
// entries), so that the history can weigh them.
class CKeepsChunks {
public:
    virtual ~CKeepsChunks() = default;
    using EachChunk = std::function<void(const CellChunk& chunk, std::size_t cells)>;
    virtual void ForEachKeptChunk(const EachChunk& each) const = 0;
};

class CEditHistory : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t kDefaultMemoryBudget = std::size_t(1) << 30;

    CEditHistory() = default;
    ~CEditHistory() override;

    // As QUndoStack's: push redoes the step and takes it (merging it into
    // the top step when their ids match, unless the clean mark lies between
    // them), dropping the undone steps above; then trims the history to its
    // budget, unless trimming is held.
    void push(QUndoCommand* step);
    void undo();
    void redo();
    void setIndex(int index);
    void clear();
    int count() const { return int(m_steps.size()); }
    int index() const { return m_nIndex; }
    bool canUndo() const { return m_nIndex > 0; }
    bool canRedo() const { return m_nIndex < count(); }
    QString text(int index) const;
    QString undoText() const { return canUndo() ? text(m_nIndex - 1) : QString(); }
    QString redoText() const { return canRedo() ? text(m_nIndex) : QString(); }
    const QUndoCommand* command(int index) const;
    // The clean mark: the step count at which the document was last loaded
    // or saved, -1 when that state is gone (its steps undone and replaced,
    // or dropped).
    void setClean();
    void resetClean();
    bool isClean() const { return m_nIndex == m_nClean; }
    int cleanIndex() const { return m_nClean; }

    // The bytes of cells the history alone keeps may reach this much.
    void SetMemoryBudget(std::size_t bytes);
    std::size_t MemoryBudget() const { return m_budget; }
    // The bytes of the chunks that only the history holds (the map and a
    // recovery copy hold others); a chunk two steps share counts once.
    std::size_t KeptBytes() const;
    // The bytes held by step index alone: what dropping it would free.
    std::size_t StepBytes(int index) const;
    // While held (a stroke is open), pushes do not trim; letting go trims.
    void HoldTrim(bool hold);
    // For an edit that ran out of memory and tries again: drops the undone
    // steps, or else the oldest steps up to one that frees memory, whatever
    // the budget; false when no step can go or none frees anything.
    bool DropForMemory();
    // Steps dropped since the history was cleared: the first row of the
    // history list is then no longer the map's first state.
    int DroppedCount() const { return m_nDropped; }

signals:
    void indexChanged(int index);
    void cleanChanged(bool clean);
    // Oldest steps were dropped to stay within the budget or free memory.
    void stepsDropped(int count);

private:
    struct Weights;
    Weights Weigh() const;
    // The oldest steps that may go: those below the current one, never the newest.
    int DroppableCount() const;
    void DropOldest(int count);
    void TrimToBudget();
    // Moves the current index, telling of it and of the clean state's change.
    void MoveIndex(int index);

    std::vector<std::unique_ptr<QUndoCommand>> m_steps;
    int m_nIndex = 0;
    int m_nClean = 0;
    int m_nDropped = 0;
    std::size_t m_budget = kDefaultMemoryBudget;
    bool m_bTrimHeld = false;
};
