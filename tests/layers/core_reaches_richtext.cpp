// Compiled as a core file: the rich-text reader must be out of its reach. The check asks the
// preprocessor, so it holds whatever words a compiler uses for a missing header.
#if !__has_include("core/Curves.h")
#error "the probe does not see its own layer"
#endif
#if __has_include("richtext/RtfReader.h")
#error "the core reaches richtext/RtfReader.h"
#endif
