# The native converter is linked with the archives of libpng, zlib, giflib, libjpeg-turbo,
# libexif, libwebp and libtiff from their Debian -dev packages and with the C++ runtime's, so that
# at start it loads glibc alone (docs/performance.md); the .deb depends on glibc (dpkg-shlibdeps).
# It cannot be linked fully static: it loads libheif, which Debian packages no archive of, when a
# HEIC or AVIF file comes (src/codecs/posix/heif_library.h). Included before src/cli, whose
# find_package() calls then find the archives. A sanitizer build links the libraries shared.
if(NOT WIN32 AND NOT PIXMOSAIC_SANITIZE)
  option(PIXMOSAIC_STATIC_CONVERTER "Link the native pixmosaic-cli with the libraries' archives" ON)
endif()
if(PIXMOSAIC_STATIC_CONVERTER)
  set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
  # A build tree configured before holds the shared libraries in its cache: find them again.
  foreach(library PNG_LIBRARY_RELEASE PNG_LIBRARY_DEBUG ZLIB_LIBRARY_RELEASE ZLIB_LIBRARY_DEBUG GIF_LIBRARY
          JPEG_LIBRARY_RELEASE JPEG_LIBRARY_DEBUG PIXMOSAIC_EXIF_LIBRARY)
    if(${library} MATCHES "\\.so")
      unset(${library} CACHE)
    endif()
  endforeach()
endif()
