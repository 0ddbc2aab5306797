# vortest_library(<name> DEPENDS <targets...>)
# One static library per source folder, built from every .cpp/.h in it, so a
# new file needs no CMake edit. Dependencies are listed explicitly so the
# layering between the subsystems cannot rot silently.
function(vortest_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()
