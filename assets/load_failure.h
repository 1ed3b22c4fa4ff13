// Why the last data file was refused, kept by the reader that refused it (the mesh file reader
// or the bitmap loader), for whoever ends the program after a failed start to say so.
#pragma once

#include <string>

struct LoadFailure {
    std::string file;    // the path as the reader was given it
    std::string reason;  // empty when the latest load succeeded
};

// The reason either reader gives for a file it cannot open (missing, no access, or, for the
// bitmap loader, empty: an empty file cannot be mapped).
constexpr const char* cannotBeOpened = "cannot be opened";

// The latest load's failure: each load clears it when it starts and fills it where it refuses.
extern LoadFailure loadFailure;
