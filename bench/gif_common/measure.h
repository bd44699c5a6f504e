#pragma once

#include <functional>
#include <vector>

// Processor time (user and system) the process spends in one call, in milliseconds, on all its
// threads: on a shared machine the time other programs take the processor away is not the call's
// cost, but the work Qt hands to its worker threads (it scales and fills large images in
// parallel) is.
double ElapsedMs(const std::function<void()>& run);
double Median(std::vector<double> ms);
// Resident memory of this process now.
long ResidentKb();

struct FirstRun {
    double ms = -1;
    long peakExtraKb = -1;
};

// `run` in a fresh child process; what it returns.
long InChild(const std::function<long()>& run);

// One run in a fresh child process: its time before any allocator warmed up, and the resident
// memory it adds at its peak.
FirstRun RunInChild(const std::function<void()>& run);

// Page faults this process has taken so far (each a fresh page mapped in).
long MinorFaults();
