# Run by cpack between its install and the package: Debian keeps the programs
# of games in /usr/games. From there the program still finds ../share/ninegrove.
# ninegrove-rate is a tool rather than a game and stays in /usr/bin.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
  file(MAKE_DIRECTORY "${usr}/games")
  file(RENAME "${usr}/bin/ninegrove" "${usr}/games/ninegrove")
  file(GLOB left "${usr}/bin/*")
  if(NOT left)
    file(REMOVE_RECURSE "${usr}/bin")
  endif()
endif()
