# vorlin_export(NAME PICTURE [vorlin-cli export options ...])
#
# Converts PICTURE (relative to this project) into NAME.c and NAME.h in VORLIN_EXPORT_DIR
# whenever the picture or vorlin-cli changes; the arrays are NAMEPal, NAMETiles, NAMEMap ...
# with their byte sizes as NAMEPalLen and so on. Adds NAME.c to NAME_SOURCES in the caller.
set(VORLIN_EXPORT_DIR ${CMAKE_CURRENT_BINARY_DIR}/art)

function(vorlin_export name picture)
  set(source ${CMAKE_CURRENT_SOURCE_DIR}/${picture})
  set(out ${VORLIN_EXPORT_DIR}/${name})
  add_custom_command(
    OUTPUT ${out}.c ${out}.h
    COMMAND ${VORLIN_CLI} export ${source} -o ${out}.c ${ARGN}
    DEPENDS ${source} ${VORLIN_CLI}
    COMMENT "vorlin-cli export ${picture}"
    VERBATIM)
  set(${name}_SOURCES ${out}.c PARENT_SCOPE)
endfunction()
