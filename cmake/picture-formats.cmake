# libwebp with libwebpdemux (Debian's libwebp-dev), libtiff (libtiff-dev) and libheif
# (libheif-dev) as the targets Pixmosaic::WebP, Pixmosaic::TIFF and Pixmosaic::Heif: the native
# converter's WebP, TIFF, HEIC and AVIF decoders. The Windows converter asks the Windows Imaging
# Component instead. Included after static-converter.cmake: libwebp and libtiff then come from
# their archives, with the libraries libtiff's archive needs, as pkg-config lists them. Debian
# packages no archive of libheif (nor of its HEVC and AV1 decoders): the converter loads it when
# a HEIC or AVIF file comes (src/codecs/posix/heif_library.h), so Pixmosaic::Heif is its header and
# the loader; libheif itself (the target heif) is linked only by what writes HEIF files.
if(NOT WIN32 AND NOT TARGET Pixmosaic::WebP)
  find_package(PkgConfig REQUIRED)
  # The system's own libraries stay as the linker finds them.
  set(PIXMOSAIC_SYSTEM_LIBRARIES m pthread dl rt stdc++ gcc gcc_s)

  # An imported target NAME of the pkg-config MODULES, its libraries found as the build links.
  function(pixmosaic_library_of_modules name)
    pkg_check_modules(found REQUIRED ${ARGN})
    set(names ${found_LIBRARIES})
    if(PIXMOSAIC_STATIC_CONVERTER)
      set(names ${found_STATIC_LIBRARIES})
    endif()
    set(libraries)
    foreach(library IN LISTS names)
      if(library IN_LIST PIXMOSAIC_SYSTEM_LIBRARIES)
        list(APPEND libraries ${library})
        continue()
      endif()
      find_library(PIXMOSAIC_LIBRARY_${library} ${library} HINTS ${found_STATIC_LIBRARY_DIRS} REQUIRED)
      list(APPEND libraries ${PIXMOSAIC_LIBRARY_${library}})
    endforeach()
    add_library(${name} INTERFACE IMPORTED GLOBAL)
    set_target_properties(${name} PROPERTIES INTERFACE_LINK_LIBRARIES "${libraries}"
                                             INTERFACE_INCLUDE_DIRECTORIES "${found_INCLUDE_DIRS}")
  endfunction()

  pixmosaic_library_of_modules(Pixmosaic::WebP libwebp libwebpdemux)
  pixmosaic_library_of_modules(Pixmosaic::TIFF libtiff-4)
  find_package(libheif CONFIG REQUIRED)
  add_library(Pixmosaic::Heif INTERFACE IMPORTED GLOBAL)
  get_target_property(PIXMOSAIC_HEIF_INCLUDE heif INTERFACE_INCLUDE_DIRECTORIES)
  set_target_properties(Pixmosaic::Heif PROPERTIES INTERFACE_LINK_LIBRARIES "${CMAKE_DL_LIBS}"
                                                   INTERFACE_INCLUDE_DIRECTORIES "${PIXMOSAIC_HEIF_INCLUDE}")
endif()
