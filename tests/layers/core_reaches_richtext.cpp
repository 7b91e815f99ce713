// Compiled as a core file: the rich-text reader must be out of its reach.
#include "core/Curves.h"
#include "richtext/RtfReader.h"
