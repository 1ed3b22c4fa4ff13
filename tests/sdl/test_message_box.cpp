// Message boxes: the recording seam that tests use, and the standard-error fallback without a display.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "platform/message_box.h"

namespace {

struct Shown {
    int calls = 0;
    platform::Window* owner = nullptr;
    std::string text;
    std::string caption;
    unsigned type = 0;
} shown;

int recordBox(platform::Window* owner, const char* text, const char* caption, unsigned type) {
    ++shown.calls;
    shown.owner = owner;
    shown.text = text;
    shown.caption = caption;
    shown.type = type;
    return platform::IDNO;
}

TEST(MessageBox, SeamRecordsAndNoDisplayWritesToStandardError) {
    auto* fakeOwner = reinterpret_cast<platform::Window*>(&shown);
    platform::setMessageBoxHandler(recordBox);
    const int answer = platform::messageBox(fakeOwner, "Use Windowed Mode Instead?", "GLWindow",
                                            platform::MB_YESNO | platform::MB_ICONEXCLAMATION);
    platform::setMessageBoxHandler(nullptr);
    EXPECT_EQ(answer, platform::IDNO) << "the handler's answer is the box's answer";
    EXPECT_EQ(shown.calls, 1);
    EXPECT_EQ(shown.owner, fakeOwner) << "the owner reaches the handler untouched";
    EXPECT_EQ(shown.text, "Use Windowed Mode Instead?");
    EXPECT_EQ(shown.caption, "GLWindow");
    EXPECT_EQ(shown.type, platform::MB_YESNO | platform::MB_ICONEXCLAMATION);

    // No display of any kind: nothing can be shown, and nothing may block.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    testing::internal::CaptureStderr();
    const int ok = platform::messageBox(nullptr, "Failed to initialize!", "ERROR", platform::MB_OK);
    const int yes = platform::messageBox(nullptr, "Use Windowed Mode Instead?", "GLWindow",
                                         platform::MB_YESNO | platform::MB_ICONEXCLAMATION);
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(shown.calls, 1) << "a cleared handler is no longer called";
    EXPECT_EQ(ok, platform::IDOK) << "an OK box answers OK";
    EXPECT_EQ(yes, platform::IDYES) << "a yes/no box answers its default button, Yes";
    EXPECT_NE(written.find("ERROR: Failed to initialize!\n"), std::string::npos) << "caption and text on stderr";
    EXPECT_NE(written.find("GLWindow: Use Windowed Mode Instead?\n"), std::string::npos);
}

}  // namespace
