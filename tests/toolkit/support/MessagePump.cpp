#include "MessagePump.h"

namespace VantorTest {

void PumpMessages(DWORD milliseconds)
{
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    do {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (milliseconds)
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (::GetTickCount64() < end);
}

} // namespace VantorTest
