# libexif (Debian's libexif-dev) as the target Exif::Exif: the native converter reads a JPEG's EXIF
# orientation with it, and the tests' JPEG builder writes one. The Windows converter asks the
# Windows Imaging Component instead. Included after static-converter.cmake, so that the static
# converter finds the archive.
if(NOT WIN32 AND NOT TARGET Exif::Exif)
  find_path(PIXMOSAIC_EXIF_INCLUDE libexif/exif-data.h REQUIRED)
  find_library(PIXMOSAIC_EXIF_LIBRARY exif REQUIRED)
  add_library(Exif::Exif UNKNOWN IMPORTED)
  set_target_properties(Exif::Exif PROPERTIES IMPORTED_LOCATION ${PIXMOSAIC_EXIF_LIBRARY}
                                              INTERFACE_INCLUDE_DIRECTORIES ${PIXMOSAIC_EXIF_INCLUDE})
endif()
