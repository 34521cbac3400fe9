# Native build: the platform-free core and its tests, with AddressSanitizer and UBSan.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
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
