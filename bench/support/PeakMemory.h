#pragma once

namespace quill::bench {

// kB of a line of /proc/self/status ("VmRSS", "VmHWM"); 0 when unreadable.
long statusKb(const char* key);
// Starts a fresh peak of resident memory (VmHWM) from what the process holds
// now, and returns that (VmRSS, kB).
long resetPeak();

} // namespace quill::bench
