# Windows build: Mirelo.exe, its in-process tests and the tests that drive the real program.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I${CMAKE_SOURCE_DIR}/resources")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

add_compile_definitions(UNICODE _UNICODE WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800
                        _FORTIFY_SOURCE=2)
add_compile_options(-Wall -Wextra -O2 -fstack-protector-strong -finput-charset=UTF-8)
# Static runtime, so the program needs only system DLLs; ld already sets dynamic base and NX.
add_link_options(-static -static-libgcc -static-libstdc++ -fstack-protector-strong -Wl,--dynamicbase -Wl,--nxcompat)

set(WIN_LIBS winmm vfw32 ole32 uuid strmiids oleaut32 shlwapi comctl32 shell32
    gdi32 user32 advapi32)

# Everything except the entry point, so tests can link the real windows and devices.
file(GLOB_RECURSE APP_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/core/*.cpp ${CMAKE_SOURCE_DIR}/services/*.cpp ${CMAKE_SOURCE_DIR}/ui/*.cpp)
list(FILTER APP_SOURCES EXCLUDE REGEX "/tests/")
list(REMOVE_ITEM APP_SOURCES ${CMAKE_SOURCE_DIR}/ui/main.cpp)
add_library(mirelo_app STATIC ${APP_SOURCES})
target_include_directories(mirelo_app PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(mirelo_app PUBLIC ${WIN_LIBS})

set(RESOURCE_FILES resources/mirelo.rc resources/mirelo_ja.rc)
file(GLOB_RECURSE ART_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/art/*)
set_source_files_properties(resources/mirelo.rc PROPERTIES
    OBJECT_DEPENDS "${ART_FILES};${CMAKE_SOURCE_DIR}/resources/mirelo.manifest;${CMAKE_SOURCE_DIR}/resources/art.rc;${CMAKE_SOURCE_DIR}/resources/version.h")

add_executable(Mirelo WIN32 ui/main.cpp ${RESOURCE_FILES})
target_link_libraries(Mirelo PRIVATE mirelo_app)
# Stripped: the symbols are a fifth of the unstripped image and nothing reads them.
target_link_options(Mirelo PRIVATE -municode -s)

# Tests run under Wine through the cross-compiling emulator.
add_subdirectory(${GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

add_library(test_driver STATIC tests/driver/driver.cpp tests/driver/media_files.cpp
            tests/driver/pixel_region.cpp)
target_include_directories(test_driver PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(test_driver PUBLIC ${WIN_LIBS} GTest::gtest)

# One program for the in-process tests (real registry, files and devices); it carries the
# program's resources so windows can load their bitmaps and menus.
file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/services/tests/*_test.cpp
     ${CMAKE_SOURCE_DIR}/ui/tests/*_test.cpp)
add_executable(win_tests ${WIN_TEST_SOURCES} tests/win_main.cpp ${RESOURCE_FILES})
add_library(app_fixture STATIC tests/driver/app_fixture.cpp)
target_link_libraries(app_fixture PUBLIC mirelo_app test_driver)
target_link_libraries(win_tests PRIVATE app_fixture)
add_dependencies(win_tests Mirelo)  # the media device runs in Mirelo.exe's media host
# Each test program runs all of its tests in one process (a process per test costs seconds
# under Wine); every test's result is written to an XML file that scripts/test.sh counts.
function(add_wine_test_program name)
    add_test(NAME wine.${name} COMMAND ${name} --gtest_output=xml:gtest-results/${name}.xml
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
endfunction()
add_wine_test_program(win_tests)

# The media device tests play an MP3 and an MPEG video made by ffmpeg beforehand; the BMP
# files the tests write are read back by ImageMagick afterwards.
add_test(NAME media.make COMMAND bash ${CMAKE_SOURCE_DIR}/tests/make_media.sh
                                 ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/media)
set_tests_properties(media.make PROPERTIES FIXTURES_SETUP media)
set_tests_properties(wine.win_tests PROPERTIES FIXTURES_REQUIRED media FIXTURES_SETUP written_bmps)
add_test(NAME bmp.ThumbnailsReadBackByImageMagick
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/check_bmp.sh ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/bmp-check
                 ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/media)
set_tests_properties(bmp.ThumbnailsReadBackByImageMagick PROPERTIES FIXTURES_REQUIRED written_bmps)
add_test(NAME wav.RecordingsReadBackBySox
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/check_wav.sh ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/wav-check)
set_property(TEST wine.win_tests APPEND PROPERTY FIXTURES_SETUP written_wavs)
set_tests_properties(wav.RecordingsReadBackBySox PROPERTIES FIXTURES_REQUIRED written_wavs)
add_test(NAME avi.CutReadBackByFfmpeg
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/check_avi.sh ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/avi-check
                 ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/media)
set_property(TEST wine.win_tests APPEND PROPERTY FIXTURES_SETUP written_avis)
set_tests_properties(avi.CutReadBackByFfmpeg PROPERTIES FIXTURES_REQUIRED written_avis)

# A restore as a standard user, who may write in the thumbnail folder but not beside it.
add_test(NAME restore.WritesOnlyInsideTheThumbnailFolder
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/restore_standard_user.sh ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
set_tests_properties(restore.WritesOnlyInsideTheThumbnailFolder PROPERTIES SKIP_RETURN_CODE 77
                     RUN_SERIAL TRUE)

# Tests that start the real Mirelo.exe and use it as a person would.
file(GLOB E2E_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*_test.cpp)
add_executable(e2e_tests ${E2E_TEST_SOURCES} tests/win_main.cpp)
target_link_libraries(e2e_tests PRIVATE test_driver)
add_dependencies(e2e_tests Mirelo)
add_wine_test_program(e2e_tests)
set_tests_properties(wine.e2e_tests PROPERTIES FIXTURES_REQUIRED media)

# Benchmarks and their floors are built on demand (bench/run.sh, or the target "benches"),
# not by the test command.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
add_custom_target(benches)
foreach(src ${BENCH_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} EXCLUDE_FROM_ALL ${src} ${RESOURCE_FILES})
    add_dependencies(benches ${name})
    target_link_libraries(${name} PRIVATE mirelo_app test_driver)
    if(name STREQUAL "minimal_player" OR name STREQUAL "playback_cpu_bench")
        target_link_options(${name} PRIVATE -municode)
    endif()
endforeach()

add_test(NAME static.imports_only_system_dlls
         COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:Mirelo> -DOBJDUMP=${CMAKE_OBJDUMP}
                 -P ${CMAKE_SOURCE_DIR}/cmake/check_imports.cmake)
set_tests_properties(static.imports_only_system_dlls PROPERTIES LABELS static)

# Quick use of the real program: a short run is a test, scripts/stress.sh runs it long.
add_executable(stress tests/stress/stress.cpp)
target_link_libraries(stress PRIVATE mirelo_app test_driver psapi)
target_link_options(stress PRIVATE -municode)
add_dependencies(stress Mirelo)
add_test(NAME stress.TheProgramKeepsAnsweringThroughQuickUse
         COMMAND stress 1 200 ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/media)
set_tests_properties(stress.TheProgramKeepsAnsweringThroughQuickUse PROPERTIES
                     FIXTURES_REQUIRED media RUN_SERIAL TRUE)

# Puts the program on screen for scripts/screenshot.sh.
add_executable(showcase EXCLUDE_FROM_ALL tools/showcase/showcase.cpp)
target_link_libraries(showcase PRIVATE test_driver)
target_link_options(showcase PRIVATE -municode)

# The setup program (NSIS), built with everything else when makensis is there; the 32-bit
# build installs and uninstalls it under Wine in a prefix of its own.
find_program(MAKENSIS makensis)
if(MAKENSIS)
    set(SETUP_EXE ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Mirelo-setup.exe)
    add_custom_command(OUTPUT ${SETUP_EXE}
        COMMAND ${MAKENSIS} -V2 -DEXE=$<TARGET_FILE:Mirelo> -DOUTFILE=${SETUP_EXE}
                ${CMAKE_SOURCE_DIR}/installer/mirelo.nsi
        DEPENDS Mirelo ${CMAKE_SOURCE_DIR}/installer/mirelo.nsi ${CMAKE_SOURCE_DIR}/resources/version.h
        COMMENT "Building Mirelo-setup.exe")
    add_custom_target(installer ALL DEPENDS ${SETUP_EXE})
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        add_executable(installer_tests tests/installer/installer_test.cpp tests/win_main.cpp)
        target_link_libraries(installer_tests PRIVATE test_driver)
        add_dependencies(installer_tests installer)
        add_test(NAME wine.installer_tests
                 COMMAND bash ${CMAKE_SOURCE_DIR}/tests/installer/run.sh ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
        set_tests_properties(wine.installer_tests PROPERTIES RUN_SERIAL TRUE)
    endif()
endif()
