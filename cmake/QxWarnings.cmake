# Warning flags shared by every target of the project.
add_library(qx_warnings INTERFACE)
target_compile_options(qx_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
if(QX_WERROR)
    target_compile_options(qx_warnings INTERFACE -Werror)
endif()

# Keeps the names in ARGN that are targets, so a subsystem folder without sources yet is skipped.
function(qx_existing_targets out)
    set(result)
    foreach(t IN LISTS ARGN)
        if(TARGET ${t})
            list(APPEND result ${t})
        endif()
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()

# qx_add_subsystem(NAME [DEPS ...]): one static library per src/ folder, its sources globbed so
# that adding a file needs no edit here.
function(qx_add_subsystem name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    if(NOT sources)
        return()
    endif()
    qx_existing_targets(deps ${ARG_DEPS})
    add_library(qx_${name} STATIC ${sources} ${headers} ${ARG_UNPARSED_ARGUMENTS})
    target_include_directories(qx_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(qx_${name} PUBLIC ${deps} PRIVATE qx_warnings)
endfunction()

# qx_add_test_suite(NAME LIBS...): one test program per tests/ folder, every *.cpp in it.
function(qx_add_test_suite name)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    qx_existing_targets(libs ${ARGN})
    add_executable(${name}_tests ${sources})
    target_include_directories(${name}_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name}_tests PRIVATE ${libs} GTest::gtest GTest::gmock GTest::gtest_main qx_warnings)
    target_compile_definitions(${name}_tests PRIVATE QX_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
    gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS ${name})
endfunction()

# qx_add_qt_subsystem(NAME DEPS ... QT ...): a Qt subsystem library (moc and uic on).
function(qx_add_qt_subsystem name)
    cmake_parse_arguments(ARG "" "" "DEPS;QT" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.ui
         ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    if(NOT sources)
        return()
    endif()
    qx_existing_targets(deps ${ARG_DEPS})
    add_library(qx_${name} STATIC ${sources} ${headers})
    set_target_properties(qx_${name} PROPERTIES AUTOMOC ON AUTOUIC ON AUTORCC ON)
    target_include_directories(qx_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(qx_${name} PUBLIC ${deps} ${ARG_QT} PRIVATE qx_warnings)
endfunction()

# qx_add_qt_test_suite(NAME LIBS...): like qx_add_test_suite, with a QApplication for widget tests
# (run under the offscreen platform).
function(qx_add_qt_test_suite name)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    qx_existing_targets(libs ${ARGN})
    add_executable(${name}_tests ${sources} ${PROJECT_SOURCE_DIR}/tests/support/QtTestMain.cpp)
    set_target_properties(${name}_tests PROPERTIES AUTOMOC ON)
    target_include_directories(${name}_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name}_tests PRIVATE ${libs} Qt6::Test GTest::gtest GTest::gmock qx_warnings)
    target_compile_definitions(${name}_tests PRIVATE QX_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
    gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS ${name} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
