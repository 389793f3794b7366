/* The page's WebAssembly module: the library's functions come from its archive, kept by the
 * link's EXPORTED_FUNCTIONS (cmake/web.cmake); this file only gives the module a source. */
#include "pixmosaic.h"
