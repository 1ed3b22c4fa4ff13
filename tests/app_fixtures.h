// Helpers for the application and demo tests: a working directory of data files, a recorder
// for message boxes, a settable clock, and a reset of the process-wide objects.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "app/globals.h"
#include "demo/expression_morph.h"
#include "demo/globals.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "tests/gl_test_context.h"

// A fresh temporary directory made the working directory for the helper's lifetime; it can be
// filled with copies of the generated data files or with files the test writes itself.
class ScopedWorkDir {
public:
    ScopedWorkDir() : previous_(std::filesystem::current_path()) {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            std::filesystem::path candidate =
                std::filesystem::temp_directory_path() / ("facedemo-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate)) path_ = candidate;
        }
        EXPECT_FALSE(path_.empty()) << "cannot make a temporary directory";
        if (!path_.empty()) std::filesystem::current_path(path_);
    }
    ScopedWorkDir(const ScopedWorkDir&) = delete;
    ScopedWorkDir& operator=(const ScopedWorkDir&) = delete;
    ~ScopedWorkDir() {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }

    // Copies the named files from the build's data directory.
    void copyData(std::initializer_list<const char*> names) const {
        for (const char* name : names) {
            std::error_code error;
            std::filesystem::copy_file(std::filesystem::path(FACEDEMO_DATA_DIR) / name, path_ / name, error);
            EXPECT_FALSE(error) << "cannot copy " << name << " from " << FACEDEMO_DATA_DIR << ": " << error.message();
        }
    }

    void write(const char* name, const std::string& text) const {
        std::ofstream out(path_ / name);
        out << text;
    }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// Every message box shown while installed, answered with OK (or Yes).
struct RecordedBox {
    platform::Window* owner;
    std::string text;
    std::string caption;
    unsigned type;
};

class MessageBoxRecorder {
public:
    MessageBoxRecorder() {
        boxes().clear();
        platform::setMessageBoxHandler(record);
    }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;
    ~MessageBoxRecorder() { platform::setMessageBoxHandler(nullptr); }

    static std::vector<RecordedBox>& boxes() {
        static std::vector<RecordedBox> shown;
        return shown;
    }

private:
    static int record(platform::Window* owner, const char* text, const char* caption, unsigned type) {
        boxes().push_back(RecordedBox{owner, text ? text : "", caption ? caption : "", type});
        return (type & platform::buttonGroupMask) == platform::MB_YESNO ? platform::IDYES : platform::IDOK;
    }
};

// The millisecond clock reads `now` while installed.
class FixedClock {
public:
    FixedClock() { platform::setClockSource(read); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
    ~FixedClock() { platform::setClockSource(nullptr); }

    static std::uint32_t& now() {
        static std::uint32_t value = 0;
        return value;
    }

private:
    static std::uint32_t read() { return now(); }
};

// Takes every waiting message; returns them in the order they were queued.
inline std::vector<platform::Message> drainMessages() {
    std::vector<platform::Message> taken;
    platform::Message message;
    while (platform::peekMessage(message)) taken.push_back(message);
    return taken;
}

// Takes and dispatches every waiting message, as the message loop does (Windows posts some steps of
// its default handling, such as Alt+F4's close); returns them in the order they were taken.
inline std::vector<platform::Message> pumpMessages() {
    std::vector<platform::Message> taken;
    platform::Message message;
    while (platform::peekMessage(message)) {
        taken.push_back(message);
        platform::translateMessage(message);
        platform::dispatchMessage(message);
    }
    return taken;
}

inline int countQuitMessages(const std::vector<platform::Message>& messages, platform::WPARAM exitCode) {
    int count = 0;
    for (const platform::Message& m : messages) {
        if (m.message == platform::WM_QUIT && m.wParam == exitCode) ++count;
    }
    return count;
}

// Puts the face scene's objects, the morph and the frame state back to their start values.
inline void resetDemoGlobals() {
    camera = Camera();
    smileMesh = Mesh();
    rageMesh = Mesh();
    closedMesh = Mesh();
    faceMesh = Mesh();
    light = Light();
    scene = Scene();
    smileDeltas.clear();
    rageDeltas.clear();
    morphElapsed = 0;
    morphStep = 0;
    morphPhase = MorphPhase::SmileIn;
    keyState = KeyState();
    frameDelta = 0;
    lastFrameTime = 0;
}

// A GL test in which the application's window is the fixture's own window and context; the
// window record is put back afterwards.
class AppWindowTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        savedWindow = appWindow;
        appWindow.windowHandle = window;
        appWindow.deviceContext = platform::getDC(window);
        appWindow.renderContext = context;
    }
    void TearDown() override {
        appWindow = savedWindow;
        GlTest::TearDown();
    }

    GLWindow savedWindow;
};
