// Unsaved work survives a crash: an editor is killed (SIGKILL) some seconds
// after its last edit, and the next start offers the copy and restores
// exactly what Save would have written then.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "afxmsg.h"
#include "doctemplate.h"
#include "mapfile.h"
#include "modalanswerer.h"
#include "recovery.h"
#include "scratchfolder.h"
#include "testtiles.h"
#include "undocommands.h"
#include "uiinput.h"
#include "waituntil.h"
#include "zellapp.h"
#include "zelldoc.h"

namespace {

constexpr const char* kChildFolder = "PELLIN_RECOVERY_TEST_FOLDER";

std::vector<std::uint8_t> Saved(const CZellDoc& doc)
{
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(EncodeMapFile(doc.Snapshot().Input(), bytes), MapWriteResult::Ok);
    return bytes;
}

// What this session's recovery copy gives back (its base and journal), as
// Save would write it; nothing while there is no copy.
std::vector<std::uint8_t> Restored(const CRecoveryKeeper& keeper)
{
    const RecoveredSession session = CRecoveryKeeper::ReadSession(keeper.MetaFile());
    MapFileContent content;
    if (session.mapFile.empty() || CRecoveryKeeper::ReadCopy(session, content) != MapReadResult::Ok) return {};
    MapSaveInput input{&content.map, content.bitCount, content.bitCount == 8 ? content.colours.data() : nullptr};
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(EncodeMapFile(input, bytes), MapWriteResult::Ok);
    return bytes;
}

// The editor to be killed: opens a map, edits it, waits for the recovery
// copy of it (a base), edits again, notes what Save would write, waits for
// the copy of that (the journal) and says so; then waits to be killed.
// Runs only as the child of the test below.
TEST(RecoveryChild, EditsAndWaitsToBeKilled)
{
    const char* folder = std::getenv(kChildFolder);
    if (!folder) GTEST_SKIP() << "run by RecoveryAfterAKill";
    ::setenv("XDG_STATE_HOME", folder, 1);
    ASSERT_TRUE(theApp.InitInstance());
    auto* doc = static_cast<CZellDoc*>(theApp.DocTemplate()->Document());
    ASSERT_TRUE(doc->LoadMapFileFrom(std::string(folder) + "/start.Map"));
    doc->SetSelection({2, 1, {1, 2}}, nullptr);
    doc->StampBrush(3, 4);
    doc->FillWithBrush(CRect(0, 0, 5, 2));
    // The copy comes from the keeper's own timer, however long that takes here.
    const CRecoveryKeeper& keeper = *doc->Recovery();
    std::vector<std::uint8_t> expected = Saved(*doc);
    ASSERT_TRUE(WaitUntil([&] { return Restored(keeper) == expected; }))
        << "no copy of the first edits within " << kPatienceMs / 1000 << " s";
    doc->SetCellAttributes(CRect(6, 6, 9, 8), -300);
    doc->UndoStack().undo();
    doc->SetCellAttributes(CRect(1, 1, 2, 2), 77);
    expected = Saved(*doc);
    WriteBytes(std::string(folder) + "/expected.Map", expected);
    ASSERT_TRUE(WaitUntil([&] { return Restored(keeper) == expected; }))
        << "no copy of the last edit within " << kPatienceMs / 1000 << " s";
    doc->Recovery()->WaitForWrites();
    WriteBytes(std::string(folder) + "/ready", {});
    // Until killed; ends by itself only if the test that started it is gone.
    const pid_t parent = ::getppid();
    WaitUntil([parent] { return ::getppid() != parent; }, 10 * kPatienceMs);
}

TEST(RecoveryAfterAKill, TheNextStartRestoresWhatSaveWouldHaveWritten)
{
    const ScratchFolder scratch;
    const std::string folder = scratch.Path().string();
    {
        CMapModel start = ModelOf(12, 10, 16, 16);
        AddTestTiles(start.m_tileList, 4, 16, 16, 24, 3);
        MapSaveInput input;
        input.map = &start;
        ASSERT_EQ(WriteMapFile(folder + "/start.Map", input), MapWriteResult::Ok);
    }

    // Started with posix_spawn, not QProcess: Qt starts a child with a clone
    // that shares the parent's memory until the exec, and ThreadSanitizer's
    // bookkeeping of this process does not survive what runs in between.
    std::string self = QCoreApplication::applicationFilePath().toStdString();
    std::string filter = "--gtest_filter=RecoveryChild.*";
    char* argv[] = {self.data(), filter.data(), nullptr};
    std::string folderVariable = std::string(kChildFolder) + "=" + folder;
    std::vector<char*> envp{folderVariable.data()};
    for (char** variable = environ; *variable; ++variable) envp.push_back(*variable);
    envp.push_back(nullptr);
    const std::string log = folder + "/child.log";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ASSERT_EQ(spawned, 0);
    int status = 0;
    bool ended = false;
    const auto childEnded = [&] { return ended || (ended = ::waitpid(child, &status, WNOHANG) == child); };
    const bool ready = WaitUntil([&] { return std::filesystem::exists(folder + "/ready") || childEnded(); },
                                 2 * kPatienceMs);  // longer than the child waits, so that it tells what it missed
    ::kill(child, SIGKILL);
    if (!childEnded()) {
        ASSERT_EQ(::waitpid(child, &status, 0), child);
    }
    const std::vector<std::uint8_t> childLog = ReadBytes(log);
    ASSERT_TRUE(ready && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the editor to be killed did not get ready: " << std::string(childLog.begin(), childLog.end());

    // The next start, in the same state folder.
    ::setenv("XDG_STATE_HOME", folder.c_str(), 1);
    ASSERT_EQ(CRecoveryKeeper::FindLeftBehind(CRecoveryKeeper::DefaultFolder()).size(), 1u);
    {
        ModalAnswerer answer;
        answer.Then([](QWidget* modal) {
            EXPECT_EQ(MessageText(modal), QString::fromUtf8(kMsgAskRecover));
            PressMessageButton(modal, QMessageBox::YesRole);
        });
        ASSERT_TRUE(theApp.InitInstance());
    }
    auto* doc = static_cast<CZellDoc*>(theApp.DocTemplate()->Document());
    EXPECT_EQ(Saved(*doc), ReadBytes(folder + "/expected.Map"));
    EXPECT_TRUE(doc->IsModified()) << "restored work is unsaved";
    EXPECT_EQ(doc->GetPathName(), folder + "/start.Map");
    // The old copy goes once this session's own is on disk.
    doc->Recovery()->WaitForWrites();
    const auto left = CRecoveryKeeper::FindLeftBehind(CRecoveryKeeper::DefaultFolder());
    EXPECT_TRUE(left.empty());
    const std::string copy = doc->Recovery()->MetaFile();
    EXPECT_TRUE(std::filesystem::exists(copy));
    theApp.DestroyMainWindow();
    EXPECT_FALSE(std::filesystem::exists(copy)) << "a clean exit keeps no copy";
}

// The copy is written on its own thread while editing goes on at once, on a
// map of several chunks: each copy restores what Save would have written
// when it was asked for, through new bases and journals alike, and a batch
// cut short by a crash is left out. After the first copy, a small edit
// writes about the chunks it changed, not the map. (Under ThreadSanitizer
// this is also the race check of the chunks shared between the two threads.)
TEST(RecoveryWhileEditing, EachCopyHoldsItsMoment)
{
    const ScratchFolder scratch;
    const std::string folder = scratch.Path().string();
    {
        CMapModel start = ModelOf(300, 700, 16, 16);
        AddTestTiles(start.m_tileList, 4, 16, 16, 24, 3);
        MapSaveInput input;
        input.map = &start;
        ASSERT_EQ(WriteMapFile(folder + "/start.Map", input), MapWriteResult::Ok);
    }
    ::setenv("XDG_STATE_HOME", folder.c_str(), 1);
    ASSERT_TRUE(theApp.InitInstance());
    auto* doc = static_cast<CZellDoc*>(theApp.DocTemplate()->Document());
    ASSERT_TRUE(doc->LoadMapFileFrom(folder + "/start.Map"));
    ASSERT_NE(doc->Recovery(), nullptr);
    doc->SetSelection({2, 1, {1, 2}}, nullptr);
    std::mt19937 random(17);
    // A tile's attribute, as the tile attribute command sets it.
    auto setTileAttribute = [&](int tile, BYTE value) {
        doc->UndoStack().push(new CTileAttrCommand(*doc, "attribute", {{tile, doc->Tiles().AttributeAt(tile)}}, value));
    };
    auto edit = [&] {
        const int col = int(random() % 300), row = int(random() % 700);
        if (random() % 5 == 0)
            setTileAttribute(int(random() % 4), BYTE(random()));
        else if (random() % 2)
            doc->SetCellAttributes(CRect(col, row, col + 3, row + 40), short(random()));
        else
            doc->FillWithBrush(CRect(col, row, col + 5, row + 30));
    };
    CRecoveryKeeper& keeper = *doc->Recovery();
    // The first copy is the whole map; a 2 x 2 stamp then adds one chunk.
    edit();
    keeper.Flush();
    keeper.WaitForWrites();
    const std::uint64_t base = keeper.BytesWritten();
    EXPECT_GE(base, 4u * 300 * 700);
    doc->StampBrush(10, 10);
    keeper.Flush();
    keeper.WaitForWrites();
    EXPECT_LE(keeper.BytesWritten() - base, 2u * 128 * 128 + 64);
    // A tile's attribute goes in the journal too, not in a new base.
    const std::uint64_t stamped = keeper.BytesWritten();
    setTileAttribute(2, 9);
    keeper.Flush();
    keeper.WaitForWrites();
    EXPECT_LE(keeper.BytesWritten() - stamped, 64u);
    for (int round = 0; round < 10; ++round) {
        edit();
        const std::vector<std::uint8_t> expected = Saved(*doc);
        keeper.Flush();
        for (int i = 0; i < 20; ++i) edit();
        keeper.WaitForWrites();
        ASSERT_EQ(Restored(keeper), expected) << "round " << round;
        // A crash in the middle of the next batch: the copy stays as it was.
        const std::string journal = CRecoveryKeeper::ReadSession(keeper.MetaFile()).journalFile;
        const std::vector<std::uint8_t> whole = ReadBytes(journal);
        std::vector<std::uint8_t> torn = whole;
        torn.insert(torn.end(), {'P', 'J', 'B', '1', 5, 0, 0, 0, 0xff, 0xff});
        WriteBytes(journal, torn);
        EXPECT_EQ(Restored(keeper), expected) << "round " << round;
        WriteBytes(journal, whole);
    }
    theApp.DestroyMainWindow();
}

}  // namespace
