# Installs zk as a CMake package: the libraries as zk:: targets (zk_inspector is zk::inspector),
# their headers under include/zk, zkformconv, the form-embedding helper and zkConfig.cmake, so
# that another project writes find_package(zk REQUIRED) and links zk::inspector.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(ZK_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/zk)
set(ZK_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/zk)

set(zk_installed)
foreach(lib zk_platform_core zk_platform_gui zk_regex zk_itemlist zk_inspector zk_dialogs zk_presets
            zk_qtbridge)
  if(NOT TARGET ${lib})
    continue()
  endif()
  string(REGEX REPLACE "^zk_" "" export_name ${lib})
  set_target_properties(${lib} PROPERTIES EXPORT_NAME ${export_name})
  # In the tree every header is found from the source root; installed, from include/zk.
  target_include_directories(${lib} INTERFACE $<INSTALL_INTERFACE:${ZK_INSTALL_INCLUDEDIR}>)
  get_target_property(dir ${lib} SOURCE_DIR)
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${dir})
  install(DIRECTORY ${dir}/ DESTINATION ${ZK_INSTALL_INCLUDEDIR}/${rel} FILES_MATCHING PATTERN "*.h")
  list(APPEND zk_installed ${lib})
endforeach()

install(TARGETS ${zk_installed} zkformconv EXPORT zkTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(EXPORT zkTargets NAMESPACE zk:: DESTINATION ${ZK_INSTALL_CMAKEDIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/zkConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/zkConfig.cmake INSTALL_DESTINATION ${ZK_INSTALL_CMAKEDIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/zkConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/zkConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/zkConfigVersion.cmake
  ${CMAKE_CURRENT_LIST_DIR}/ZkResources.cmake
  ${CMAKE_CURRENT_LIST_DIR}/EmbedResources.cmake
  DESTINATION ${ZK_INSTALL_CMAKEDIR})
