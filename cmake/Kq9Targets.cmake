# The layered libraries that span several source folders. Each folder adds its sources with
# target_sources(kq9core ...) or target_sources(kq9ui ...).

macro(kq9_define_qt_targets)
    # Qt adapter of the communication library (UI-thread hand-over).
    add_library(kq9qt STATIC)
    target_link_libraries(kq9qt PUBLIC kq9comm Qt6::Core)

    # Non-visual program logic on Qt Core.
    add_library(kq9core STATIC)
    target_include_directories(kq9core PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(kq9core PUBLIC kq9comm kq9qt Qt6::Core)

    # Windows.
    add_library(kq9ui STATIC)
    target_include_directories(kq9ui PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(kq9ui PUBLIC kq9core kq9sim Qt6::Widgets Qt6::PrintSupport
                          Qt6::Network)
endmacro()

# kq9_add_test(NAME SOURCES ... LIBS ... [QT])
# QT: the test links the offscreen Qt test main; otherwise GoogleTest's own main.
function(kq9_add_test name)
    cmake_parse_arguments(T "QT" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
    if(T_QT)
        target_link_libraries(${name} PRIVATE kq9testsupport_qt ${T_LIBS} GTest::gmock)
    else()
        target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
    endif()
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    set(env "QT_QPA_PLATFORM=offscreen"
            "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
            "KQ9_DATA_DIR=${CMAKE_SOURCE_DIR}/data"
            "KQ9_BIN_DIR=${KQ9_BIN_DIR}")
    # A list-valued ENVIRONMENT loses all but its first entry on its way through
    # gtest_discover_tests, so the test binary runs under `cmake -E env` instead.
    set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env ${env})
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endfunction()
