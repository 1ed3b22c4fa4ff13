// The contract's functions, header by header. A function added to a header goes here too (the
// contract test says when one is missing); each backend then fails to link until it defines it.
#include "tests/platform_contract.h"

#include <iterator>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/file_view.h"
#include "platform/font.h"
#include "platform/gl_proc.h"
#include "platform/large_buffer.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/process.h"
#include "platform/window.h"
#include "platform/window_registry.h"

namespace {

template <typename Function>
ContractFunction entry(const char* name, Function* function) {
    return ContractFunction{name, reinterpret_cast<AnyFunction>(function)};
}

// A member's address is no plain function's (a destructor has none): these stand in for them.
void openFileView() { platform::FileView().open(""); }
void closeFileView() { platform::FileView().close(); }
void destroyFileView() { platform::FileView(); }

}  // namespace

// The name and the address from the one token, so that the two cannot disagree. No function of
// the contract is overloaded: an overload added would make this ambiguous, and so be noticed.
#define CONTRACT_FUNCTION(name) entry(#name, &platform::name)

const ContractFunction contractFunctions[] = {
    // window.h
    CONTRACT_FUNCTION(useOffscreenRendering),
    CONTRACT_FUNCTION(moduleInstance),
    CONTRACT_FUNCTION(registerWindowClass),
    CONTRACT_FUNCTION(unregisterWindowClass),
    CONTRACT_FUNCTION(changeDisplayMode),
    CONTRACT_FUNCTION(restoreDisplayMode),
    CONTRACT_FUNCTION(desktopSize),
    CONTRACT_FUNCTION(createWindow),
    CONTRACT_FUNCTION(windowBorders),
    CONTRACT_FUNCTION(showWindow),
    CONTRACT_FUNCTION(focusWindow),
    CONTRACT_FUNCTION(displayModeTaken),
    CONTRACT_FUNCTION(destroyWindow),
    CONTRACT_FUNCTION(clientSize),
    CONTRACT_FUNCTION(getDC),
    CONTRACT_FUNCTION(releaseDC),
    CONTRACT_FUNCTION(createGLContext),
    CONTRACT_FUNCTION(makeCurrent),
    CONTRACT_FUNCTION(deleteGLContext),
    CONTRACT_FUNCTION(swapBuffers),
    CONTRACT_FUNCTION(showCursor),
    CONTRACT_FUNCTION(windowSystemError),
    // messages.h
    CONTRACT_FUNCTION(peekMessage),
    CONTRACT_FUNCTION(translateMessage),
    CONTRACT_FUNCTION(dispatchMessage),
    CONTRACT_FUNCTION(postMessage),
    CONTRACT_FUNCTION(postQuitMessage),
    CONTRACT_FUNCTION(defWindowProc),
    CONTRACT_FUNCTION(sendMessage),
    // message_box.h
    CONTRACT_FUNCTION(messageBox),
    CONTRACT_FUNCTION(setMessageBoxHandler),
    // clock.h
    CONTRACT_FUNCTION(timeGetTime),
    CONTRACT_FUNCTION(setClockSource),
    // gl_proc.h
    CONTRACT_FUNCTION(getGLProcAddress),
    // font.h
    CONTRACT_FUNCTION(buildFontBitmaps),
    // file_view.h
    entry("FileView::open", openFileView),
    entry("FileView::close", closeFileView),
    entry("FileView::~FileView", destroyFileView),
    // large_buffer.h
    CONTRACT_FUNCTION(allocateLargeBuffer),
    CONTRACT_FUNCTION(largeBuffersOnHugePages),
    // process.h
    CONTRACT_FUNCTION(executableDirectory),
    CONTRACT_FUNCTION(backendName),
    CONTRACT_FUNCTION(windowSystemName),
    CONTRACT_FUNCTION(useParentConsole),
    CONTRACT_FUNCTION(endRunOnConsoleInterrupt),
    CONTRACT_FUNCTION(raiseThreadPriority),
    // backend.h
    CONTRACT_FUNCTION(backendGLProcAddress),
    CONTRACT_FUNCTION(backendMessageBox),
    CONTRACT_FUNCTION(backendTime),
    CONTRACT_FUNCTION(backendUseOffscreenRendering),
    CONTRACT_FUNCTION(messageOnStandardError),
    // window_registry.h
    CONTRACT_FUNCTION(windowProcedure),
    CONTRACT_FUNCTION(setWindowProcedure),
    CONTRACT_FUNCTION(liveWindows),
    CONTRACT_FUNCTION(addLiveWindow),
    CONTRACT_FUNCTION(removeLiveWindow),
    CONTRACT_FUNCTION(offscreenRendering),
};
const std::size_t contractFunctionCount = std::size(contractFunctions);
