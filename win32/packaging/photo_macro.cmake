# Writes the installer's list of photographs (an NSIS include with the macro
# Photographs) from the guide's list, one name a line.
#   cmake -DIN=photo_names.txt -DOUT=photos.nsh -P photo_macro.cmake
file(STRINGS "${IN}" names ENCODING UTF-8)
list(LENGTH names count)
if(count EQUAL 0)
  message(FATAL_ERROR "${IN} names no photographs")
endif()
set(text "; Written at build time from the guide's list of photographs.\n!macro Photographs DO\n")
foreach(name IN LISTS names)
  if(NOT name MATCHES "^[^\"\\\\/:*?<>|$]+$")
    message(FATAL_ERROR "'${name}' is no bare file name")
  endif()
  string(APPEND text "  !insertmacro \${DO} \"${name}\"\n")
endforeach()
string(APPEND text "!macroend\n")
file(WRITE "${OUT}.new" "${text}")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
