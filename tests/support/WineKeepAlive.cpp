// Started by the test harness before the Windows tests: a hidden window that keeps Wine's
// desktop process alive for the whole run, so that no test program starts it (and hands it
// the output pipe the test runner waits on). The harness ends it with the wineserver.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    ::CreateWindowExW(0, L"STATIC", L"keep-alive", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&message);
    return 0;
}
