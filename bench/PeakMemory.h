#pragma once

// The peak resident memory of this process, as the kernel keeps it (VmHWM). Read from
// inside: a child's rusage from wait4 would carry the parent's peak over from the spawn.
class PeakMemory {
public:
    // In KiB; 0 when the kernel does not say.
    static double ownPeakKiB();
    // The argument that asks a probe to print its peak at the end, and the line it prints.
    static const char* option() { return "--peak-memory"; }
    static bool requested(int argc, char* argv[]);
    static void print();
};
