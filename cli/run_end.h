// The end of a run asked for by the command line.
#pragma once

// After the run, whichever way it ended: the summary line, the screenshot and the report the
// command line asked for. Returns the exit code: the run's own, or exitCouldNotRun when the
// frames or seconds asked for were not all drawn or a picture or the report cannot be written.
int finishRun(int exitCode);
