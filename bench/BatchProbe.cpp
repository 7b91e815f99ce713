// The program's command line, as "velmaro --lote ..." runs it, with its peak memory
// printed at the end when asked ("peak-kib 31234").
#include <cstring>
#include <vector>

#include "PeakMemory.h"
#include "ui/app/Startup.h"

int main(int argc, char* argv[])
{
    const bool reportPeak = PeakMemory::requested(argc, argv);
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i)
        if (std::strcmp(argv[i], PeakMemory::option()) != 0)
            arguments.push_back(argv[i]);
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    const std::optional<int> status = Startup::answerCommandLine(count, arguments.data());
    if (reportPeak)
        PeakMemory::print();
    return status.value_or(3); // not a batch: a window would have opened
}
