#include "SoakMemory.h"

#include <fstream>
#include <unistd.h>

namespace kq9soak {

int64_t ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    int64_t size = 0, resident = 0;
    if (!(statm >> size >> resident))
        return 0;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace kq9soak
