# What `cmake --install` puts under the prefix:
#   lib/                    the static libraries
#   include/tavrin/         the public headers (the controls, automation, platform interfaces)
#   include/tavrin/host/    the host headers a program uses: platform/software/ (the desktop,
#                           its sites and windows, form files, image lists) and platform/sdl/
#   lib/cmake/tavrin/       the CMake package: find_package(tavrin CONFIG) gives tavrin::app (the
#                           application API), tavrin::controls, tavrin::headless and, where it was
#                           built, tavrin::sdl
#   lib/pkgconfig/          tavrin-app.pc (the application API), tavrin.pc (controls on the
#                           headless host) and tavrin-sdl.pc
#   bin/                    the tools (installed by tools/)
include(CMakePackageConfigHelpers)

set(TAVRIN_INSTALL_TARGETS tavrin_automation tavrin_platform tavrin_controls tavrin_software
                           tavrin_headless)
# The host headers, by folder: only those a program includes and what they include in turn.
set(TAVRIN_SOFTWARE_HEADERS Clock.h Controls.h Desktop.h FormFile.h PictureStore.h
                            SoftwareImageList.h SoftwareSite.h SoftwareSurface.h Window.h)
set(TAVRIN_SDL_HEADERS InputRouter.h KeyMap.h LiveWindow.h Overlays.h)
if(TARGET tavrin_sdl)
  list(APPEND TAVRIN_INSTALL_TARGETS tavrin_sdl)
  set(TAVRIN_WITH_SDL ON)
  set(TAVRIN_APP_REQUIRES tavrin-sdl)
else()
  set(TAVRIN_WITH_SDL OFF)
  set(TAVRIN_APP_REQUIRES tavrin)
endif()
list(APPEND TAVRIN_INSTALL_TARGETS tavrin_app)

install(TARGETS ${TAVRIN_INSTALL_TARGETS} EXPORT tavrinTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/tavrin DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
list(TRANSFORM TAVRIN_SOFTWARE_HEADERS PREPEND ${PROJECT_SOURCE_DIR}/platform/software/)
install(FILES ${TAVRIN_SOFTWARE_HEADERS} DESTINATION ${TAVRIN_HOST_INCLUDEDIR}/platform/software)
if(TAVRIN_WITH_SDL)
  list(TRANSFORM TAVRIN_SDL_HEADERS PREPEND ${PROJECT_SOURCE_DIR}/platform/sdl/)
  install(FILES ${TAVRIN_SDL_HEADERS} DESTINATION ${TAVRIN_HOST_INCLUDEDIR}/platform/sdl)
endif()

set(TAVRIN_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/tavrin)
install(EXPORT tavrinTargets NAMESPACE tavrin:: DESTINATION ${TAVRIN_CMAKEDIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/tavrinConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/tavrinConfig.cmake
                              INSTALL_DESTINATION ${TAVRIN_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/tavrinConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/tavrinConfig.cmake ${PROJECT_BINARY_DIR}/tavrinConfigVersion.cmake
        DESTINATION ${TAVRIN_CMAKEDIR})

# The .pc files find their prefix from where they lie, so the tree can be installed anywhere.
file(RELATIVE_PATH TAVRIN_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(${PROJECT_SOURCE_DIR}/cmake/tavrin.pc.in ${PROJECT_BINARY_DIR}/tavrin.pc @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/cmake/tavrin-app.pc.in ${PROJECT_BINARY_DIR}/tavrin-app.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/tavrin.pc ${PROJECT_BINARY_DIR}/tavrin-app.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(TAVRIN_WITH_SDL)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/tavrin-sdl.pc.in ${PROJECT_BINARY_DIR}/tavrin-sdl.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/tavrin-sdl.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()
