# cmake --install, for programs that embed the diagrams: the public headers
# under include/liquidus/, the libraries of the public layers and of every
# layer below them (static libraries carry no dependencies of their own), a
# CMake package (find_package(Liquidus)) and a pkg-config file.
#
# Public: the two components with the types their interfaces use, the
# diagram file API, and the widgets. The sample, the sections and the
# program stay private.

set(liquidus_public_layers canvas model isotherms diagram ternary binary files qt)
# The headers the public interfaces include, and nothing else; the install
# test checks that every include in them resolves among them.
set(liquidus_public_headers
  canvas/canvas.h canvas/control.h canvas/drawing.h canvas/figurefile.h canvas/printer.h
  canvas/tcolor.h
  model/areadata.h model/orientation.h model/plotcore.h model/units.h
  isotherms/isotherm.h isotherms/polynoms.h
  diagram/diagram.h
  ternary/geometry.h ternary/ternaplot.h ternary/ternagram.h
  binary/binageometry.h binary/binaplot.h binary/binagram.h
  files/diagramfile.h
  qt/controlwidget.h qt/diagramwidget.h qt/printer.h)

foreach(layer ${liquidus_public_layers})
  set_target_properties(liquidus_${layer} PROPERTIES EXPORT_NAME ${layer})
endforeach()
# The Qt layer's public face is the widgets.
set_target_properties(liquidus_qt PROPERTIES EXPORT_NAME widgets)

foreach(header ${liquidus_public_headers})
  get_filename_component(dir ${header} DIRECTORY)
  install(FILES src/${header}
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/liquidus/${dir} COMPONENT Development)
endforeach()

list(TRANSFORM liquidus_public_layers PREPEND liquidus_ OUTPUT_VARIABLE liquidus_public_targets)
install(TARGETS ${liquidus_public_targets} EXPORT LiquidusTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)

set(liquidus_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Liquidus)
install(EXPORT LiquidusTargets NAMESPACE Liquidus::
        DESTINATION ${liquidus_cmake_dir} COMPONENT Development)
include(CMakePackageConfigHelpers)
configure_package_config_file(cmake/LiquidusConfig.cmake.in
  ${PROJECT_BINARY_DIR}/LiquidusConfig.cmake INSTALL_DESTINATION ${liquidus_cmake_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/LiquidusConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/LiquidusConfig.cmake
              ${PROJECT_BINARY_DIR}/LiquidusConfigVersion.cmake
        DESTINATION ${liquidus_cmake_dir} COMPONENT Development)

# pkg-config: the prefix is found from the file's own place, so that
# cmake --install --prefix anywhere gives a file that works there.
file(RELATIVE_PATH liquidus_pc_to_prefix
     /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(cmake/liquidus.pc.in ${PROJECT_BINARY_DIR}/liquidus.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/liquidus.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT Development)

# A diagram file for the embedding example and for trying a program out.
install(FILES examples/mgo-sio2-al2o3.json
        DESTINATION ${CMAKE_INSTALL_DATADIR}/liquidus/examples)

# API documentation of the public headers, when Doxygen is there.
find_package(Doxygen QUIET)
if(DOXYGEN_FOUND)
  set(DOXYGEN_PROJECT_NAME Liquidus)
  set(DOXYGEN_PROJECT_NUMBER ${PROJECT_VERSION})
  set(DOXYGEN_STRIP_FROM_PATH ${PROJECT_SOURCE_DIR}/src)
  set(DOXYGEN_STRIP_FROM_INC_PATH ${PROJECT_SOURCE_DIR}/src)
  set(DOXYGEN_USE_MDFILE_AS_MAINPAGE ${PROJECT_SOURCE_DIR}/docs/embedding.md)
  set(DOXYGEN_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/docs)
  # Many members are explained by a plain comment or by their name; the
  # warnings worth reading are the broken references and commands.
  set(DOXYGEN_WARN_IF_UNDOCUMENTED NO)
  list(TRANSFORM liquidus_public_headers PREPEND ${PROJECT_SOURCE_DIR}/src/
       OUTPUT_VARIABLE liquidus_doc_inputs)
  doxygen_add_docs(docs ${liquidus_doc_inputs} ${PROJECT_SOURCE_DIR}/docs/embedding.md
                   ${PROJECT_SOURCE_DIR}/docs/diagram-format.md
                   COMMENT "API documentation of the public headers")
endif()
