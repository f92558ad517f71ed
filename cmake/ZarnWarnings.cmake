# Every target of the project gets the same strict warning set, and warnings are errors.
add_library(zarn_warnings INTERFACE)
target_compile_options(zarn_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Werror
    -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual
    -Wformat=2 -Wimplicit-fallthrough)

if(ZARN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(ZARN_TSAN)
    if(ZARN_SANITIZE)
        message(FATAL_ERROR "ZARN_TSAN and ZARN_SANITIZE cannot be combined: use two build folders")
    endif()
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()

# A GoogleTest executable registered with CTest test by test.
function(zarn_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    # zarn_test_support brings the main that sets the headless drivers before any test runs.
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} zarn_test_support GTest::gtest GTest::gmock zarn_warnings)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endfunction()
