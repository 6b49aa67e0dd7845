// Helpers for tests that drive real windows.
#pragma once

#include <windows.h>

namespace VantorTest {

// Dispatches every message waiting for this thread, then keeps doing so for `milliseconds`.
void PumpMessages(DWORD milliseconds = 0);

} // namespace VantorTest
