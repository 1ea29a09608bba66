// The main of the test programs that need no Qt.
#include <gtest/gtest.h>

#include "privatehome.h"

int main(int argc, char** argv)
{
    const PrivateHome home;
    ::testing::InitGoogleTest(&argc, argv);
    return home.Verdict(RUN_ALL_TESTS());
}
