#include <gtest/gtest.h>
#include <thread>

#include "runtime/sys/debug_output.h"

namespace {

using namespace runtime;
using Texts = std::vector<std::string>;

TEST(DebugOutput, CaptureRecordsEveryThreadInOrder) {
    ScopedDebugCapture capture;
    debugOutput("Main 1 first\r\n");
    std::thread([] { debugOutput("from another thread\r\n"); }).join();
    debugOutput("");
    EXPECT_EQ(capture.texts(), (Texts{"Main 1 first\r\n", "from another thread\r\n", ""}));
    capture.clear();
    EXPECT_TRUE(capture.texts().empty());
}

TEST(DebugOutput, InnermostCaptureRecordsAndTheOuterOneResumes) {
    ScopedDebugCapture outer;
    debugOutput("a");
    {
        ScopedDebugCapture inner;
        debugOutput("b");
        EXPECT_EQ(inner.texts(), (Texts{"b"}));
    }
    debugOutput("c");
    EXPECT_EQ(outer.texts(), (Texts{"a", "c"}));
}

#ifndef _WIN32
TEST(DebugOutput, WithoutCaptureEachTextIsOneLineOnStandardError) {
    testing::internal::CaptureStderr();
    debugOutput("WinDebug line\r\n");
    debugOutput("no line end");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "WinDebug line\nno line end\n");
}
#endif

} // namespace
