# Adds every immediate subfolder of the current source folder that has a
# CMakeLists.txt, in name order, except those named in DEMO_SKIP.
set(DEMO_SKIP "" CACHE STRING "Folder names to leave out of the build")
function(demo_add_subdirectories)
  file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(NOT child IN_LIST DEMO_SKIP AND IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
