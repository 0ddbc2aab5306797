# vortest_library(<name> DEPENDS <targets...>)
# One static library per source folder, built from every .cpp/.h in it, so a
# new file needs no CMake edit.
#
# A library publishes only its own folder: its include path is a folder of
# its own in the build tree holding one link, named after the source folder,
# to that folder. So "station/TestPage.h" is found only by the station's own
# code and by the libraries that depend on the station, directly or through
# another library; an include of a folder the library does not depend on
# fails to compile, and the layering between the subsystems cannot rot
# silently.
function(vortest_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${sources})
  vortest_publish(${name})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()

# vortest_publish(<target>): the current source folder becomes the target's
# one include folder, found as "<folder name>/<header>".
function(vortest_publish name)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(published ${CMAKE_BINARY_DIR}/published/${name})
  file(MAKE_DIRECTORY ${published})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${published}/${folder} SYMBOLIC)
  target_include_directories(${name} PUBLIC ${published})
endfunction()
