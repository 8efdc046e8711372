# What `cmake --install` puts under the prefix: both libraries, the public headers, the CMake
# package (find_package(Corvane) -> Corvane::corvane) and the pkg-config file. Everything is
# placed relative to the prefix, so an installed tree can be moved.
include(CMakePackageConfigHelpers)

set(CORVANE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Corvane CACHE STRING
  "Where the CMake package files are installed, relative to the prefix")
set(CORVANE_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig CACHE STRING
  "Where corvane.pc is installed, relative to the prefix")

install(TARGETS corvane EXPORT CorvaneSharedTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS corvane_static EXPORT CorvaneStaticTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/corvane
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} FILES_MATCHING PATTERN "*.h")
install(FILES ${PROJECT_BINARY_DIR}/include/corvane/version.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/corvane)

install(EXPORT CorvaneSharedTargets NAMESPACE Corvane:: DESTINATION ${CORVANE_CMAKE_DIR})
install(EXPORT CorvaneStaticTargets NAMESPACE Corvane:: DESTINATION ${CORVANE_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/CorvaneConfig.cmake.in
  ${PROJECT_BINARY_DIR}/CorvaneConfig.cmake INSTALL_DESTINATION ${CORVANE_CMAKE_DIR})
# A new major version would break programs built against this one, as a new type library
# major version breaks COM clients.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/CorvaneConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/CorvaneConfig.cmake ${PROJECT_BINARY_DIR}/CorvaneConfigVersion.cmake
  DESTINATION ${CORVANE_CMAKE_DIR})

# corvane.pc finds the prefix from its own place (${pcfiledir}), so an install with
# `cmake --install --prefix` elsewhere still gives the right paths.
function(corvane_pkgconfig_path var dir)
  if(IS_ABSOLUTE "${dir}")
    set(${var} "${dir}" PARENT_SCOPE)
  else()
    set(${var} "\${prefix}/${dir}" PARENT_SCOPE)
  endif()
endfunction()
if(IS_ABSOLUTE "${CORVANE_PKGCONFIG_DIR}")
  set(CORVANE_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH up "/prefix/${CORVANE_PKGCONFIG_DIR}" "/prefix")
  string(REGEX REPLACE "/$" "" up "${up}")
  set(CORVANE_PC_PREFIX "\${pcfiledir}/${up}")
endif()
corvane_pkgconfig_path(CORVANE_PC_LIBDIR "${CMAKE_INSTALL_LIBDIR}")
corvane_pkgconfig_path(CORVANE_PC_INCLUDEDIR "${CMAKE_INSTALL_INCLUDEDIR}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/corvane.pc.in ${PROJECT_BINARY_DIR}/corvane.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/corvane.pc DESTINATION ${CORVANE_PKGCONFIG_DIR})
