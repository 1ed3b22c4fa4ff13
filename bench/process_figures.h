// What the process holds at the moment, for the soak benchmark and for the tests that check what a
// display-mode switch gives back. Not part of the shipped program: on Windows it reads what the
// system keeps for the process itself (see process_figures_win32.cpp).
#pragma once

namespace bench {

// -1 where the system cannot tell.
struct ProcessFigures {
    long long residentBytes = -1;  // in memory now (the working set on Windows)
    long long privateBytes = -1;   // the process's own memory, without mapped files and libraries
    long gdiObjects = -1;          // GDI objects: device contexts, fonts, bitmaps, brushes, regions
    long userObjects = -1;         // USER objects: windows, menus, cursors, icons, hooks
};
ProcessFigures processFigures();

}  // namespace bench
