# Installs the library, its headers and a package config, so that another program can
# find_package(vuna) and link vuna::vuna.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS vuna EXPORT vunaTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
foreach(dir core draw screen widgets)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir}/
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vuna/${dir}
    FILES_MATCHING PATTERN "*.h")
endforeach()
install(FILES ${VUNA_ASSETS} DESTINATION ${CMAKE_INSTALL_DATADIR}/vuna)
install(EXPORT vunaTargets NAMESPACE vuna:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vuna)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/vunaConfig.cmake.in
  ${PROJECT_BINARY_DIR}/vunaConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vuna)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/vunaConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/vunaConfig.cmake ${PROJECT_BINARY_DIR}/vunaConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vuna)
