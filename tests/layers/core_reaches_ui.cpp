// Compiled as a core file: the window layer must be out of its reach. The check asks the
// preprocessor, so it holds whatever words a compiler uses for a missing header.
#if !__has_include("core/Curves.h")
#error "the probe does not see its own layer"
#endif
#if __has_include("ui/common/Look.h")
#error "the core reaches ui/common/Look.h"
#endif
