# Run by CPack on its staging folder before it packs: every folder gets the
# mode 755, as Debian's folders have it, whatever the umask was.
file(GLOB_RECURSE lg_entries LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
set(lg_folders "${CPACK_TEMPORARY_DIRECTORY}")
foreach(entry IN LISTS lg_entries)
  if(IS_DIRECTORY "${entry}" AND NOT IS_SYMLINK "${entry}")
    list(APPEND lg_folders "${entry}")
  endif()
endforeach()
file(CHMOD ${lg_folders} DIRECTORY_PERMISSIONS
     OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
