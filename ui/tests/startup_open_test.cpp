// The first entry opens while the windows come up; whatever asks the device first finds it
// open and loaded, and the load is not made a second time.

#include "services/transport.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "services/media_device.h"
#include "services/registry.h"
#include "tests/driver/app_fixture.h"
#include "ui/shell/main_window.h"
#include "ui/shell/startup.h"

namespace {

class StartupOpen : public driver::AppTest {};

TEST_F(StartupOpen, TheFirstDeviceCallFindsTheFirstEntryLoadedAndTheLoadIsNotRepeated) {
    driver::StoreStockEntry(0, 0, L"tone", driver::MadeMedia(L"tone4s.wav"));
    OpenRegistryKeys(g_app.keys);
    FinishStartup(CreateMainWindow());  // no message is handled yet: the open may be under way
    EXPECT_TRUE(MediaIsOpen());
    EXPECT_GT(MediaLengthMs(), 1000u);
    EXPECT_EQ(Display().barMax, int(MediaLengthMs() / 1000)) << "the bar was not set for it";

    Display().barMax = 12345;  // a load made again would set the bar anew
    // The open's own message comes now: it is waited for and handled.
    bool opened = false;
    for (const DWORD until = GetTickCount() + 5000; !opened && GetTickCount() < until; Sleep(1)) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            opened = opened || msg.message == WM_MEDIA_OPENED;
            DispatchMessageW(&msg);
        }
    }
    ASSERT_TRUE(opened) << "the open's message never came";
    EXPECT_EQ(Display().barMax, 12345) << "the load was made a second time";
}

}  // namespace
