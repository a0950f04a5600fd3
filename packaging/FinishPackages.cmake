# Run by cpack once it has built the packages (CPACK_POST_BUILD_SCRIPTS): each one is unpacked and
# built again by dpkg-deb, Debian's own tool. CPack gives the members of the outer archive the
# modes of its files on disk, so the umask of whoever builds changes the package's bytes; dpkg-deb
# does not, and stamps the files no later than SOURCE_DATE_EPOCH, which cpack's project file set.

# CPack's dbgsym package lacks two things that Debian's have: md5sums that name each file by its
# place in the package (CPack 3.25 names it by its place in the build folder), and a
# usr/share/doc, so a copyright file. Debian's tools link that folder to the main package's, on
# which the dbgsym package depends. This adds both to the package unpacked in `root`.
function(vantrel_complete_dbgsym root name)
  file(MAKE_DIRECTORY ${root}/usr/share/doc)
  # CPack made the folders as the umask says; debug information is read, never run.
  file(CHMOD_RECURSE ${root}
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
    DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  file(CREATE_LINK ${name} ${root}/usr/share/doc/${name}-dbgsym SYMBOLIC)

  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${root} ${root}/usr/*)
  list(SORT files)
  set(sums "")
  foreach(file IN LISTS files)
    if(NOT IS_SYMLINK ${root}/${file})
      file(MD5 ${root}/${file} sum)
      string(APPEND sums "${sum}  ${file}\n")
    endif()
  endforeach()
  file(WRITE ${root}/DEBIAN/md5sums "${sums}")
endfunction()

foreach(package IN LISTS CPACK_PACKAGE_FILES)
  set(root ${package}.unpacked)
  file(REMOVE_RECURSE ${root})
  execute_process(COMMAND dpkg-deb --raw-extract ${package} ${root} COMMAND_ERROR_IS_FATAL ANY)
  if(package MATCHES "/([^/]+)-dbgsym_[^/]*\\.ddeb$")
    vantrel_complete_dbgsym(${root} ${CMAKE_MATCH_1})
  endif()
  execute_process(COMMAND dpkg-deb --root-owner-group --build ${root} ${package}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${root})
endforeach()
