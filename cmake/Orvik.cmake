# orvik_folder_library(name folder deps...): one library from the .cpp files
# directly in <folder>; an interface library while the folder has none yet.
function(orvik_folder_library name folder)
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  file(GLOB _qrc CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.qrc)
  # Headers are listed too, so that a new header declaring a Qt object is
  # seen by the meta-object compiler without a fresh configure.
  file(GLOB _hdr CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
  if(_src OR _qrc)
    add_library(${name} STATIC ${_src} ${_hdr} ${_qrc})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    if(ARGN)
      target_link_libraries(${name} PUBLIC ${ARGN})
    endif()
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    if(ARGN)
      target_link_libraries(${name} INTERFACE ${ARGN})
    endif()
  endif()
endfunction()

# Environment every test runs in: headless Qt and a private home.
function(orvik_test_environment test home)
  set_tests_properties(${test} PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;HOME=${home};XDG_DATA_HOME=${home}/.local/share;XDG_CONFIG_HOME=${home}/.config;XDG_RUNTIME_DIR=${home}/run;LC_ALL=C.UTF-8;ORVIK_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  file(MAKE_DIRECTORY ${home} ${home}/run)
endfunction()

# Precompiled headers. Nearly every file of the Qt libraries and of the tests
# spends most of its compile time parsing the same Qt, GoogleTest and standard
# headers; each list below is parsed once and shared by every target that uses
# it (REUSE_FROM the first target that names it). Only third-party headers go
# in, never our own, so the include-direction check still sees every include.
# model/, exchange/ and their tests compile without one, so they show any
# standard header they forget; configure with -DORVIK_PCH=OFF to check the
# rest the same way.
set(ORVIK_PCH_STD
  <algorithm> <array> <cmath> <cstddef> <cstdint> <cstdlib> <cstring>
  <functional> <map> <memory> <numbers> <optional> <string> <string_view>
  <utility> <vector>)
set(ORVIK_PCH_QT ${ORVIK_PCH_STD}
  <QByteArray> <QDialog> <QImage> <QLabel> <QLineEdit> <QPainter> <QPointer>
  <QPushButton> <QString> <QStringList> <QVBoxLayout> <QWidget>)

# orvik_precompile(target owner headers...): <target> precompiles <headers>
# when it is <owner>, and otherwise reuses what <owner> precompiled.
function(orvik_precompile target owner)
  if(NOT ORVIK_PCH)
    return()
  endif()
  get_target_property(_type ${target} TYPE)
  if(_type STREQUAL "INTERFACE_LIBRARY")
    return()
  endif()
  if(target STREQUAL owner)
    target_precompile_headers(${target} PRIVATE ${ARGN})
  else()
    target_precompile_headers(${target} REUSE_FROM ${owner})
  endif()
endfunction()
