# Copies the shipped data (default palette, manual, icons) beside the executables.
file(GLOB files "${SRC}/*")
if(files)
  file(COPY ${files} DESTINATION "${DST}/data")
endif()
if(EXISTS "${SRC}/vorlin.pal")
  file(COPY "${SRC}/vorlin.pal" DESTINATION "${DST}")
endif()
