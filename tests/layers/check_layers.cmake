# cmake -DROOT=<source folder> -P check_layers.cmake
# Fails on any include that runs from a folder to one above it in ZV_LAYERS, or
# from one program into another.
include(${ROOT}/cmake/Layers.cmake)

function(layer_of folder out)
    list(FIND ZV_LAYERS "${folder}" i)
    if(i EQUAL -1)
        list(FIND ZV_PROGRAMS "${folder}" p)
        if(NOT p EQUAL -1)
            set(i 1000)  # a program sits above every shared layer
        endif()
    endif()
    set(${out} ${i} PARENT_SCOPE)
endfunction()

set(bad "")
file(GLOB_RECURSE sources RELATIVE ${ROOT}
    ${ROOT}/platform/*.cpp ${ROOT}/platform/*.h ${ROOT}/common/*.cpp ${ROOT}/common/*.h
    ${ROOT}/dock/*.cpp ${ROOT}/dock/*.h ${ROOT}/notes/*.cpp ${ROOT}/notes/*.h
    ${ROOT}/picker/*.cpp ${ROOT}/picker/*.h)
foreach(src ${sources})
    get_filename_component(from ${src} DIRECTORY)
    # A folder below a layer (dock/editing/webview) belongs to that layer.
    layer_of("${from}" fromLayer)
    while(fromLayer EQUAL -1 AND from MATCHES "/")
        get_filename_component(from ${from} DIRECTORY)
        layer_of("${from}" fromLayer)
    endwhile()
    if(fromLayer EQUAL -1)
        continue()
    endif()
    file(STRINGS ${ROOT}/${src} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${lines})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" inc "${line}")
        get_filename_component(to ${inc} DIRECTORY)
        if(to STREQUAL "" OR to STREQUAL from)
            continue()
        endif()
        layer_of("${to}" toLayer)
        if(toLayer EQUAL -1)
            continue()  # generated headers and the like
        endif()
        if(toLayer GREATER fromLayer OR (fromLayer EQUAL 1000 AND toLayer GREATER 1))
            list(APPEND bad "${src}: ${inc}")
        endif()
    endforeach()
endforeach()
if(bad)
    list(JOIN bad "\n  " text)
    message(FATAL_ERROR "includes that run upwards:\n  ${text}")
endif()
message(STATUS "every include runs downwards")
