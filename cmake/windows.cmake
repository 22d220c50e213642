# Windows targets (cross build with MinGW-w64, or a native Windows build).
if(EXISTS ${PROJECT_SOURCE_DIR}/src/app/win32/CMakeLists.txt)
  add_subdirectory(src/app/win32)
endif()
if(EXISTS ${PROJECT_SOURCE_DIR}/bench/win32/CMakeLists.txt)
  add_subdirectory(bench/win32)
endif()
include(${PROJECT_SOURCE_DIR}/cmake/package.cmake)

# The size of kestrune.exe (figures in docs/performance.md): every function and datum in a section of
# its own so that the linker drops what nothing calls, and link-time optimisation across the
# libraries. (Building only the code that runs once or on a click for size makes GCC 12's link-time
# optimiser fail with an internal error when it meets the mixed levels.)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND TARGET kestrune)
  set(KESTRUNE_EXE_LIBRARIES kestrune_platform kestrune_engine kestrune_settings kestrune_monitor kestrune_tabstrip
      kestrune_button kestrune_app kestrune_win32)
  include(CheckIPOSupported)
  check_ipo_supported(RESULT KESTRUNE_LTO LANGUAGES CXX)
  foreach(target ${KESTRUNE_EXE_LIBRARIES} kestrune)
    target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections)
    if(KESTRUNE_LTO)
      set_property(TARGET ${target} PROPERTY INTERPROCEDURAL_OPTIMIZATION ON)
    endif()
  endforeach()
  target_link_options(kestrune PRIVATE -Wl,--gc-sections)
endif()
