// Entry point of the test executables that need only the standard library.
#include "common/StateListener.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    StateListener::Install();
    return RUN_ALL_TESTS();
}
