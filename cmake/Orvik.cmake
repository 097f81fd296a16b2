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
