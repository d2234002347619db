# Installs the build into a fresh prefix and checks what a user gets there.
# Arguments: BUILD_DIR, PREFIX, WITH_GUI (1 when kemwin was built), VERSION.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected bin/kemc share/man/man1/kemc.1 share/mime/packages/kem.xml
    share/doc/kem/examples/ampel.kem)
if(WITH_GUI)
  list(APPEND expected bin/kemwin share/man/man1/kemwin.1 share/applications/kemwin.desktop
       share/icons/hicolor/scalable/apps/kemwin.svg)
endif()
foreach(file IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

execute_process(COMMAND "${PREFIX}/bin/kemc" --version OUTPUT_VARIABLE output
                RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT output STREQUAL "kemc ${VERSION}\n")
  message(FATAL_ERROR "installed kemc --version: ${result} '${output}'")
endif()

set(pages kemc)
if(WITH_GUI)
  list(APPEND pages kemwin)
endif()
foreach(page IN LISTS pages)
  file(READ "${PREFIX}/share/man/man1/${page}.1" manual)
  if(NOT manual MATCHES "\"${page} ${VERSION}\"" OR manual MATCHES "@")
    message(FATAL_ERROR "manual page ${page}.1 not configured")
  endif()
endforeach()
file(READ "${PREFIX}/share/man/man1/kemc.1" manual)
if(NOT manual MATCHES "\\.SH EXIT-STATUS\n\\.TP\n\\.B 0\n")
  message(FATAL_ERROR "kemc.1 does not document the exit status")
endif()

if(WITH_GUI)
  # The desktop entry starts the installed program with the installed icon.
  file(STRINGS "${PREFIX}/share/applications/kemwin.desktop" entry)
  foreach(line "Exec=kemwin %f" "Icon=kemwin" "Type=Application" "MimeType=text/x-kem;")
    if(NOT line IN_LIST entry)
      message(FATAL_ERROR "kemwin.desktop lacks '${line}'")
    endif()
  endforeach()
endif()
