// The win32 backend with real Windows: messages sent and posted to the layer's windows, real key
// input, activation and minimising, MessageBoxA with its owner and buttons, the mapped file
// view and the multimedia clock. After <windows.h> the contract's message, key and box names are
// Windows' own macros, with the same values.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/application.h"
#include "app/gl_window.h"
#include "app/globals.h"
#include "bench/process_figures.h"
#include "platform/clock.h"
#include "platform/file_view.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/process.h"
#include "tests/app_fixtures.h"
#include "tests/gl_test_context.h"
#include "tests/temp_path.h"

// After every header that uses the contract's names.
#include "platform/win32/win32_internal.h"

#include <mmsystem.h>

namespace {

struct Received {
    platform::Window* window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Received> received;

LRESULT recordingProcedure(platform::Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    received.push_back(Received{window, message, wParam, lParam});
    return platform::defWindowProc(window, message, wParam, lParam);
}

// The received messages of these kinds, in order.
std::vector<Received> only(std::initializer_list<UINT> kinds) {
    std::vector<Received> kept;
    for (const Received& r : received) {
        for (UINT kind : kinds) {
            if (r.message == kind) kept.push_back(r);
        }
    }
    return kept;
}

void pressKey(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

// Types the keys (pressed in order, released in reverse) and waits until the queue has them.
void typeKeys(std::initializer_list<WORD> keys) {
    for (WORD key : keys) pressKey(key, false);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) pressKey(*key, true);
    for (int i = 0; i < 50 && !GetQueueStatus(QS_KEY); ++i) Sleep(10);
    pumpMessages();
}

class Win32BackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(offscreenWindow(), nullptr);
        ASSERT_TRUE(platform::registerWindowClass(platform::moduleInstance(), recordingProcedure));
        received.clear();
    }
    void TearDown() override {
        platform::destroyWindow(window);
        pumpMessages();
        received.clear();
    }

    platform::Window* window = nullptr;
};

}  // namespace

TEST_F(Win32BackendTest, MessagesReachTheProcedureWithTheirWindowAndWindowsPacking) {
    window = platform::createWindow("messages", 120, 80, false);
    ASSERT_NE(window, nullptr);
    const std::vector<Received> created = only({WM_NCCREATE, WM_CREATE});
    ASSERT_EQ(created.size(), 2u) << "creation's messages reach the procedure";
    EXPECT_EQ(created[0].window, window) << "naming the window before CreateWindowExA has returned it";

    pumpMessages();
    // Posted messages come out as they went in and the quit message names no window;
    // translateMessage makes the key's character, as TranslateMessage does.
    PostMessageA(window->handle, WM_KEYDOWN, 'A', 0x001E0001);
    platform::postQuitMessage(3);
    std::vector<platform::Message> taken = pumpMessages();
    ASSERT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken[0].window, window);
    EXPECT_EQ(taken[0].message, WM_KEYDOWN);
    EXPECT_EQ(taken[0].wParam, 'A');
    EXPECT_EQ(taken[0].lParam, 0x001E0001);
    EXPECT_EQ(taken[1].message, WM_CHAR);
    EXPECT_EQ(taken[1].wParam, 'a');
    EXPECT_EQ(taken[2].message, WM_QUIT);
    EXPECT_EQ(taken[2].wParam, 3u) << "the exit code";
    EXPECT_EQ(taken[2].window, nullptr);

    // Another window of the thread: its messages go to its own procedure, not to the application.
    HWND other = CreateWindowExA(0, "STATIC", "other", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    PostMessageA(other, WM_KEYDOWN, 'B', 0);
    EXPECT_TRUE(pumpMessages().empty()) << "a message of a window that is not the layer's";
    DestroyWindow(other);

    // A destroyed window's waiting messages go with it.
    platform::Window* gone = platform::createWindow("gone", 40, 40, false);
    ASSERT_NE(gone, nullptr);
    PostMessageA(gone->handle, WM_KEYUP, 'C', 0);
    platform::destroyWindow(gone);
    EXPECT_TRUE(pumpMessages().empty());

    // Real keys, typed into the shown window.
    platform::showWindow(window);
    pumpMessages();
    ASSERT_EQ(GetForegroundWindow(), window->handle) << "the shown window has the keyboard";
    received.clear();
    typeKeys({'A'});
    typeKeys({VK_MENU, 'L'});
    typeKeys({VK_F10});
    const std::vector<Received> keys = only({WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP});
    ASSERT_EQ(keys.size(), 8u);
    EXPECT_EQ(keys[0].message, WM_KEYDOWN);
    EXPECT_EQ(keys[0].wParam, 'A');
    EXPECT_EQ(keys[0].window, window);
    EXPECT_EQ(LOWORD(keys[0].lParam), 1) << "repeat count 1";
    EXPECT_EQ(static_cast<UINT>(keys[0].lParam) >> 29, 0u) << "no Alt, key was up, going down";
    EXPECT_EQ(keys[1].message, WM_KEYUP);
    EXPECT_EQ(static_cast<UINT>(keys[1].lParam) >> 30, 3u) << "a release: was down, going up";
    EXPECT_EQ(keys[2].message, WM_SYSKEYDOWN) << "Alt is a system key";
    EXPECT_EQ(keys[3].message, WM_SYSKEYDOWN) << "and so is a letter with Alt held";
    EXPECT_EQ(keys[3].wParam, 'L');
    EXPECT_NE(keys[3].lParam & (1 << 29), 0) << "the context code says Alt is held";
    EXPECT_EQ(keys[4].message, WM_SYSKEYUP);
    EXPECT_EQ(keys[6].message, WM_SYSKEYDOWN) << "F10 alone is a system key";
    EXPECT_EQ(keys[6].wParam, VK_F10);
    // F10 opens the system menu's keyboard mode in DefWindowProc; Escape leaves it.
    typeKeys({VK_ESCAPE});

    received.clear();
    typeKeys({VK_MENU, VK_F4});
    const std::vector<Received> closing = only({WM_SYSKEYDOWN, WM_CLOSE});
    ASSERT_EQ(closing.size(), 3u);
    EXPECT_EQ(closing[1].wParam, VK_F4);
    EXPECT_EQ(closing[2].message, WM_CLOSE) << "Alt+F4 through defWindowProc becomes WM_CLOSE";
    EXPECT_EQ(closing[2].window, window);
}

TEST_F(Win32BackendTest, ShowingActivatesAndMinimisingReportsZeroSize) {
    window = platform::createWindow("activation", 160, 90, false);
    ASSERT_NE(window, nullptr);
    received.clear();
    platform::showWindow(window);
    std::vector<Received> seen = only({WM_ACTIVATE, WM_SIZE});
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().message, WM_ACTIVATE) << "showing activates before showWindow returns";
    EXPECT_NE(LOWORD(seen.front().wParam), WA_INACTIVE);
    EXPECT_EQ(HIWORD(seen.front().wParam), 0) << "not minimised";
    ASSERT_EQ(only({WM_SIZE}).size(), 1u);
    EXPECT_EQ(only({WM_SIZE})[0].lParam, MAKELPARAM(160, 90)) << "the client size, width in the low word";

    received.clear();
    ShowWindow(window->handle, SW_MINIMIZE);
    pumpMessages();
    seen = only({WM_ACTIVATE, WM_SIZE});
    ASSERT_EQ(only({WM_SIZE}).size(), 1u);
    EXPECT_EQ(only({WM_SIZE})[0].wParam, SIZE_MINIMIZED);
    EXPECT_EQ(only({WM_SIZE})[0].lParam, 0) << "minimised: 0 x 0";
    ASSERT_FALSE(only({WM_ACTIVATE}).empty()) << "minimising is an activation message, whatever the system sends";
    EXPECT_EQ(seen.front().message, WM_ACTIVATE) << "before the size";
    EXPECT_NE(HIWORD(only({WM_ACTIVATE}).back().wParam), 0) << "activation says minimised: frames stop";

    received.clear();
    ShowWindow(window->handle, SW_RESTORE);
    pumpMessages();
    ASSERT_FALSE(only({WM_ACTIVATE}).empty());
    EXPECT_EQ(HIWORD(only({WM_ACTIVATE}).back().wParam), 0) << "restored: frames run again";
    ASSERT_FALSE(only({WM_SIZE}).empty());
    EXPECT_EQ(only({WM_SIZE}).back().lParam, MAKELPARAM(160, 90)) << "and the real size again";
}

TEST_F(Win32BackendTest, MessageBoxShowsTheCallersTextButtonsAndOwner) {
    window = platform::createWindow("owner", 100, 100, false);
    ASSERT_NE(window, nullptr);
    struct Box {
        HWND owner = nullptr;
        bool yes = false, no = false, ok = false;
        std::string text;
    };
    // Finds the box by its caption, reads it, and presses the given button.
    auto answer = [](const char* caption, int button, Box& box) {
        return std::thread([caption, button, &box] {
            HWND found = nullptr;
            for (int i = 0; i < 500 && !found; ++i, Sleep(10)) found = FindWindowA("#32770", caption);
            if (!found) return;
            box.owner = GetWindow(found, GW_OWNER);
            box.yes = GetDlgItem(found, IDYES) != nullptr;
            box.no = GetDlgItem(found, IDNO) != nullptr;
            box.ok = GetDlgItem(found, IDOK) != nullptr;
            EnumChildWindows(
                found,
                [](HWND child, LPARAM text) {
                    char buffer[256] = {};
                    GetWindowTextA(child, buffer, sizeof buffer);
                    if (std::string(buffer).find("Video Card") != std::string::npos ||
                        std::string(buffer).find("initialize") != std::string::npos)
                        *reinterpret_cast<std::string*>(text) = buffer;
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&box.text));
            PostMessageA(found, WM_COMMAND, button, 0);
        });
    };

    Box question;
    std::thread presser = answer("GLWindow", IDNO, question);
    const int said = platform::messageBox(
        window, "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?",
        "GLWindow", MB_YESNO | MB_ICONEXCLAMATION);
    presser.join();
    EXPECT_EQ(said, IDNO) << "the button pressed is the answer";
    EXPECT_EQ(question.owner, window->handle) << "owned by the given window";
    EXPECT_TRUE(question.yes && question.no && !question.ok) << "Yes and No buttons";
    EXPECT_NE(question.text.find("By\nYour Video Card"), std::string::npos) << "the text with its line break";

    Box failure;
    presser = answer("ERROR", IDOK, failure);
    EXPECT_EQ(platform::messageBox(nullptr, "Failed to initialize!", "ERROR", MB_OK), IDOK);
    presser.join();
    EXPECT_EQ(failure.owner, nullptr) << "no owner";
    EXPECT_TRUE(failure.ok && !failure.yes) << "one OK button";
    EXPECT_EQ(failure.text, "Failed to initialize!");
}

// The process's figures: a window of the layer is one more USER object and brings its own device
// context, a font is one more GDI object, and all of it is given back, whether the system counts
// them (GetGuiResources) or not (Wine, where the windows and the GDI handle table are counted).
TEST_F(Win32BackendTest, ProcessFiguresCountWindowsAndGdiObjects) {
    pumpMessages();
    const bench::ProcessFigures before = bench::processFigures();
    EXPECT_GT(before.residentBytes, 0) << "the working set";
    EXPECT_GT(before.privateBytes, 0) << "the commit charge";
    ASSERT_GT(before.userObjects, 0) << "the fixture's window at least";
    ASSERT_GT(before.gdiObjects, 0) << "that window's device context at least";

    HFONT font = CreateFontA(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(bench::processFigures().gdiObjects, before.gdiObjects + 1) << "the font";
    DeleteObject(font);
    EXPECT_EQ(bench::processFigures().gdiObjects, before.gdiObjects) << "the font deleted";

    window = platform::createWindow("figures", 64, 64, false);
    ASSERT_NE(window, nullptr);
    platform::DeviceContext* deviceContext = platform::getDC(window);
    ASSERT_NE(deviceContext, nullptr);
    const bench::ProcessFigures during = bench::processFigures();
    EXPECT_EQ(during.userObjects, before.userObjects + 1) << "the new window";
    EXPECT_GT(during.gdiObjects, before.gdiObjects) << "its own device context";

    platform::releaseDC(window, deviceContext);
    platform::destroyWindow(window);
    window = nullptr;
    pumpMessages();
    const bench::ProcessFigures after = bench::processFigures();
    EXPECT_EQ(after.userObjects, before.userObjects) << "the window is gone";
    EXPECT_EQ(after.gdiObjects, before.gdiObjects) << "and so is what GDI held for it";
}

TEST(Win32Backend, FileViewAndClock) {
    const std::string path = testTempPath("view.bin");
    std::string bytes(70000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);

    {
        platform::FileView view;
        ASSERT_TRUE(view.open(path.c_str()));
        ASSERT_EQ(view.size(), bytes.size()) << "the whole file";
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(view.data()), view.size()), bytes)
            << "readable after the file and mapping handles are closed";
        view.close();
        EXPECT_EQ(view.data(), nullptr);
        EXPECT_EQ(view.size(), 0u);
        EXPECT_TRUE(DeleteFileA(path.c_str()));
        EXPECT_FALSE(view.open(path.c_str())) << "a file that is gone";
    }

    const std::uint32_t before = platform::timeGetTime();
    Sleep(100);
    const std::uint32_t after = platform::timeGetTime();
    EXPECT_GE(after - before, 90u) << "milliseconds";
    EXPECT_LT(after - before, 2000u);
    EXPECT_LE(::timeGetTime() - after, 100u) << "the multimedia clock itself";
}

// The application's window on this backend, where the frame is Windows' own: windowRect is the
// client rectangle grown to the outer one, and the class is marked registered only while it is.
TEST(Win32Backend, ApplicationWindowRectIsTheOuterRectangle) {
    ASSERT_NE(offscreenWindow(), nullptr);
    setWindowHandlers(shellWindowHandlers());
    ASSERT_TRUE(appWindow.create("OpenGL Window", 700, 500, 32, false));
    RECT outer{};
    ASSERT_TRUE(GetWindowRect(appWindow.windowHandle->handle, &outer));
    EXPECT_EQ(appWindow.windowRect.right - appWindow.windowRect.left, outer.right - outer.left) << "outer width";
    EXPECT_EQ(appWindow.windowRect.bottom - appWindow.windowRect.top, outer.bottom - outer.top) << "outer height";
    EXPECT_LT(appWindow.windowRect.top, appWindow.windowRect.left) << "the caption above the client";
    int width = 0, height = 0;
    platform::clientSize(appWindow.windowHandle, width, height);
    EXPECT_EQ(width, 700);
    EXPECT_EQ(height, 500);
    EXPECT_TRUE(appWindow.instanceHandle);
    appWindow.destroy();
    EXPECT_FALSE(appWindow.instanceHandle);
    EXPECT_EQ(appWindow.windowHandle, nullptr);
}

// Ctrl+C in the console the program took over: the handler, on a thread the system starts,
// posts the quit message to the thread that installed it, so that its message loop ends the run,
// and says the event is handled, so that the process is not ended on the spot.
TEST(Win32Backend, ConsoleInterruptPostsTheQuitMessage) {
    platform::endRunOnConsoleInterrupt();
    drainMessages();
    BOOL handled = FALSE;
    std::thread system([&handled] { handled = platform::endRunOnConsoleEvent(CTRL_C_EVENT); });
    system.join();
    EXPECT_TRUE(handled) << "the default handler must not end the process";
    EXPECT_EQ(countQuitMessages(drainMessages(), 0), 1) << "the quit message, with exit code 0";
    SetConsoleCtrlHandler(platform::endRunOnConsoleEvent, FALSE);
}
