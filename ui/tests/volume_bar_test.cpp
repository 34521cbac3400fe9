// The volume bar and the Mute button on the real main window, against the platform's mixer,
// checked through a mixer handle of the test's own.

#include <windows.h>
#include <mmsystem.h>
#include <winternl.h>

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/shell/skinned_button.h"
#include "tests/driver/app_fixture.h"

namespace {

// Mixer device 0's speakers controls, through a handle of the test's own.
struct OutsideMixer {
    HMIXER mixer = nullptr;
    DWORD volume = 0, mute = 0; // control ids
    OutsideMixer() {
        mixerOpen(&mixer, 0, 0, 0, 0);
        MIXERLINEW line = {sizeof line};
        line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
        mixerGetLineInfoW(Obj(), &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE);
        volume = Find(line.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME);
        mute = Find(line.dwLineID, MIXERCONTROL_CONTROLTYPE_MUTE);
    }
    ~OutsideMixer() { mixerClose(mixer); }
    HMIXEROBJ Obj() { return reinterpret_cast<HMIXEROBJ>(mixer); }
    DWORD Find(DWORD line, DWORD type) {
        MIXERCONTROLW control = {sizeof control};
        MIXERLINECONTROLSW controls = {sizeof controls, line, {type}, 1, sizeof control, &control};
        EXPECT_EQ(mixerGetLineControlsW(Obj(), &controls,
                                        MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE),
                  MMSYSERR_NOERROR);
        return control.dwControlID;
    }
    DWORD Get(DWORD id) {
        DWORD value = 0xDEAD;
        MIXERCONTROLDETAILS d = {sizeof d, id, 1, {nullptr}, sizeof value, &value};
        mixerGetControlDetailsW(Obj(), &d, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE);
        return value;
    }
    void Set(DWORD id, DWORD value) {
        MIXERCONTROLDETAILS d = {sizeof d, id, 1, {nullptr}, sizeof value, &value};
        EXPECT_EQ(mixerSetControlDetails(Obj(), &d,
                                         MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE),
                  MMSYSERR_NOERROR);
    }
};

// The process's GDI objects: the platform's own count where it keeps one; under Wine, whose
// count is a stub, the live entries of the process's GDI handle table.
DWORD GdiObjectCount() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
    struct Entry {
        UINT64 object;
        ULONG owner;
        USHORT unique;
        UCHAR type, flags;
        UINT64 user;
    };
    const BYTE *peb = reinterpret_cast<const BYTE *>(NtCurrentTeb()->ProcessEnvironmentBlock);
    const Entry *table =
        *reinterpret_cast<const Entry *const *>(peb + (sizeof(void *) == 8 ? 0xF8 : 0x94));
    DWORD n = 0;
    for (int i = 0; table && i < 0x10000; ++i)
        n += table[i].type != 0;
    return n;
}

class VolumeBar : public driver::AppTest {};

TEST_F(VolumeBar, PressesSetTheMixerOutsideChangesMoveTheBarMuteTogglesAndRepaintsLeakNothing) {
    OutsideMixer outside;
    outside.Set(outside.volume, 40000);
    outside.Set(outside.mute, 1);
    HWND main = StartApp();
    // The platform may keep the level as a fraction: a value reads back within one step.
    EXPECT_NEAR(outside.Get(outside.volume), 39976, 1) << "set-up snaps to 61 %";
    HWND bar = g_ui.hVolumeBar;
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(149, 10));
    EXPECT_NEAR(outside.Get(outside.volume), 64879, 1) << "the right end is 99 %";
    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 10));
    EXPECT_EQ(outside.Get(outside.volume), 0u) << "dragged to the left end";
    SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(0, 10));
    SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(75, 10));
    EXPECT_EQ(outside.Get(outside.volume), 0u) << "no drag after the release";

    outside.Set(outside.volume, 32767);
    EXPECT_TRUE(driver::PumpUntil([] { return g_ui.volumeBarPos == 74; }, 450)) << "50 % within 300 ms";
    outside.Set(outside.volume, 65535);
    EXPECT_TRUE(driver::PumpUntil([] { return g_ui.volumeBarPos == 149; }, 450));

    // A muted start shows the pushed face; Mute twice returns control and face.
    EXPECT_EQ(g_ui.buttonFace[SlotMute], 1);
    PressButton(SlotMute);
    EXPECT_EQ(outside.Get(outside.mute) + g_ui.buttonFace[SlotMute], 0u);
    SendMessageW(main, WM_COMMAND, ID_MUTE, 0); // Shift+M and the menu item
    EXPECT_EQ(outside.Get(outside.mute) + g_ui.buttonFace[SlotMute], 2u);
    outside.Set(outside.mute, 0);

    // The count is a real one: a new pen shows as one more object.
    const DWORD before = GdiObjectCount();
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_EQ(GdiObjectCount(), before + 1);
    DeleteObject(pen);
    for (int i = 0; i < 2000; ++i) {
        InvalidateRect(bar, nullptr, TRUE);
        UpdateWindow(bar);
    }
    EXPECT_LE(GdiObjectCount(), before + 2) << before << " before 2000 repaints";
}

} // namespace
