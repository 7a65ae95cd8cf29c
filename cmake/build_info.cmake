# Run at every build (cmake -P): writes OUT with the commit the program is built from,
# and rewrites it only when that changed, so nothing recompiles needlessly.
execute_process(COMMAND git -C "${SOURCE_DIR}" describe --always --dirty --abbrev=10
                OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET
                RESULT_VARIABLE failed)
if(failed OR commit STREQUAL "")
  set(commit "unknown")
endif()
set(text "// Generated at build time.\n#pragma once\n#define KX_BUILD_COMMIT \"${commit}\"\n")
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUT}" "${text}")
endif()
