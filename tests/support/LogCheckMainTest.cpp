// Tests that the test main must fail: CTest runs each on its own and looks for the failure.
#include <gtest/gtest.h>

#include "core/log/ErrorLine.h"

namespace {

TEST(LogCheckMain, WritesALineItDoesNotDeclare) {
    orvo::logErrorLine("Shader Error: ", "x.vsh ", "does not compile");
}

class LogCheckMainSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() { orvo::logErrorLine("File Error: ", "cannot open ", "y.txt"); }
};

TEST_F(LogCheckMainSuite, WritesALineOutsideAnyTest) {}

}  // namespace
