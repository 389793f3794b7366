# The native converter is linked fully static (-static, with the archives of libpng, zlib, giflib,
# libjpeg-turbo and libexif from their Debian -dev packages): it then starts without loading the C++
# runtime or any shared library, which was most of a conversion's time (docs/performance.md), and
# the .deb needs no dependencies. Included before src/cli, whose find_package() calls then find the archives.
# A sanitizer build links the sanitizers' shared runtimes and stays dynamic.
if(NOT WIN32 AND NOT PIXMOSAIC_SANITIZE)
  option(PIXMOSAIC_STATIC_CONVERTER "Link the native pixmosaic-cli statically" ON)
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
