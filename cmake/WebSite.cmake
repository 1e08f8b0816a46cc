# Writes the static web site into OUT from the built program in PROGRAM_DIR and
# the page's files: run as cmake -DSOURCE_DIR=... -DPROGRAM_DIR=... -DOUT=... -P.
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT}/Images)

set(PAGE ${SOURCE_DIR}/src/platform/web/page)
file(COPY ${PAGE}/index.html ${PAGE}/manifest.webmanifest DESTINATION ${OUT})
file(COPY ${PROGRAM_DIR}/glintwake.js ${PROGRAM_DIR}/glintwake.wasm DESTINATION ${OUT})
file(COPY ${SOURCE_DIR}/data/glintwake.png ${SOURCE_DIR}/data/glintwake-192.png ${SOURCE_DIR}/data/glintwake-512.png
     DESTINATION ${OUT})

file(GLOB images RELATIVE ${SOURCE_DIR}/Images ${SOURCE_DIR}/Images/*.bmp)
list(SORT images)
file(COPY ${SOURCE_DIR}/Images/ DESTINATION ${OUT}/Images FILES_MATCHING PATTERN "*.bmp")
set(IMAGE_LIST "")
foreach(image IN LISTS images)
  string(APPEND IMAGE_LIST "'${image}', ")
endforeach()
string(REGEX REPLACE ", $" "" IMAGE_LIST "${IMAGE_LIST}")
configure_file(${PAGE}/page.js.in ${OUT}/page.js @ONLY)

# The worker caches every file; its cache is named by the files' contents.
file(GLOB_RECURSE site_files RELATIVE ${OUT} ${OUT}/*)
list(SORT site_files)
set(SITE_FILES "'./'")
set(contents "")
foreach(site_file IN LISTS site_files)
  file(SHA256 ${OUT}/${site_file} digest)
  string(APPEND contents "${site_file} ${digest}\n")
  string(APPEND SITE_FILES ", '${site_file}'")
endforeach()
string(SHA256 whole "${contents}")
string(SUBSTRING ${whole} 0 16 SITE_VERSION)
configure_file(${PAGE}/sw.js.in ${OUT}/sw.js @ONLY)
