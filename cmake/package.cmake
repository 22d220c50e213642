# The release package: kestrune-<version>-win64.zip with kestrune.exe, the Japanese and the English
# guide as text files (UTF-8 with byte-order mark, CR LF) and the licence. Made by the target
# release_package.
set(KESTRUNE_GUIDE_SOURCE ${PROJECT_SOURCE_DIR}/docs/ja/README.md)
set(KESTRUNE_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package_files)
set(KESTRUNE_GUIDE_TEXT ${KESTRUNE_PACKAGE_FILES}/README-ja.txt)
set(KESTRUNE_LICENSE_TEXT ${KESTRUNE_PACKAGE_FILES}/LICENSE.txt)
set(KESTRUNE_ENGLISH_GUIDE_SOURCE ${PROJECT_SOURCE_DIR}/docs/en/README.md)
set(KESTRUNE_ENGLISH_GUIDE_TEXT ${KESTRUNE_PACKAGE_FILES}/README-en.txt)

add_custom_command(OUTPUT ${KESTRUNE_GUIDE_TEXT}
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${KESTRUNE_GUIDE_SOURCE} -DOUTPUT=${KESTRUNE_GUIDE_TEXT} -DMARKDOWN=ON -DBOM=ON
          -P ${PROJECT_SOURCE_DIR}/cmake/text_for_windows.cmake
  DEPENDS ${KESTRUNE_GUIDE_SOURCE} ${PROJECT_SOURCE_DIR}/cmake/text_for_windows.cmake
  COMMENT "Guide text for the package")
add_custom_command(OUTPUT ${KESTRUNE_ENGLISH_GUIDE_TEXT}
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${KESTRUNE_ENGLISH_GUIDE_SOURCE} -DOUTPUT=${KESTRUNE_ENGLISH_GUIDE_TEXT}
          -DMARKDOWN=ON -DBOM=ON -DASCII_MARKS=ON -P ${PROJECT_SOURCE_DIR}/cmake/text_for_windows.cmake
  DEPENDS ${KESTRUNE_ENGLISH_GUIDE_SOURCE} ${PROJECT_SOURCE_DIR}/cmake/text_for_windows.cmake
  COMMENT "English guide text for the package")
add_custom_command(OUTPUT ${KESTRUNE_LICENSE_TEXT}
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR}/LICENSE -DOUTPUT=${KESTRUNE_LICENSE_TEXT}
          -P ${PROJECT_SOURCE_DIR}/cmake/text_for_windows.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/cmake/text_for_windows.cmake
  COMMENT "Licence text for the package")

install(TARGETS kestrune RUNTIME DESTINATION .)
install(FILES ${KESTRUNE_GUIDE_TEXT} ${KESTRUNE_ENGLISH_GUIDE_TEXT} ${KESTRUNE_LICENSE_TEXT} DESTINATION .)

# Installing (which CPack does) builds only what is installed, not every target of the build.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME kestrune)
set(CPACK_PACKAGE_VENDOR "Kestrune Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME kestrune-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
# The zip holds one folder of that name: unpacked, it is the folder the guide tells a user to delete.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

# Builds only what goes into the package (the built-in "package" target would build the tests too).
add_custom_target(release_package
  COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake $<$<BOOL:$<CONFIG>>:-C;$<CONFIG>>
  DEPENDS ${KESTRUNE_GUIDE_TEXT} ${KESTRUNE_ENGLISH_GUIDE_TEXT} ${KESTRUNE_LICENSE_TEXT}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Making kestrune-${PROJECT_VERSION}-win64.zip"
  VERBATIM COMMAND_EXPAND_LISTS)
add_dependencies(release_package kestrune)
