# Installs the libraries, the public headers under include/vuna/, the images under share/vuna,
# a CMake package (find_package(vuna): vuna::vuna, vuna::images, VUNA_IMAGE_DIR and
# vuna_copy_images; the components glut, glfw and sdl2, vuna::glut, vuna::glfw and vuna::sdl2,
# when they were built) and pkg-config files (vuna, vuna-glut, vuna-images, vuna-glfw,
# vuna-sdl2; the variable imagedir).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(VUNA_INSTALL_IMAGE_DIR ${CMAKE_INSTALL_DATADIR}/vuna)
foreach(header IN LISTS VUNA_PUBLIC_HEADERS VUNA_EXTRA_PUBLIC_HEADERS)
  get_filename_component(dir ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/${header}
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vuna/${dir} COMPONENT development)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/include/vuna/vuna.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vuna COMPONENT development)

install(TARGETS vuna vuna_images EXPORT vunaTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Each host adapter, GLUT's included, is a component of the package, in an export file of its
# own, so that only a consumer that asks for it needs its host library.
foreach(target IN ITEMS vuna_glut LISTS VUNA_EXTRA_INSTALL_TARGETS)
  install(TARGETS ${target} EXPORT ${target}Targets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(EXPORT ${target}Targets NAMESPACE vuna:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vuna)
endforeach()
install(FILES ${VUNA_ASSETS} DESTINATION ${VUNA_INSTALL_IMAGE_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/assets/font_arial.LICENSE DESTINATION ${VUNA_INSTALL_IMAGE_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})

foreach(host IN ITEMS glfw sdl2)
  string(TOUPPER ${host} upper)
  if(TARGET vuna_${host})
    set(VUNA_CONFIG_${upper} TRUE)
  else()
    set(VUNA_CONFIG_${upper} FALSE)
  endif()
endforeach()
install(EXPORT vunaTargets NAMESPACE vuna:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vuna)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/vunaConfig.cmake.in
  ${PROJECT_BINARY_DIR}/vunaConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vuna
  PATH_VARS VUNA_INSTALL_IMAGE_DIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/vunaConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/vunaConfig.cmake ${PROJECT_BINARY_DIR}/vunaConfigVersion.cmake
  ${PROJECT_SOURCE_DIR}/cmake/VunaImages.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vuna)

# Relocatable: the prefix is found from where the file lies, wherever the tree is installed.
file(RELATIVE_PATH VUNA_PC_PREFIX_FROM_PCDIR /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
set(VUNA_PC_FILES vuna vuna-glut vuna-images)
foreach(host IN ITEMS glfw sdl2)
  if(TARGET vuna_${host})
    list(APPEND VUNA_PC_FILES vuna-${host})
  endif()
endforeach()
foreach(pc IN LISTS VUNA_PC_FILES)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${pc}.pc.in ${PROJECT_BINARY_DIR}/${pc}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()
