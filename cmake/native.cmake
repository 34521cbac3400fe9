# Native build: the platform-free core and its tests, with AddressSanitizer and UBSan.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
if(MIRELO_FUZZ)  # scripts/fuzz.sh: clang's libFuzzer over the same code
    list(APPEND SANITIZE -fsanitize=fuzzer-no-link)
endif()
add_compile_options(-Wall -Wextra -g ${SANITIZE})
add_link_options(${SANITIZE})

add_subdirectory(${GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

add_library(mirelo_core STATIC ${CORE_SOURCES})
target_include_directories(mirelo_core PUBLIC ${CMAKE_SOURCE_DIR})

file(GLOB NATIVE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/core/tests/*_test.cpp)
add_executable(core_tests ${NATIVE_TEST_SOURCES})
target_link_libraries(core_tests PRIVATE mirelo_core GTest::gtest_main)
gtest_add_tests(TARGET core_tests TEST_PREFIX "native.")

# Nothing lower includes anything higher: core includes no platform header and nothing of
# services/ or ui/; services include nothing of ui/.
add_test(NAME layers.IncludesGoOneWay COMMAND bash ${CMAKE_SOURCE_DIR}/tests/check_layers.sh
                                              ${CMAKE_SOURCE_DIR})

# Every parser of outside data has a fuzz target (fuzz/*_fuzz.cpp). Here its seed corpus is
# replayed under the sanitizers; scripts/fuzz.sh builds the same targets with libFuzzer.
file(GLOB FUZZ_TARGETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
if(NOT MIRELO_FUZZ)
    add_library(fuzz_replay STATIC ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
endif()
foreach(src ${FUZZ_TARGETS})
    get_filename_component(name ${src} NAME_WE)
    if(MIRELO_FUZZ)
        add_executable(${name} ${src})
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    else()
        add_executable(${name} ${src})
        target_link_libraries(${name} PRIVATE fuzz_replay)
        add_test(NAME native.fuzz_corpus.${name} COMMAND ${name} ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
    endif()
    target_link_libraries(${name} PRIVATE mirelo_core)
endforeach()
