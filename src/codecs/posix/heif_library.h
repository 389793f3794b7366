#pragma once
// libheif, loaded when the first HEIC or AVIF file comes: linked in, it would load its HEVC and
// AV1 codecs at every start of the converter, four times the time a whole conversion of a BMP
// takes (docs/performance.md). Debian packages no archive of it to link in instead.
#include <libheif/heif.h>

namespace pxm {

// The functions the HEIF decoder calls, as libheif's header declares them.
struct HeifFunctions {
    decltype(&heif_context_alloc) contextAlloc = nullptr;
    decltype(&heif_context_free) contextFree = nullptr;
    decltype(&heif_context_set_maximum_image_size_limit) setMaximumImageSizeLimit = nullptr;
    decltype(&heif_context_read_from_memory_without_copy) readFromMemoryWithoutCopy = nullptr;
    decltype(&heif_context_get_primary_image_handle) getPrimaryImageHandle = nullptr;
    decltype(&heif_image_handle_get_width) handleGetWidth = nullptr;
    decltype(&heif_image_handle_get_height) handleGetHeight = nullptr;
    decltype(&heif_image_handle_release) handleRelease = nullptr;
    decltype(&heif_decode_image) decodeImage = nullptr;
    decltype(&heif_image_get_plane_readonly) imageGetPlaneReadonly = nullptr;
    decltype(&heif_image_get_width) imageGetWidth = nullptr;
    decltype(&heif_image_get_height) imageGetHeight = nullptr;
    decltype(&heif_image_get_bits_per_pixel_range) imageGetBitsPerPixelRange = nullptr;
    decltype(&heif_image_release) imageRelease = nullptr;
};

// libheif's functions, loaded on the first call (from any thread); none when the library, or one
// of the functions, is missing.
const HeifFunctions* LoadedLibheif();

}  // namespace pxm
