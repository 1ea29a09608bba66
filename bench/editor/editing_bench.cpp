// Editing in the whole editor made in this process (application object,
// main frame with its four panes, the document) on the 1920 x 1080 screen:
// - File New to 1,024 x 1,024 cells, from the click on the new-map dialog's
//   OK to the map pane's repainted surface, against writing the new map's
//   4 MiB of cells into memory fresh from the system;
// - one stamp of a 2 x 2 block on a 4,096 x 4,096-cell map, from the
//   simulated press on the map pane to its updated surface, against the same
//   stamp on a 64 x 64-cell map: the cost should follow the changed cells,
//   not the map;
// - "타일 전체채우기" on 4,096 x 4,096 and 8,192 x 8,192-cell maps of 32-pixel
//   tiles, from the command to the map pane and the overview showing it, and
//   for the larger map what its undo step costs: the peak of memory the
//   fill adds and what the step keeps (against one layer), a 2 x 2 stamp's
//   step across two chunks, and undo and redo to the updated panes against
//   writing one layer's 128 MiB into fresh memory;
// - on the attribute layer of a 4,096 x 4,096-cell map whose cells use 1,000
//   values: painting a 1,024 x 1,024 band, counts of the values included,
//   to the map pane and the overview showing it (and with the map pane
//   showing another part of the map), against writing those cells into a
//   plain layer; and opening such a map, from the map pane's
//   first paint to the value palette listing the values.
#include "benchrules.h"
#include "figures.h"
#include "docbackstage.h"
#include "freshmemory.h"
#include "pairedtiming.h"
#include "scratchdir.h"
#include "synthetic.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstring>
#include <fstream>
#include <utility>

#include "afxmsg.h"
#include "autoruleengine.h"
#include "attrvaluepane.h"
#include "doctemplate.h"
#include "mainfrm.h"
#include "maphint.h"
#include "mapview.h"
#include "newmapdlg.h"
#include "resource.h"
#include "smallmapview.h"
#include "undocommands.h"
#include "zellapp.h"
#include "zelldoc.h"

namespace {

using Clock = std::chrono::steady_clock;

// The editor as the program starts it, torn down afterwards. Its message
// boxes are noted instead of shown.
class EditorInProcess {
public:
    EditorInProcess()
    {
        m_previousSink = AfxSetMessageSink([this](const std::string& text, unsigned) {
            m_messages.push_back(text);
            return IDOK;
        });
        if (!theApp.InitInstance()) return;
        frame = qobject_cast<CMainFrame*>(AfxGetMainWnd());
        doc = theApp.DocTemplate() ? static_cast<CZellDoc*>(theApp.DocTemplate()->Document()) : nullptr;
        QApplication::processEvents();
    }
    ~EditorInProcess()
    {
        theApp.DestroyMainWindow();
        QApplication::processEvents();
        AfxSetMessageSink(m_previousSink);
    }

    CMapView* Map() const { return frame->m_pMapView; }

    // Empty while the editor is fit to be measured.
    std::string Problem() const
    {
        if (!frame || !doc || !Map()) return "the editor did not start";
        if (!m_messages.empty()) return "the editor said: " + m_messages.front();
        return {};
    }

    // Puts the map into the document as loading a map file would, with the
    // pane scrolled there; map gets the document's map in exchange.
    void ShowMap(CMapModel& map, CPoint scroll)
    {
        std::swap(BackstageMap(*doc), map);
        doc->UpdateAllViews(nullptr, HINT_NEW_MAP | HINT_TILE_IMAGES);
        Map()->ScrollToDevicePosition(scroll);
        Map()->UpdateWindow();
        QApplication::processEvents();
    }

    CMainFrame* frame = nullptr;
    CZellDoc* doc = nullptr;

private:
    AfxMessageSink m_previousSink;
    std::vector<std::string> m_messages;
};

// Answers the new-map dialog as a person would: the size typed into its
// edits, then a click on OK, whose moment it notes. Any other modal window
// is closed and noted, so that the benchmark cannot hang on one.
class NewMapAnswer : public QObject {
public:
    NewMapAnswer(int width, int height) : m_width(width), m_height(height) { qApp->installEventFilter(this); }
    ~NewMapAnswer() override { qApp->removeEventFilter(this); }

    Clock::time_point clickedAt;
    std::string problem;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* dialog = event->type() == QEvent::Show ? qobject_cast<QDialog*>(watched) : nullptr;
        if (dialog && dialog->isModal()) QTimer::singleShot(0, dialog, [this, dialog] { Answer(dialog); });
        return false;
    }

private:
    void Answer(QDialog* dialog)
    {
        auto* newMap = dynamic_cast<CNewMapDlg*>(dialog);
        auto* width = newMap ? qobject_cast<QLineEdit*>(newMap->GetDlgItem(CNewMapDlg::IDC_MAP_WIDTH)) : nullptr;
        auto* height = newMap ? qobject_cast<QLineEdit*>(newMap->GetDlgItem(CNewMapDlg::IDC_MAP_HEIGHT)) : nullptr;
        auto* ok = newMap ? qobject_cast<QAbstractButton*>(newMap->GetDlgItem(IDOK)) : nullptr;
        if (!width || !height || !ok) {
            problem = "an unexpected window: " + dialog->windowTitle().toStdString();
            dialog->reject();
            return;
        }
        width->setText(QString::number(m_width));
        height->setText(QString::number(m_height));
        clickedAt = Clock::now();
        ok->click();
    }

    int m_width;
    int m_height;
};

double SecondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

void BM_FileNew1024(benchmark::State& state)
{
    constexpr int kSide = 1024;
    EditorInProcess editor;
    if (const std::string problem = editor.Problem(); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    const std::size_t cellBytes = std::size_t(kSide) * kSide * 2 * sizeof(short);
    NewMapAnswer answer(kSide, kSide);
    PairedTimes times;
    for (auto _ : state) {
        ReturnFreeMemory();
        times.baseline.push_back(SecondsOf([&] {
            FreshBytes cells(cellBytes);
            std::memset(cells.Data(), 0xFF, cells.Size());
        }));
        ReturnFreeMemory();
        editor.frame->UpdateAllCommandUI();
        editor.frame->CommandAction(ID_FILE_NEW)->trigger();
        editor.Map()->UpdateWindow();
        editor.Map()->viewport()->repaint();
        const Clock::time_point repainted = Clock::now();
        times.subject.push_back(SecondsBetween(answer.clickedAt, repainted));
        state.SetIterationTime(times.subject.back());
        QApplication::processEvents();  // the other panes, as the event loop would
    }
    std::string problem = answer.problem.empty() ? editor.Problem() : answer.problem;
    if (problem.empty() && (editor.doc->MapWidth() != kSide || editor.doc->MapHeight() != kSide))
        problem = "File New did not make the map";
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    RecordFigure(state,
                 {"File New 1024x1024 cells, OK to the repainted map pane", times.SubjectMs(), times.BaselineMs(), "ms",
                  "writing the new cells' 4 MiB into new memory", Limit::AtMost, 100, "median"});
}
BENCHMARK(BM_FileNew1024)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);

// A map and the place of the pane on it.
struct StampedMap {
    CMapModel map;
    CPoint scroll;
};

// Press and release on the map pane at a point; seconds from the press to
// the pane's surface showing the stamped block.
double TimeStamp(CMapView* map, QPoint at)
{
    // The pointer arrives from a cell to the right, as a person's does, so
    // the block's preview is on the pane (a move to where the pointer
    // already is brings none).
    QTest::mouseMove(map->viewport(), at + QPoint(40, 0));
    QTest::mouseMove(map->viewport(), at);
    const Clock::time_point pressed = Clock::now();
    QTest::mousePress(map->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(map->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    map->UpdateWindow();
    const double seconds = SecondsBetween(pressed, Clock::now());
    QApplication::processEvents();  // the window's repaint and the other panes
    return seconds;
}

void BM_Stamp2x2(benchmark::State& state)
{
    constexpr int kTileSize = 32;
    EditorInProcess editor;
    if (const std::string problem = editor.Problem(); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    // Scroll positions that are not whole cells.
    StampedMap large{RandomMap(4096, 4096, kTileSize, 1000, 91), CPoint(61237, 70411)};
    StampedMap small{RandomMap(64, 64, kTileSize, 1000, 92), CPoint(301, 517)};
    const CTileBlock block{2, 2, {11, 12, 21, 22}};

    // Points well inside the pane where the whole block fits.
    const CRect client = editor.Map()->GetClientRect();
    if (client.Width() < 8 * kTileSize || client.Height() < 8 * kTileSize) {
        state.SkipWithError("the map pane is too small");
        return;
    }
    RandomBits random(93);
    std::vector<QPoint> points;
    for (int i = 0; i < 16; ++i)
        points.emplace_back(3 * kTileSize + random.Below(client.Width() - 6 * kTileSize),
                            3 * kTileSize + random.Below(client.Height() - 6 * kTileSize));

    PairedTimes times;
    std::size_t round = 0;
    for (auto _ : state) {
        const QPoint at = points[round++ % points.size()];
        for (StampedMap* subject : {&small, &large}) {
            editor.ShowMap(subject->map, subject->scroll);
            editor.doc->SetSelection(block, nullptr);
            const double seconds = TimeStamp(editor.Map(), at);
            (subject == &large ? times.subject : times.baseline).push_back(seconds);
            std::swap(BackstageMap(*editor.doc), subject->map);  // the map back to its holder
        }
        state.SetIterationTime(times.subject.back());
    }
    // The last stamp must have written the block where it was clicked.
    editor.ShowMap(large.map, large.scroll);
    const QPoint last = points[(round - 1) % points.size()];
    const int col = (last.x() + large.scroll.x) / kTileSize;
    const int row = (last.y() + large.scroll.y) / kTileSize;
    const CCellLayers& cells = editor.doc->Cells();
    std::string problem = editor.Problem();
    if (problem.empty() && (cells.Get(CellLayer::Tiles, col, row) != block.At(0, 0) ||
                            cells.Get(CellLayer::Tiles, col + 1, row + 1) != block.At(1, 1)))
        problem = "the click did not stamp the block";
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    RecordFigure(state, {"One 2x2 stamp on a 4096x4096-cell map, press to the updated map pane", times.SubjectMs(),
                         times.BaselineMs(), "ms", "the same stamp on a 64x64-cell map", Limit::AtMost, 1, "median"});
}
BENCHMARK(BM_Stamp2x2)->UseManualTime()->Iterations(101)->Unit(benchmark::kMillisecond);

// A 2 x 2 attribute edit on a 4,096 x 4,096-cell map with the 40 rules and
// 자동 규칙 on: the document's edit with the rules applied around it, to
// the map pane's updated surface, against the same edit with 자동 규칙 off.
void BM_AutoRulesStamp2x2(benchmark::State& state)
{
    constexpr int kSide = 4096;
    EditorInProcess editor;
    if (const std::string problem = editor.Problem(); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    CMapModel map = BenchRulesMap(kSide, 32);
    const RuleSet set = BenchRuleSet(map);
    ApplyRules(map.m_cells, CompiledRules(set, TileFinder(map.m_tileList)), {0, 0, kSide, kSide});
    const CPoint scroll(61237, 70411);
    editor.ShowMap(map, scroll);
    editor.doc->SetRules(set);
    editor.doc->SetActiveLayer(CellLayer::Attributes);
    const CRect client = editor.Map()->GetClientRect();
    RandomBits random(7);  // where the edits go
    PairedTimes times;
    CPoint last;
    for (auto _ : state) {
        // Cells on screen, so that the pane repaints what the rules wrote.
        const int col = (scroll.x + 64 + random.Below(std::max(1, client.Width() - 160))) / 32;
        const int row = (scroll.y + 64 + random.Below(std::max(1, client.Height() - 160))) / 32;
        const short value = short(random.Below(3));
        last = CPoint(col, row);
        for (const bool rules : {false, true}) {
            editor.doc->SetAutoRules(rules);
            const Clock::time_point start = Clock::now();
            // The edit with the rules writes other values than the one before it.
            editor.doc->SetCellAttributes(CRect(col, row, col + 2, row + 2), short((value + (rules ? 1 : 0)) % 3));
            editor.Map()->UpdateWindow();
            (rules ? times.subject : times.baseline).push_back(SecondsBetween(start, Clock::now()));
            QApplication::processEvents();
        }
        state.SetIterationTime(times.subject.back());
    }
    // The cells the last edit's patterns can see follow the rules.
    if (CheckRules(editor.doc->Cells(), editor.doc->CompiledRuleSet(), {last.x - 1, last.y - 1, last.x + 3, last.y + 3})
            .count != 0) {
        state.SkipWithError("cells left undecided");
        return;
    }
    if (const std::string problem = editor.Problem(); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    RecordFigure(state, {"자동 규칙 after a 2x2 attribute edit on a 4096x4096-cell map with the 40 rules, to the "
                         "updated map pane",
                         times.SubjectMs(), times.BaselineMs(), "ms", "the same edit with 자동 규칙 off", Limit::AtMost,
                         1, "median"});
}
BENCHMARK(BM_AutoRulesStamp2x2)->UseManualTime()->Iterations(51)->Unit(benchmark::kMillisecond);

// A figure of /proc/self/status in bytes ("VmHWM:   1234 kB"), or 0.
double StatusBytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1)) * 1024;
    return 0;
}

// The peak of resident memory starts again from what is resident now.
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

constexpr double kMiB = 1024.0 * 1024.0;

// Seconds from a command to the map pane and the overview repainted.
double CommandToPanes(EditorInProcess& editor, UINT command)
{
    editor.frame->UpdateAllCommandUI();
    const Clock::time_point start = Clock::now();
    editor.frame->CommandAction(command)->trigger();
    editor.Map()->UpdateWindow();
    editor.frame->m_pSmallMapView->UpdateWindow();
    const double seconds = SecondsBetween(start, Clock::now());
    QApplication::processEvents();
    return seconds;
}

// What an undo step of cells keeps for itself: its before chunks (its
// after chunks are the map's own until they change again).
double StepOwnBytes(const CEditHistory& stack)
{
    const auto* step = dynamic_cast<const CCellsCommand*>(stack.command(stack.index() - 1));
    double bytes = 0;
    if (step)
        for (const ChunkChange& change : step->Changes()) bytes += double(change.cells) * sizeof(short);
    return bytes;
}

void FillAll(benchmark::State& state, int side, double limitMs)
{
    EditorInProcess editor;
    if (const std::string problem = editor.Problem(); !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    CMapModel map = RandomMap(side, side, 32, 1000, 95);
    editor.ShowMap(map, CPoint(0, 0));
    const CTileBlock block{2, 2, {11, 12, 21, 22}};
    const double layerBytes = double(side) * side * sizeof(short);
    PairedTimes fill, undo, redo;
    std::vector<double> peaks, kept;
    for (auto _ : state) {
        // Back to the random cells, with no step to redo.
        if (editor.doc->UndoStack().canUndo()) editor.doc->UndoStack().undo();
        editor.doc->UndoStack().clear();
        editor.doc->SetSelection(block, nullptr);
        ReturnFreeMemory();
        fill.baseline.push_back(SecondsOf([&] {
            FreshBytes cells{std::size_t(layerBytes)};
            std::memset(cells.Data(), 0x5A, cells.Size());
        }));
        ReturnFreeMemory();
        const double resident = StatusBytes("VmRSS");
        ResetPeakMemory();
        fill.subject.push_back(CommandToPanes(editor, ID_TILE_FILLALL));
        peaks.push_back(StatusBytes("VmHWM") - resident);
        kept.push_back(StepOwnBytes(editor.doc->UndoStack()));
        state.SetIterationTime(fill.subject.back());
        undo.subject.push_back(CommandToPanes(editor, ID_EDIT_UNDO));
        redo.subject.push_back(CommandToPanes(editor, ID_EDIT_REDO));
    }
    std::string problem = editor.Problem();
    if (problem.empty() &&
        (editor.doc->Cells().Tile(side - 1, side - 1) != block.At(1, 1) || editor.doc->UndoStack().count() != 1))
        problem = "fill-all did not fill the map as one step";
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    const std::string size = std::to_string(side) + "x" + std::to_string(side);
    RecordFigure(state,
                 {"Fill all on a " + size + "-cell map, command to the map pane and overview", fill.SubjectMs(),
                  fill.BaselineMs(), "ms", "writing one layer into new memory", Limit::AtMost, limitMs, "median"});
    if (side < 8192) return;
    const double layerMiB = layerBytes / kMiB;
    // The new chunks are one layer; 1% is left for the allocator's headers
    // and the step's list of chunks.
    RecordFigure(state, {"Fill all " + size + ": peak memory added", Median(peaks) / kMiB, layerMiB, "MiB",
                         "one cell layer", Limit::RatioAtMost, 1.01, "median"});
    RecordFigure(state, {"Fill all " + size + ": memory its undo step keeps", Median(kept) / kMiB, layerMiB, "MiB",
                         "the chunks it changed: every one", Limit::RatioAtMost, 1.0, "median"});
    RecordFigure(
        state, {"Fill all " + size + ": undo, command to the updated panes", undo.SubjectMs(), fill.BaselineMs(), "ms",
                "writing one layer into new memory", Limit::RatioAtMost, 2.0, "median"});
    RecordFigure(
        state, {"Fill all " + size + ": redo, command to the updated panes", redo.SubjectMs(), fill.BaselineMs(), "ms",
                "writing one layer into new memory", Limit::RatioAtMost, 2.0, "median"});

    // A 2 x 2 stamp across a chunk's last row and the next chunk's first.
    const auto* fillStep = dynamic_cast<const CCellsCommand*>(editor.doc->UndoStack().command(0));
    const std::size_t chunkCells = fillStep && !fillStep->Changes().empty() ? fillStep->Changes().front().cells : 0;
    const int rowsPerChunk = int(chunkCells / std::size_t(kChunkColumns));
    editor.doc->UndoStack().clear();
    editor.doc->SetSelection(block, nullptr);
    editor.doc->StampBrush(100, rowsPerChunk - 1);
    const double chunkBytes = double(chunkCells) * sizeof(short);
    RecordFigure(state, {"A 2x2 stamp across two chunks of " + size + ": memory its undo step keeps",
                         StepOwnBytes(editor.doc->UndoStack()) / kMiB, 2 * chunkBytes / kMiB, "MiB", "two chunks",
                         Limit::RatioAtMost, 1.0, ""});
}

void BM_FillAll4096(benchmark::State& state) { FillAll(state, 4096, 500); }
BENCHMARK(BM_FillAll4096)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_FillAll8192(benchmark::State& state) { FillAll(state, 8192, 2000); }
BENCHMARK(BM_FillAll8192)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// The editor on the attribute layer with a 4096 x 4096-cell map of 32-pixel
// tiles whose attributes use 1,000 values, loaded from a file as opening it
// would (so the value counts are the map's); empty when that worked.
std::string OpenAttrMap(EditorInProcess& editor, const ScratchDir& scratch)
{
    CMapModel map = RandomMap(4096, 4096, 32, 1000, 97);
    AddRandomAttributes(map.m_cells, 1000, 98);
    editor.ShowMap(map, CPoint(0, 0));
    const std::string path = scratch.File("attrs.Map");
    if (!editor.doc->SaveMapFileTo(path) || !editor.doc->LoadMapFileFrom(path)) return "the map did not save and load";
    editor.doc->SetActiveLayer(CellLayer::Attributes);
    QApplication::processEvents();
    if (editor.doc->AttrValues().Values().size() < 999) return "the values were not counted";
    return editor.Problem();
}

// Arg 0: the map pane at 100% shows part of the band, and composes it again
// with the colours; arg 1: the pane shows another part of the map, so the
// figure is the edit, the value counts and the overview alone; arg 2: the
// pane zoomed out to 1/128 shows the whole band, as when painting one.
void BM_AttrBand1024(benchmark::State& state)
{
    constexpr int kSide = 4096;
    constexpr int kBand = 1024;
    const int view = int(state.range(0));
    EditorInProcess editor;
    const ScratchDir scratch;
    std::string problem = editor.Problem();
    if (problem.empty()) problem = OpenAttrMap(editor, scratch);
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    const CRect band(1500, 1500, 1500 + kBand, 1500 + kBand);
    if (view == 2) {
        editor.Map()->SetZoom(MapZoom{-7});
        editor.Map()->ScrollToDevicePosition(CPoint(0, 1300 * 32 / 128));
    } else {
        const CPoint shown = view == 0 ? CPoint(2000, 2000) : CPoint(200, 3000);
        editor.Map()->ScrollToDevicePosition(CPoint(shown.x * 32 + 7, shown.y * 32 + 11));
    }
    editor.Map()->UpdateWindow();
    std::vector<short> layer(std::size_t(kSide) * kSide);
    PairedTimes times;
    short value = 1;
    for (auto _ : state) {
        value = short(value % 900 + 1);  // each band changes every cell it covers
        editor.doc->UndoStack().clear();
        editor.doc->SetCurrentAttrValue(value);
        QApplication::processEvents();
        times.Round(
            state,
            [&] {
                for (int row = band.top; row < band.bottom; ++row)
                    std::fill_n(layer.data() + std::size_t(row) * kSide + std::size_t(band.left), kBand, value);
            },
            [&] {
                editor.doc->PaintAttributes(band);
                editor.Map()->UpdateWindow();
                editor.frame->m_pSmallMapView->UpdateWindow();
            });
        benchmark::DoNotOptimize(layer.data());
        QApplication::processEvents();  // the value palette and the window's repaint
    }
    problem = editor.Problem();
    if (problem.empty() && (editor.doc->CellAttribute(band.left, band.top) != value ||
                            editor.doc->CellAttribute(band.right - 1, band.bottom - 1) != value ||
                            editor.doc->AttrValues().Count(value) < std::size_t(kBand) * kBand))
        problem = "the band was not painted and counted";
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    const char* const kViews[] = {"to the map pane at 100% (composing the band it shows) and overview",
                                  "and overview (the map pane elsewhere)",
                                  "to the map pane at 1/128 (showing the whole band) and overview"};
    RecordFigure(state,
                 {std::string("Attribute band 1024x1024 on a 4096x4096-cell map, with value counts, ") + kViews[view],
                  times.SubjectMs(), times.BaselineMs(), "ms", "writing those cells into a plain layer",
                  Limit::RatioAtMost, 3, "median"});
}
BENCHMARK(BM_AttrBand1024)->DenseRange(0, 2)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);

void BM_OpenAttrMapPalette(benchmark::State& state)
{
    EditorInProcess editor;
    const ScratchDir scratch;
    std::string problem = editor.Problem();
    if (problem.empty()) problem = OpenAttrMap(editor, scratch);
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    const std::string path = scratch.File("attrs.Map");
    std::vector<double> toPaint, toPalette, listBuild;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        if (!editor.doc->LoadMapFileFrom(path)) {
            state.SkipWithError("the map did not load");
            return;
        }
        editor.Map()->UpdateWindow();
        const Clock::time_point painted = Clock::now();
        // The palette rebuilds its list once the event loop runs again.
        QApplication::processEvents();
        const Clock::time_point ready = Clock::now();
        toPaint.push_back(SecondsBetween(start, painted));
        toPalette.push_back(SecondsBetween(painted, ready));
        state.SetIterationTime(toPalette.back());
        listBuild.push_back(SecondsOf([&] { editor.frame->m_pAttrValuePane->Refresh(); }));
    }
    problem = editor.Problem();
    if (problem.empty() && editor.doc->AttrValues().Values().size() < 999) problem = "the values were not counted";
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    RecordFigure(state, {"Open a 4096x4096-cell map using 1,000 attribute values: "
                         "first paint to the value palette built",
                         Median(toPalette) * 1e3, Median(toPaint) * 1e3, "ms",
                         "load to the first paint (value counts included)", Limit::Below, 200, "median"});
    RecordFigure(state, {"The value palette's list of 1,000 values built", Median(listBuild) * 1e3, 0, "ms", "",
                         Limit::Below, 200, "median"});
}
BENCHMARK(BM_OpenAttrMapPalette)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
