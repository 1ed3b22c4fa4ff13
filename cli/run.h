// The program's whole run: the command line, start-up, the validation or the message loop, and
// the end.
#pragma once

// Returns the exit code: always 0 without options; with them 0 when what was asked is done, 1
// when a validation check failed, 2 for a bad command line, 3 when what was asked could not be
// done.
int runApplication(int argc, const char* const* argv);
