// Saving over a file: it is replaced whole or not at all, and no temporary
// file is ever left beside it.
#include "scratchfolder.h"
#include "safesave.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

namespace {
enum class Setup { OldFile, NoFile, MissingFolder, ReadOnlyFile, DiskRefusesToGrow, Abandoned };

struct SaveCase {
    const char* name;
    Setup setup;
    bool opens;
    bool commits;
};

class SafeSaveTest : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SafeSaveTest, ReplacesTheTargetWholeOrNotAtAll)
{
    const SaveCase& c = GetParam();
    ScratchFolder folder;
    const std::string target = c.setup == Setup::MissingFolder ? folder.File("no/such.Map") : folder.File("t.Map");
    const std::vector<std::uint8_t> old = {1, 2, 3};
    if (c.setup != Setup::NoFile && c.setup != Setup::MissingFolder) WriteBytes(target, old);
    if (c.setup == Setup::ReadOnlyFile) std::filesystem::permissions(target, std::filesystem::perms::owner_read);
    const std::vector<std::uint8_t> bytes(64 * 1024, 0x5A);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    bool opened = false;
    bool committed = false;
    {
        SafeSave save(target);
        opened = save.Open();
        if (opened) {
            if (c.setup == Setup::DiskRefusesToGrow) {
                rlimit small = saved;
                small.rlim_cur = 4096;
                ::setrlimit(RLIMIT_FSIZE, &small);
            }
            std::fwrite(bytes.data(), 1, bytes.size(), save.Stream());
            if (c.setup != Setup::Abandoned) committed = save.Commit();
            ::setrlimit(RLIMIT_FSIZE, &saved);
        }
    }
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(opened, c.opens);
    EXPECT_EQ(committed, c.commits);
    const bool hadFile = c.setup != Setup::NoFile && c.setup != Setup::MissingFolder;
    if (c.commits)
        EXPECT_EQ(ReadBytes(target), bytes);
    else if (hadFile)
        EXPECT_EQ(ReadBytes(target), old);
    else
        EXPECT_FALSE(std::filesystem::exists(target));
    // Only the target, if any, is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), c.commits || hadFile ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, SafeSaveTest,
                         ::testing::Values(SaveCase{"ReplacesAnOldFile", Setup::OldFile, true, true},
                                           SaveCase{"MakesANewFile", Setup::NoFile, true, true},
                                           SaveCase{"MissingFolder", Setup::MissingFolder, false, false},
                                           SaveCase{"ReadOnlyTargetIsKept", Setup::ReadOnlyFile, false, false},
                                           SaveCase{"FailureMidWriteKeepsTheOldFile", Setup::DiskRefusesToGrow, true,
                                                    false},
                                           SaveCase{"AbandonedSaveKeepsTheOldFile", Setup::Abandoned, true, false}),
                         [](const ::testing::TestParamInfo<SaveCase>& info) { return std::string(info.param.name); });
}  // namespace
