#include "PeakMemory.h"

#include <cstdio>
#include <cstring>

double PeakMemory::ownPeakKiB()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0.0;
    char line[256];
    double kib = 0.0;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %lf kB", &kib) == 1)
            break;
    std::fclose(status);
    return kib;
}

bool PeakMemory::requested(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], option()) == 0)
            return true;
    return false;
}

void PeakMemory::print()
{
    std::printf("peak-kib %.0f\n", ownPeakKiB());
    std::fflush(stdout);
}
