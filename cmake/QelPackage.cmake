# The package: Qel::Tessaro (the script control with everything under it), the layers'
# libraries and headers, a CMake package for find_package(QelTessaro) and a pkg-config file.
include(CMakePackageConfigHelpers)

add_library(qel_tessaro INTERFACE)
target_link_libraries(qel_tessaro INTERFACE qel_scripter)
target_compile_features(qel_tessaro INTERFACE cxx_std_20)
if(QEL_SANITIZE)
  # The libraries carry sanitizer calls: whatever links them needs the runtime too.
  target_link_options(qel_tessaro INTERFACE -fsanitize=address,undefined)
endif()
set_target_properties(qel_tessaro PROPERTIES EXPORT_NAME Tessaro)
add_library(Qel::Tessaro ALIAS qel_tessaro)

# The package holds the engine and what it stands on; the embedded interpreters' bridges and the
# visual units (which bring their interpreters and Qt along) stay with the project's programs.
get_property(qel_all_layers GLOBAL PROPERTY QEL_LAYER_TARGETS)
set(qel_layers)
foreach(layer IN LISTS qel_all_layers)
  get_target_property(dir ${layer} SOURCE_DIR)
  file(RELATIVE_PATH dir ${PROJECT_SOURCE_DIR} ${dir})
  if(dir MATCHES "^(platform|engine|host/core)")
    list(APPEND qel_layers ${layer})
  endif()
endforeach()
foreach(layer IN LISTS qel_layers)
  add_library(Qel::${layer} ALIAS ${layer})
endforeach()

set(qel_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/QelTessaro)
install(TARGETS qel_tessaro ${qel_layers} EXPORT QelTessaroTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${QEL_INSTALL_INCLUDEDIR})
# Headers keep their paths from the repository root, as the sources include them.
foreach(layer IN LISTS QEL_LAYERS)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${layer}/ DESTINATION ${QEL_INSTALL_INCLUDEDIR}/${layer}
    FILES_MATCHING PATTERN "*.h")
endforeach()
install(EXPORT QelTessaroTargets NAMESPACE Qel:: DESTINATION ${qel_cmake_dir})

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QelTessaroConfig.cmake.in
  ${PROJECT_BINARY_DIR}/QelTessaroConfig.cmake INSTALL_DESTINATION ${qel_cmake_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QelTessaroConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QelTessaroConfig.cmake ${PROJECT_BINARY_DIR}/QelTessaroConfigVersion.cmake
  DESTINATION ${qel_cmake_dir})

# pkg-config: the layers from the top down, as a static link wants them.
set(QEL_PC_LIBS "")
list(REVERSE qel_layers)
foreach(layer IN LISTS qel_layers)
  get_target_property(kind ${layer} TYPE)
  if(NOT kind STREQUAL "INTERFACE_LIBRARY")
    string(APPEND QEL_PC_LIBS " -l${layer}")
  endif()
endforeach()
if(QEL_SANITIZE)
  string(APPEND QEL_PC_LIBS " -fsanitize=address,undefined")
endif()
# Relocatable: the prefix is found from where the file lies.
file(RELATIVE_PATH QEL_PC_TO_PREFIX /root/${CMAKE_INSTALL_LIBDIR}/pkgconfig /root)
configure_file(${PROJECT_SOURCE_DIR}/cmake/qeltessaro.pc.in ${PROJECT_BINARY_DIR}/qeltessaro.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/qeltessaro.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
