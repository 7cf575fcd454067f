# libjpeg: Debian's package natively; for MinGW the static library that
# scripts/build-libjpeg.sh cross-builds into LUMVIK_JPEG_PREFIX.

if(CMAKE_CROSSCOMPILING AND WIN32)
  set(LUMVIK_JPEG_PREFIX "" CACHE PATH "Install folder of the cross-built libjpeg")
  set(JPEG_INCLUDE_DIR "${LUMVIK_JPEG_PREFIX}/include")
  set(JPEG_LIBRARY "${LUMVIK_JPEG_PREFIX}/lib/libjpeg.a")
  if(NOT EXISTS "${JPEG_INCLUDE_DIR}/jpeglib.h" OR NOT EXISTS "${JPEG_LIBRARY}")
    message(FATAL_ERROR "No cross-built libjpeg in '${LUMVIK_JPEG_PREFIX}'; run scripts/build-libjpeg.sh")
  endif()
  add_library(lumvik_jpeg STATIC IMPORTED)
  set_target_properties(lumvik_jpeg PROPERTIES IMPORTED_LOCATION "${JPEG_LIBRARY}"
                        INTERFACE_INCLUDE_DIRECTORIES "${JPEG_INCLUDE_DIR}")
else()
  find_package(JPEG REQUIRED)
  add_library(lumvik_jpeg INTERFACE)
  target_link_libraries(lumvik_jpeg INTERFACE JPEG::JPEG)
endif()
