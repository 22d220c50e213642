# Windows targets (cross build with MinGW-w64, or a native Windows build).
if(EXISTS ${PROJECT_SOURCE_DIR}/src/app/win32/CMakeLists.txt)
  add_subdirectory(src/app/win32)
endif()
if(EXISTS ${PROJECT_SOURCE_DIR}/bench/win32/CMakeLists.txt)
  add_subdirectory(bench/win32)
endif()
include(${PROJECT_SOURCE_DIR}/cmake/package.cmake)
