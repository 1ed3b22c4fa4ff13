// The null backend: the contract with no system behind it. It is linked with the contract's table
// (tests/platform_contract.cpp), which makes a function of the contract it lacks a link error,
// and it refuses what needs a system while answering the rest as an empty one does.
#include <gtest/gtest.h>

#include <string>

#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace {

platform::LRESULT ignore(platform::Window*, std::uint32_t, platform::WPARAM, platform::LPARAM) { return 0; }

TEST(NullBackend, RefusesWindowsAndContextsAndAnswersAsAnEmptySystem) {
    EXPECT_STREQ(platform::windowSystemError(), "") << "nothing has failed yet";
    EXPECT_FALSE(platform::registerWindowClass(platform::moduleInstance(), ignore)) << "no window system";
    EXPECT_STRNE(platform::windowSystemError(), "") << "and it says why";
    EXPECT_EQ(platform::createWindow("OpenGL Window", 640, 480, false), nullptr);
    EXPECT_EQ(platform::createGLContext(nullptr), nullptr);
    EXPECT_TRUE(platform::makeCurrent(nullptr, nullptr)) << "no context current is always possible";

    platform::Message message;
    EXPECT_FALSE(platform::peekMessage(message)) << "the queue starts empty";
    platform::postQuitMessage(3);
    ASSERT_TRUE(platform::peekMessage(message));
    EXPECT_EQ(message.message, platform::WM_QUIT);
    EXPECT_EQ(message.wParam, 3u) << "the exit code";
    EXPECT_FALSE(platform::peekMessage(message)) << "taken once";

    // Through the shared seam: the text reaches standard error, and each box its default answer.
    testing::internal::CaptureStderr();
    EXPECT_EQ(platform::messageBox(nullptr, "Go on?", "Question", platform::MB_YESNO), platform::IDYES);
    EXPECT_EQ(platform::messageBox(nullptr, "Nothing to show.", "Notice", platform::MB_OK), platform::IDOK);
    const std::string shown = testing::internal::GetCapturedStderr();
    EXPECT_NE(shown.find("Question: Go on?"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Notice: Nothing to show."), std::string::npos) << shown;
}

}  // namespace
