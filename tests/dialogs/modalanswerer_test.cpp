// The test helper itself: a modal window nobody answers must not hang the
// suite; it is rejected and the test fails.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "aboutdlg.h"
#include "dlgtesting.h"

namespace {
TEST(ModalAnswerer, UnansweredModalIsRejectedAndFailsTheTest)
{
    static int result = 0;
    EXPECT_NONFATAL_FAILURE(
        {
            ModalAnswerer answer(100);
            CAboutDlg about;
            result = about.DoModal();
        },
        "nobody answered it");
    EXPECT_EQ(result, IDCANCEL);
}

TEST(ModalAnswerer, HandlerThatNeverCameFailsTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ModalAnswerer answer;
            answer.Then([](QWidget*) {});
        },
        "never appeared");
}
}  // namespace
