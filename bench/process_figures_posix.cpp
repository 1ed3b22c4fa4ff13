// The process's memory from /proc/self/statm where the system has it (Linux); a POSIX system has
// no GDI or USER objects.
#include "bench/process_figures.h"

#include <unistd.h>

#include <fstream>

namespace bench {

ProcessFigures processFigures() {
    ProcessFigures figures;
    // In pages: the whole mapping, what of it is resident, and what of that is shared with files.
    std::ifstream statm("/proc/self/statm");
    long long size = 0, resident = 0, shared = 0;
    if (!(statm >> size >> resident >> shared)) return figures;
    const long long pageBytes = sysconf(_SC_PAGESIZE);
    figures.residentBytes = resident * pageBytes;
    figures.privateBytes = (resident - shared) * pageBytes;
    return figures;
}

}  // namespace bench
