# cmake -DSOURCE=in -DOUTPUT=out [-DMARKDOWN=ON] [-DBOM=ON] [-DASCII_MARKS=ON] -P text_for_windows.cmake
#
# A text file as a Windows user opens it by double-click: CR LF line ends and, with BOM, the UTF-8
# byte-order mark that tells Notepad the encoding. With MARKDOWN the Markdown marks are taken out:
# pictures are left out, links keep their text, headings get a mark of their own (Japanese ones, or
# with ASCII_MARKS, for the English guide, ASCII ones).
foreach(arg SOURCE OUTPUT)
  if(NOT DEFINED ${arg})
    message(FATAL_ERROR "text_for_windows.cmake needs -D${arg}=...")
  endif()
endforeach()

file(READ "${SOURCE}" text)
string(REPLACE "\r\n" "\n" text "${text}")
# Every line, the first too, starts after a line feed, so the patterns below can name a line start.
set(text "\n${text}")
set(row_mark "・")
set(section_mark "■")
set(subsection_mark "●")
if(ASCII_MARKS)
  set(row_mark "- ")
  set(section_mark "==")
  set(subsection_mark "--")
endif()
if(MARKDOWN)
  string(REGEX REPLACE "\n!\\[[^]\n]*\\]\\([^)\n]*\\)[^\n]*" "" text "${text}")
  string(REGEX REPLACE "\n```[^\n]*" "" text "${text}")
  string(REGEX REPLACE "\n<!--[^>]*-->" "" text "${text}")
  string(REGEX REPLACE "\n> ?" "\n" text "${text}")
  # A table's heading row goes with its rule; each other row becomes a line "・cell: cell".
  string(REGEX REPLACE "\n\\|[^\n]*\n\\|---[^\n]*" "" text "${text}")
  string(REGEX REPLACE "\n\\| ([^|\n]*) \\| ([^|\n]*) \\|" "\n${row_mark}\\1: \\2" text "${text}")
  string(REGEX REPLACE "\n# ([^\n]*)" "\n\\1\n" text "${text}")
  string(REGEX REPLACE "\n## ([^\n]*)" "\n${section_mark} \\1" text "${text}")
  string(REGEX REPLACE "\n### ([^\n]*)" "\n${subsection_mark} \\1" text "${text}")
  string(REGEX REPLACE "\\[([^]\n]*)\\]\\([^)\n]*\\)" "\\1" text "${text}")
  string(REPLACE "**" "" text "${text}")
  string(REPLACE "`" "" text "${text}")
  # Three or more blank lines left where pictures were become one.
  string(REGEX REPLACE "\n\n\n+" "\n\n" text "${text}")
endif()
string(SUBSTRING "${text}" 1 -1 text)
string(REPLACE "\n" "\r\n" text "${text}")
set(bom "")
if(BOM)
  string(ASCII 239 187 191 bom)
endif()
file(WRITE "${OUTPUT}" "${bom}${text}")
