# Copies SRC to DST unless DST exists: the program folder's data files belong to the operator once there.
if(NOT EXISTS "${DST}")
  configure_file("${SRC}" "${DST}" COPYONLY)
endif()
