// The driver a run drew with, for --info and the report.
#pragma once

// Reads the current context's vendor, renderer, version and multitexturing into the run's record.
void recordGLDescription();
// Prints what was recorded: the GL vendor, renderer, version and multitexturing (--info).
void printGLInfo();
