// Entry point of the Windows test programs.
#include <windows.h>
#include <objbase.h>
#include <vfw.h>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    CoInitialize(nullptr);
    AVIFileInit();
    const int result = RUN_ALL_TESTS();
    AVIFileExit();
    CoUninitialize();
    return result;
}
