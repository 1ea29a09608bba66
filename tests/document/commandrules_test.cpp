// Which commands are greyed and checked in each state of the document, as
// the frame's update pass and the toolbar's actions show them.
#include <QAction>
#include <functional>
#include <set>

#include "editorfixture.h"
#include "resource.h"

namespace {

const UINT kAllCommands[] = {ID_FILE_NEW,        ID_FILE_OPEN,     ID_FILE_SAVE,        ID_OPEN_BITMAP,
                             ID_BITMAP_ALLTILES, ID_TILE_ARRANGE,  ID_TILE_SETATTR,     ID_SHOW_PALETTEATTR,
                             ID_TILE_ERASEALL,   ID_TILE_ERASESEL, ID_SHOW_TILENUMBERS, ID_SHOW_TILEATTR,
                             ID_SHOW_MAPATTR,    ID_TILE_FILLALL,  ID_TEXT_COLOR};

const std::set<UINT> kNeedTiles = {ID_TILE_ARRANGE, ID_TILE_ERASEALL, ID_SHOW_PALETTEATTR, ID_SHOW_TILEATTR};
const std::set<UINT> kNeedSelection = {ID_TILE_ERASESEL, ID_TILE_SETATTR, ID_TILE_FILLALL};

std::set<UINT> Join(std::initializer_list<std::set<UINT>> sets)
{
    std::set<UINT> all;
    for (const auto& s : sets) all.insert(s.begin(), s.end());
    return all;
}

const TestPicture& Picture64x32()
{
    static const TestPicture picture = MakePicture(64, 32, 8, 3);
    return picture;
}

void WithBitmap(EditorTest& t) { t.LoadBitmap(Picture64x32()); }
void WithTiles(EditorTest& t) { t.CutTiles(Picture64x32()); }
void WithSelection(EditorTest& t)
{
    WithTiles(t);
    t.SelectBlock(2, 1, {0, 1});
}

struct RuleCase {
    const char* name;
    std::function<void(EditorTest&)> setUp;
    std::vector<UINT> toggles;  // commands sent after the set-up
    std::set<UINT> greyed;
    std::set<UINT> checked;
};
void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

class CommandRules : public EditorTest, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(CommandRules, GreyAndCheckEveryCommandByItsRule)
{
    const RuleCase& rule = GetParam();
    if (rule.setUp) rule.setUp(*this);
    for (UINT id : rule.toggles) Send(id);
    frame->UpdateAllCommandUI();
    for (UINT id : kAllCommands) {
        SCOPED_TRACE(id);
        const bool greyed = rule.greyed.count(id) != 0;
        EXPECT_EQ(Enabled(id), !greyed);
        EXPECT_EQ(frame->CommandAction(id)->isEnabled(), !greyed);
        EXPECT_EQ(frame->CommandCheck(id) != 0, rule.checked.count(id) != 0);
    }
}

const std::set<UINT> kWithoutBitmap = {ID_BITMAP_ALLTILES};

INSTANTIATE_TEST_SUITE_P(
    States, CommandRules,
    ::testing::Values(
        RuleCase{"Fresh", nullptr, {}, Join({kWithoutBitmap, kNeedTiles, kNeedSelection}), {}},
        RuleCase{"BitmapOnly", WithBitmap, {}, Join({kNeedTiles, kNeedSelection}), {}},
        RuleCase{"TilesWithoutSelection", WithTiles, {}, kNeedSelection, {}},
        RuleCase{"TilesAndSelection", WithSelection, {}, {}, {}},
        RuleCase{"PaletteAttrOn", WithTiles, {ID_SHOW_PALETTEATTR}, kNeedSelection, {ID_SHOW_PALETTEATTR}},
        // One map overlay on greys the other two and stays switchable itself.
        RuleCase{"TileNumbersOn",
                 WithTiles,
                 {ID_SHOW_TILENUMBERS},
                 Join({kNeedSelection, {ID_SHOW_TILEATTR, ID_SHOW_MAPATTR}}),
                 {ID_SHOW_TILENUMBERS}},
        RuleCase{"TileAttrOn",
                 WithTiles,
                 {ID_SHOW_TILEATTR},
                 Join({kNeedSelection, {ID_SHOW_TILENUMBERS, ID_SHOW_MAPATTR}}),
                 {ID_SHOW_TILEATTR}},
        RuleCase{"MapAttrOnWithoutTiles",
                 nullptr,
                 {ID_SHOW_MAPATTR},
                 Join({kWithoutBitmap, kNeedTiles, kNeedSelection, {ID_SHOW_TILENUMBERS}}),
                 {ID_SHOW_MAPATTR}},
        // Switched off again, the others come back; tile attributes only with tiles.
        RuleCase{"TileNumbersOffWithTiles", WithTiles, {ID_SHOW_TILENUMBERS, ID_SHOW_TILENUMBERS}, kNeedSelection, {}},
        RuleCase{"TileNumbersOffWithoutTiles",
                 nullptr,
                 {ID_SHOW_TILENUMBERS, ID_SHOW_TILENUMBERS},
                 Join({kWithoutBitmap, kNeedTiles, kNeedSelection}),
                 {}},
        // A greyed overlay's button does nothing: the other one stays the only one on.
        RuleCase{"GreyedOverlayDoesNotSwitch",
                 nullptr,
                 {ID_SHOW_MAPATTR, ID_SHOW_TILENUMBERS},
                 Join({kWithoutBitmap, kNeedTiles, kNeedSelection, {ID_SHOW_TILENUMBERS}}),
                 {ID_SHOW_MAPATTR}}),
    [](const ::testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

// File New switches the tile attribute overlay off and leaves the other two.
struct OverlayCase {
    const char* name;
    UINT overlay;
    bool answerOk;
    bool numbersAfter, mapAttrAfter, tileAttrAfter;
};
void PrintTo(const OverlayCase& c, std::ostream* os) { *os << c.name; }

class OverlaysAcrossFileNew : public EditorTest, public ::testing::WithParamInterface<OverlayCase> {};

TEST_P(OverlaysAcrossFileNew, OnlyTheTileAttributeOverlayGoesOff)
{
    const OverlayCase& c = GetParam();
    CutTiles(Picture64x32());
    Send(c.overlay);
    ModalAnswerer answer;
    answer.Then(ExpectMessage(kMsgAskEraseTilesForNewMap, QMessageBox::YesRole));
    answer.Then(c.answerOk ? AnswerNewMap(20, 15) : CancelDialog());
    Send(ID_FILE_NEW);
    EXPECT_EQ(doc->ShowTileNumbers(), c.numbersAfter);
    EXPECT_EQ(doc->ShowMapAttr(), c.mapAttrAfter);
    EXPECT_EQ(doc->ShowTileAttr(), c.tileAttrAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Overlays, OverlaysAcrossFileNew,
    ::testing::Values(OverlayCase{"TileNumbersStay", ID_SHOW_TILENUMBERS, true, true, false, false},
                      OverlayCase{"MapAttrStays", ID_SHOW_MAPATTR, true, false, true, false},
                      OverlayCase{"TileAttrGoesOff", ID_SHOW_TILEATTR, true, false, false, false},
                      OverlayCase{"CancelKeepsTileAttr", ID_SHOW_TILEATTR, false, false, false, true}),
    [](const ::testing::TestParamInfo<OverlayCase>& info) { return std::string(info.param.name); });

}  // namespace
