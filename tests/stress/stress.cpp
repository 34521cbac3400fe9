// Quick use of the real program: thousands of random presses, seeks, mode switches, skin and
// window commands over short WAV, AVI and MPEG files, so that media ends often. After every
// action the program must take a message posted to its queue (a skin command, seen in the
// registry); the answers slower than the limit are counted. Prints the figures; exits 1 when
// the program stopped answering for good (30 s) or ended.
//   stress.exe <seed> <actions> <media folder> [limit ms]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/driver/driver.h"
#include "tests/driver/media_files.h"

namespace {

const wchar_t kDate[] = L"Software\\Mirelo\\Setting\\date";
const wchar_t *const kListKeys[4] = {
    L"Software\\Mirelo\\Setting\\FileTitle", L"Software\\Mirelo\\Setting\\FileTime",
    L"Software\\Mirelo\\Setting\\FileTipe", L"Software\\Mirelo\\Setting\\FilePath"};

void StoreEntry(int index, const std::wstring &path) {
    const std::wstring name = L"Stock" + std::to_wstring(index);
    const std::wstring texts[4] = {path.substr(path.rfind(L'\\') + 1), L" 1 秒", L"MPEGVideo", path};
    for (int k = 0; k < 4; ++k) {
        std::vector<wchar_t> value(500, 0);
        lstrcpynW(value.data(), texts[k].c_str(), 500);
        driver::WriteRegistryValue(kListKeys[k], name.c_str(), REG_SZ, value.data(), 1000);
    }
}

struct Random {
    unsigned state;
    int Below(int n) {
        state = state * 1103515245u + 12345u;
        return int((state >> 8) % unsigned(n));
    }
};

struct Action {
    const char *name;
    int weight;
};

// Posts one random action to the program's windows.
const char *PostRandomAction(Random &rng, HWND main) {
    static const struct {
        const char *name;
        int weight;
        UINT command;
    } kCommands[] = {
        {"play", 8, ID_PLAY},          {"stop", 6, ID_STOP},
        {"pause", 6, ID_PAUSE},        {"next", 6, ID_NEXT},
        {"previous", 5, ID_PREVIOUS},  {"repeat", 3, ID_REPEAT},
        {"continuous", 3, ID_CONTINUOUS}, {"full", 1, ID_FULL},
        {"right window", 1, ID_RIGHT_WINDOW}, {"left window", 1, ID_LEFT_WINDOW},
        {"magnify", 1, ID_ZOOM_200},   {"original size", 1, ID_ZOOM_ORIGINAL},
        {"seek", 6, 0},
    };
    int total = 0;
    for (const auto &c : kCommands) total += c.weight;
    int pick = rng.Below(total);
    for (const auto &c : kCommands) {
        if (pick >= c.weight) {
            pick -= c.weight;
            continue;
        }
        if (c.command) {
            PostMessageW(main, WM_COMMAND, c.command, 0);
        } else {
            static const int kCodes[] = {SB_THUMBTRACK, SB_LINELEFT, SB_LINERIGHT, SB_LEFT};
            const int code = kCodes[rng.Below(4)];
            PostMessageW(main, WM_HSCROLL, MAKEWPARAM(code, rng.Below(3)), 0);
        }
        return c.name;
    }
    return "";
}

// Posts a skin change and waits until the program has stored it: its message loop took a
// message from its queue. Returns the milliseconds it took, or -1 after `limitMs`.
long ProbeAnswer(HWND main, int skin, DWORD limitMs) {
    const DWORD start = GetTickCount();
    PostMessageW(main, WM_COMMAND, skin ? ID_SKIN_COOL : ID_SKIN_CUTE, 0);
    for (;;) {
        if (driver::ReadRegistryDword(kDate, L"Skin", 9) == DWORD(skin))
            return long(GetTickCount() - start);
        if (GetTickCount() - start > limitMs) return -1;
        Sleep(5);
    }
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: stress <seed> <actions> <media folder> [limit ms]\n");
        return 2;
    }
    Random rng{unsigned(_wtoi(argv[1]))};
    const int actions = _wtoi(argv[2]);
    std::wstring media = argv[3];
    if (media.back() != L'\\') media += L'\\';
    const DWORD limit = argc > 4 ? DWORD(_wtoi(argv[4])) : 2000;

    // Three short entries of every kind: each ends within seconds.
    const std::wstring wav = media + L"stress.wav", avi = media + L"stress.avi";
    if (!driver::WriteWav(wav, 1200) || !driver::WriteAvi(avi, 15)) {
        std::fprintf(stderr, "cannot write the media files\n");
        return 2;
    }
    driver::CompleteFirstRun();
    StoreEntry(0, wav);
    StoreEntry(1, avi);
    StoreEntry(2, media + L"clip.mpg");

    driver::Process p = driver::Launch(driver::MireloExePath());
    HWND main = driver::WaitForMainWindow(p, 20000);
    if (!main) {
        std::fprintf(stderr, "the program did not start\n");
        return 2;
    }
    long worst = 0, total = 0;
    int slow = 0, done = 0, boxes = 0;
    const char *last = "";
    bool frozen = false;
    const DWORD started = GetTickCount();
    for (int i = 0; i < actions; ++i) {
        last = PostRandomAction(rng, main);
        Sleep(DWORD(rng.Below(250)));
        const long took = ProbeAnswer(main, i % 2, limit);
        if (took < 0) {
            // Not within the limit: frozen for good, or only slow?
            ++slow;
            if (ProbeAnswer(main, i % 2, 30000) < 0) {
                frozen = true;
                break;
            }
            worst = long(limit) + 1;
        } else {
            worst = took > worst ? took : worst;
            total += took;
        }
        ++done;
        // A message box (the program's word that a device stopped answering) is answered.
        for (HWND box : driver::WindowsOf(p.id, L"#32770")) {
            driver::PressDialogButton(box, IDOK);
            ++boxes;
        }
    }
    const bool alive = WaitForSingleObject(p.handle, 0) == WAIT_TIMEOUT;
    std::printf("stress: seed %u, %d of %d actions in %lu s; answer after each: mean %ld ms, "
                "worst %ld ms, %d over %lu ms; %d message boxes; %s\n",
                unsigned(_wtoi(argv[1])), done, actions, (GetTickCount() - started) / 1000,
                done ? total / done : 0, worst, slow, limit, boxes,
                frozen ? "FROZE" : alive ? "answering" : "the program ended");
    if (frozen) {
        std::printf("stress: last action before the freeze: %s (process %lu)\n", last, p.id);
        std::fflush(stdout);
        // Left as it is for a while, so that a debugger can be attached to look at it.
        if (GetEnvironmentVariableW(L"MIRELO_STRESS_KEEP", nullptr, 0)) Sleep(600000);
    }
    if (alive && !frozen) {
        PostMessageW(main, WM_COMMAND, ID_END, 0);
        driver::WaitForExit(p, 20000);
    } else {
        driver::Kill(p);
    }
    // Answers slower than the limit are counted and shown; what fails the run is a program
    // that stopped answering for good, or that ended.
    return frozen || !alive ? 1 : 0;
}
