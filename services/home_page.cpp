#include "services/home_page.h"

#include "core/web_address.h"
#include "services/app_state.h"

bool OpenHomePage() {
    const wchar_t *address = g_app.settings.URL;
    if (!IsWebAddress(address)) return false;
    ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL);
    return true;
}
