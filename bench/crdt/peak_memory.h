#pragma once

// Peak resident memory: of the whole process (getrusage), and of one
// workload, by resetting the kernel's high-water mark (VmHWM) before it.

namespace bench {

double process_peak_rss_mb();
// Starts a new high-water mark at the current resident size.
void reset_peak_rss();
// The high-water mark since the last reset, in MiB; 0 when unavailable.
double peak_rss_since_reset_mb();

} // namespace bench
