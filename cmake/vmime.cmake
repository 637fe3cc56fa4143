# Imports vmime as the target brellix::vmime.
#
# Native: Debian's libvmime-dev (shared library, its own charset converter).
# MinGW: the static build that scripts/build-vmime keeps in build/vmime-<arch>/install;
# users compile with VMIME_STATIC and need Winsock for the library's platform layer.
if(TARGET brellix::vmime)
  return()
endif()

if(WIN32)
  set(BRELLIX_VMIME_ROOT "${PROJECT_SOURCE_DIR}/build/vmime-${CMAKE_SYSTEM_PROCESSOR}/install"
      CACHE PATH "Static vmime build for this MinGW target")
  find_path(VMIME_INCLUDE_DIR vmime/vmime.hpp PATHS "${BRELLIX_VMIME_ROOT}/include" NO_DEFAULT_PATH
            NO_CMAKE_FIND_ROOT_PATH)
  find_library(VMIME_LIBRARY NAMES libvmime.a vmime PATHS "${BRELLIX_VMIME_ROOT}/lib"
               "${BRELLIX_VMIME_ROOT}/lib64" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT VMIME_INCLUDE_DIR OR NOT VMIME_LIBRARY)
    message(FATAL_ERROR "vmime for ${CMAKE_SYSTEM_PROCESSOR} is missing from ${BRELLIX_VMIME_ROOT}: "
                        "run scripts/build-vmime ${CMAKE_SYSTEM_PROCESSOR}")
  endif()
  add_library(brellix::vmime STATIC IMPORTED GLOBAL)
  set_target_properties(brellix::vmime PROPERTIES
    IMPORTED_LOCATION "${VMIME_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${VMIME_INCLUDE_DIR}"
    INTERFACE_COMPILE_DEFINITIONS VMIME_STATIC
    INTERFACE_LINK_LIBRARIES "ws2_32")
else()
  find_path(VMIME_INCLUDE_DIR vmime/vmime.hpp)
  find_library(VMIME_LIBRARY NAMES vmime)
  if(NOT VMIME_INCLUDE_DIR OR NOT VMIME_LIBRARY)
    message(FATAL_ERROR "vmime is missing: install libvmime-dev (scripts/setup does)")
  endif()
  add_library(brellix::vmime UNKNOWN IMPORTED GLOBAL)
  set_target_properties(brellix::vmime PROPERTIES
    IMPORTED_LOCATION "${VMIME_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${VMIME_INCLUDE_DIR}")
endif()
