// Counting the GDI objects the test process holds, to catch drawing code that leaks them.
#pragma once

namespace VantorTest {

// The number of live GDI objects (pens, brushes, bitmaps, fonts, regions, contexts) of this
// process, exact to one object.
int CountLiveGdiObjects();

} // namespace VantorTest
