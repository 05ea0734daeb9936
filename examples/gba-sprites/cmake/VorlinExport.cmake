# vorlin_export(NAME PICTURE [PICTURE ...] [vorlin-cli export options ...])
#
# Converts the pictures (relative to this project) into NAME.c and NAME.h in VORLIN_EXPORT_DIR
# whenever a picture or vorlin-cli changes; the arrays are NAMEPal, NAMETiles, NAMEMap ...
# with their byte sizes as NAMEPalLen and so on. Several pictures share one palette and one
# tileset (NAMEPal, NAMETiles) and each gets its own map named after it (forest.png ->
# forestMap). The pictures are the arguments before the first option. Adds NAME.c to
# NAME_SOURCES in the caller.
set(VORLIN_EXPORT_DIR ${CMAKE_CURRENT_BINARY_DIR}/art)

function(vorlin_export name)
  set(pictures)
  set(sources)
  set(options)
  foreach(arg IN LISTS ARGN)
    if(options OR arg MATCHES "^-")
      list(APPEND options ${arg})
    else()
      list(APPEND pictures ${arg})
      list(APPEND sources ${CMAKE_CURRENT_SOURCE_DIR}/${arg})
    endif()
  endforeach()
  if(NOT sources)
    message(FATAL_ERROR "vorlin_export(${name}): no picture given")
  endif()
  list(JOIN pictures " " shown)
  set(out ${VORLIN_EXPORT_DIR}/${name})
  add_custom_command(
    OUTPUT ${out}.c ${out}.h
    COMMAND ${VORLIN_CLI} export ${sources} -o ${out}.c ${options}
    DEPENDS ${sources} ${VORLIN_CLI}
    COMMENT "vorlin-cli export ${shown}"
    VERBATIM)
  set(${name}_SOURCES ${out}.c PARENT_SCOPE)
endfunction()
