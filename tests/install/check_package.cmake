# Builds the Debian package from the build, checks what it holds, unpacks it into a scratch root
# and runs the unpacked kemc there: version and one compile-and-fit of an example it ships.
# Arguments: BUILD_DIR, WORK_DIR, SOURCE_DIR, WITH_GUI (1 when kemwin was built), VERSION, CPACK.
cmake_minimum_required(VERSION 3.25)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                  ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command} failed (${result}):\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
run("${CPACK}" -G DEB -B "${WORK_DIR}" --config "${BUILD_DIR}/CPackConfig.cmake")
run(dpkg --print-architecture)
string(STRIP "${output}" arch)
set(package "${WORK_DIR}/kem_${VERSION}_${arch}.deb")
if(NOT EXISTS "${package}")
  message(FATAL_ERROR "no package ${package}")
endif()

# The package's own description.
run(dpkg-deb --field "${package}" Package Version Architecture)
foreach(field "Package: kem" "Version: ${VERSION}" "Architecture: ${arch}")
  if(NOT output MATCHES "${field}")
    message(FATAL_ERROR "package lacks '${field}':\n${output}")
  endif()
endforeach()

# Its files, installed under /usr.
run(dpkg-deb --contents "${package}")
set(listing "${output}")
set(expected
    bin/kemc
    share/man/man1/kemc.1
    share/mime/packages/kem.xml
    share/doc/kem/examples/ampel.kem
    share/doc/kem/examples/README.md)
if(WITH_GUI)
  list(APPEND expected bin/kemwin share/man/man1/kemwin.1 share/applications/kemwin.desktop
       share/icons/hicolor/scalable/apps/kemwin.svg)
endif()
if(EXISTS "${SOURCE_DIR}/docs/manual/index.html")
  list(APPEND expected share/doc/kem/manual/index.html)
endif()
file(GLOB examples RELATIVE "${SOURCE_DIR}/examples" "${SOURCE_DIR}/examples/*.kem")
foreach(example IN LISTS examples)
  list(APPEND expected share/doc/kem/examples/${example})
endforeach()
foreach(file IN LISTS expected)
  string(REPLACE "." "\\." pattern "${file}")
  if(NOT listing MATCHES " \\./usr/${pattern}\n")
    message(FATAL_ERROR "package lacks /usr/${file}:\n${listing}")
  endif()
endforeach()
if(listing MATCHES " \\./usr/local/|/include/|\\.a\n|examples/[^\n]*\\.(ERR|mds|boo|jed)\n")
  message(FATAL_ERROR "package holds files of the build:\n${listing}")
endif()

# Unpacked as dpkg would install it.
set(root "${WORK_DIR}/root")
run(dpkg -x "${package}" "${root}")
run("${root}/usr/bin/kemc" --version)
if(NOT output STREQUAL "kemc ${VERSION}\n")
  message(FATAL_ERROR "unpacked kemc --version: '${output}'")
endif()
set(design_dir "${WORK_DIR}/design")
file(COPY "${root}/usr/share/doc/kem/examples/ampel.kem" DESTINATION "${design_dir}")
execute_process(COMMAND "${root}/usr/bin/kemc" --fit ampel.kem WORKING_DIRECTORY "${design_dir}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT output MATCHES "Fitterdurchgang erfolgreich beendet\nIm Programmiergerät GAL16V8 wählen: [^\n]*\n$"
   OR NOT errors STREQUAL "")
  message(FATAL_ERROR "unpacked kemc --fit ampel.kem: ${result}\n${output}${errors}")
endif()
# STX, CR LF, "CHIP ampel GAL16V8"
file(READ "${design_dir}/ampel.jed" jedec LIMIT 21 HEX)
if(NOT jedec STREQUAL "020d0a4348495020616d70656c2047414c31365638")
  message(FATAL_ERROR "ampel.jed is no JEDEC file")
endif()
foreach(page kemc.1 kemwin.1)
  if(EXISTS "${root}/usr/share/man/man1/${page}")
    file(READ "${root}/usr/share/man/man1/${page}" text)
    if(text MATCHES "@")
      message(FATAL_ERROR "${page} not configured")
    endif()
  endif()
endforeach()

# The desktop database and the MIME database accept what the package gives them.
if(WITH_GUI)
  run(desktop-file-validate "${root}/usr/share/applications/kemwin.desktop")
  if(output MATCHES "error")
    message(FATAL_ERROR "kemwin.desktop: ${output}")
  endif()
  file(STRINGS "${root}/usr/share/applications/kemwin.desktop" entry)
  foreach(line "Exec=kemwin %f" "Icon=kemwin" "MimeType=text/x-kem;")
    if(NOT line IN_LIST entry)
      message(FATAL_ERROR "kemwin.desktop lacks '${line}'")
    endif()
  endforeach()
endif()
run(update-mime-database "${root}/usr/share/mime")
file(READ "${root}/usr/share/mime/globs2" globs)
if(NOT globs MATCHES "text/x-kem:\\*\\.kem")
  message(FATAL_ERROR "MIME database has no *.kem:\n${globs}")
endif()
