# Test registration shared by the native and the cross build. In the cross
# build every test program runs under Wine (CMAKE_CROSSCOMPILING_EMULATOR), in
# a session of the build tree's own: a private prefix, a virtual X display and
# a sound device that writes to a file, started once before the tests and
# stopped after them (tools/wine/wine-session.sh).

if(CMAKE_CROSSCOMPILING)
  set(RAIVEL_WINE_DIR "${CMAKE_BINARY_DIR}/wine")
  add_test(NAME wine_session_start
           COMMAND "${CMAKE_SOURCE_DIR}/tools/wine/wine-session.sh" start "${RAIVEL_WINE_DIR}")
  add_test(NAME wine_session_stop
           COMMAND "${CMAKE_SOURCE_DIR}/tools/wine/wine-session.sh" stop "${RAIVEL_WINE_DIR}")
  set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)
endif()

# One CTest entry for a whole test program (a Wine start costs time).
function(raivel_add_test target)
  add_test(NAME ${target} COMMAND ${target} ${ARGN})
  raivel_test_needs_wine(${target})
endfunction()

# A test that is a script of ours: it gets the build's programs and, in the
# cross build, the Wine session.
function(raivel_add_script_test name script)
  add_test(NAME ${name} COMMAND bash "${script}" ${ARGN})
  raivel_test_needs_wine(${name})
endfunction()

function(raivel_test_needs_wine name)
  if(CMAKE_CROSSCOMPILING)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine
                         ENVIRONMENT "RAIVEL_WINE_DIR=${RAIVEL_WINE_DIR}")
  endif()
endfunction()
