#include "peak_memory.h"

#include <fstream>
#include <string>
#include <sys/resource.h>

namespace bench {

double process_peak_rss_mb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void reset_peak_rss()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

double peak_rss_since_reset_mb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

} // namespace bench
