#include "codecs/posix/heif_library.h"

#include <dlfcn.h>

namespace pxm {

namespace {

// The soname of the libheif the converter is built against (Debian's libheif1).
constexpr const char* LibheifName = "libheif.so.1";

template <class Function>
bool Resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

HeifFunctions Load(bool& complete) {
    HeifFunctions f;
    // Never closed: its functions serve every later picture.
    void* library = dlopen(LibheifName, RTLD_NOW | RTLD_LOCAL);
    complete = library != nullptr && Resolve(library, "heif_context_alloc", f.contextAlloc) &&
               Resolve(library, "heif_context_free", f.contextFree) &&
               Resolve(library, "heif_context_set_maximum_image_size_limit", f.setMaximumImageSizeLimit) &&
               Resolve(library, "heif_context_read_from_memory_without_copy", f.readFromMemoryWithoutCopy) &&
               Resolve(library, "heif_context_get_primary_image_handle", f.getPrimaryImageHandle) &&
               Resolve(library, "heif_image_handle_get_width", f.handleGetWidth) &&
               Resolve(library, "heif_image_handle_get_height", f.handleGetHeight) &&
               Resolve(library, "heif_image_handle_release", f.handleRelease) &&
               Resolve(library, "heif_decode_image", f.decodeImage) &&
               Resolve(library, "heif_image_get_plane_readonly", f.imageGetPlaneReadonly) &&
               Resolve(library, "heif_image_get_width", f.imageGetWidth) &&
               Resolve(library, "heif_image_get_height", f.imageGetHeight) &&
               Resolve(library, "heif_image_get_bits_per_pixel_range", f.imageGetBitsPerPixelRange) &&
               Resolve(library, "heif_image_release", f.imageRelease);
    return f;
}

}  // namespace

const HeifFunctions* LoadedLibheif() {
    static bool complete = false;
    static const HeifFunctions functions = Load(complete);
    return complete ? &functions : nullptr;
}

}  // namespace pxm
