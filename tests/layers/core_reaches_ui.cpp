// Compiled as a core file: the window layer must be out of its reach.
#include "core/Curves.h"
#include "ui/common/Look.h"
