# Lays out the data folders beside the executable at build time:
#   cmake -DSRC=<data folder> -DDST=<program folder> -P CopyData.cmake
# Each of Languages/ and skins/ is created beside the executable and filled
# from the source tree when the source tree has it (a checkout may not have
# every folder yet: git keeps no empty folders).
foreach(folder Languages skins)
  file(MAKE_DIRECTORY "${DST}/${folder}")
  if(IS_DIRECTORY "${SRC}/${folder}")
    file(COPY "${SRC}/${folder}/" DESTINATION "${DST}/${folder}")
  endif()
endforeach()
