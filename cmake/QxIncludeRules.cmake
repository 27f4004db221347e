# qx_check_includes(TARGET ALLOW folder... [NO_QT]): building TARGET fails when one of its files
# includes a project header from a folder not in ALLOW (folders as written in the include, e.g.
# "model" or "ui/table"), reaches up with "..", or - with NO_QT - includes a Qt header. This keeps
# the links of the subsystems pointing one way: a wrong include breaks the build, not a review.
set(QX_CHECK_INCLUDES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/CheckIncludes.cmake)

function(qx_check_includes target)
    if(NOT TARGET ${target})
        return()
    endif()
    cmake_parse_arguments(ARG "NO_QT" "" "ALLOW" ${ARGN})
    get_target_property(sources ${target} SOURCES)
    set(files)
    foreach(source IN LISTS sources)
        if(source MATCHES "\\.(h|cpp)$" AND IS_ABSOLUTE "${source}" AND EXISTS "${source}")
            list(APPEND files ${source})
        endif()
    endforeach()
    string(REPLACE ";" "|" allow "${ARG_ALLOW}")
    string(REPLACE ";" "|" file_list "${files}")
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.includes-checked)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} "-DALLOW=${allow}" "-DFILES=${file_list}" -DNO_QT=${ARG_NO_QT}
                -DSTAMP=${stamp} -P ${QX_CHECK_INCLUDES_SCRIPT}
        DEPENDS ${files} ${QX_CHECK_INCLUDES_SCRIPT}
        COMMENT "Checking the includes of ${target}"
        VERBATIM)
    add_custom_target(${target}_includes DEPENDS ${stamp})
    add_dependencies(${target} ${target}_includes)
endfunction()
