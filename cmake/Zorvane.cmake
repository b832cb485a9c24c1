# zv_add_test(<name> SOURCES <files...> LIBS <targets...>)
# A Qt Test executable run under the offscreen platform; the support library gives it
# a private temporary home (config, runtime and data folders) so no test touches the user's files.
function(zv_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${name} PRIVATE zv_testsupport Qt5::Test ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZV_BIN_DIR=${CMAKE_BINARY_DIR}/bin"
        TIMEOUT 300)
endfunction()
