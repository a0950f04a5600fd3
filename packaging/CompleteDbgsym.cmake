# Run by cpack once it has built the packages (CPACK_POST_BUILD_SCRIPTS). CPack's dbgsym package
# lacks two things that Debian's have: md5sums that name each file by its place in the package
# (CPack 3.25 names it by its place in the build folder), and a usr/share/doc, so a copyright
# file. Debian's tools link that folder to the main package's, on which the dbgsym package
# depends. This rebuilds the package with both.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "/([^/]+)-dbgsym_[^/]*\\.ddeb$")
    continue()
  endif()
  set(name ${CMAKE_MATCH_1})
  set(root ${package}.unpacked)
  file(REMOVE_RECURSE ${root})
  execute_process(COMMAND dpkg-deb --raw-extract ${package} ${root} COMMAND_ERROR_IS_FATAL ANY)

  file(MAKE_DIRECTORY ${root}/usr/share/doc)
  file(CREATE_LINK ${name} ${root}/usr/share/doc/${name}-dbgsym SYMBOLIC)

  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${root} ${root}/usr/*)
  list(SORT files)
  set(sums "")
  foreach(file IN LISTS files)
    if(NOT IS_SYMLINK ${root}/${file})
      # Debug information is read, never run.
      file(CHMOD ${root}/${file} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
      file(MD5 ${root}/${file} sum)
      string(APPEND sums "${sum}  ${file}\n")
    endif()
  endforeach()
  file(WRITE ${root}/DEBIAN/md5sums "${sums}")

  # dpkg-deb stamps the files no later than SOURCE_DATE_EPOCH, which cpack's project file set.
  execute_process(COMMAND dpkg-deb --root-owner-group --build ${root} ${package}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${root})
endforeach()
