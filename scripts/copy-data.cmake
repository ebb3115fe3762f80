# Copies the folders the program reads at run time beside the binary.
foreach(folder Languages help)
  if(EXISTS ${SOURCE}/${folder})
    file(COPY ${SOURCE}/${folder} DESTINATION ${DEST})
  endif()
endforeach()
