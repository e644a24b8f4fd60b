# Writes the folder's service worker: web/sw.js with this build's files, the
# program's version (RELEASE) and a version made from the files' content, so
# that any change of any file makes a new worker (and a new cache). Rewritten
# only when it changes.
#
#   cmake -DSITE=<folder> -DTEMPLATE=<web/sw.js> -DFILES=<a,b,…> -DRELEASE=<1.1> -P service_worker.cmake
foreach(var SITE TEMPLATE FILES RELEASE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "service_worker.cmake needs -D${var}=")
  endif()
endforeach()

string(REPLACE "," ";" files "${FILES}")
set(digests "")
foreach(file IN LISTS files)
  if(NOT EXISTS "${SITE}/${file}")
    message(FATAL_ERROR "The lesson's folder lacks ${file}")
  endif()
  file(SHA256 "${SITE}/${file}" digest)
  string(APPEND digests "${file} ${digest}\n")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING "${version}" 0 16 LG_SITE_VERSION)

list(TRANSFORM files REPLACE "^(.+)$" "'\\1'")
list(JOIN files ", " LG_SITE_FILES)
set(LG_RELEASE "${RELEASE}")
configure_file("${TEMPLATE}" "${SITE}/sw.js" @ONLY)
