// The painter: box and bitmap pixel rules, text cutting, alignment and clipping, measurements,
// failure reports, and that no GDI object outlives the operation that made it. Pixels are read
// back from DIB sections; text is checked by colour and inked region only, since the host's
// fonts stand in for whatever face is asked.
#include "Drawing.h"
#include "GdiObjectCount.h"
#include "GdiObjects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using VantorTest::CountLiveGdiObjects;
using VantorUtility::Drawing;
using VantorUtility::FontSpec;
using VantorUtility::MemoryDC;
using VantorUtility::OwnedBitmap;
using VantorUtility::ScopedSelect;

constexpr COLORREF black = RGB(0, 0, 0);
constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF green = RGB(0, 200, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

using Pattern = std::function<COLORREF(int x, int y)>;

// A distinct colour for every pixel of a small picture, never black.
COLORREF UniqueColor(int x, int y)
{
    return RGB(20 + x * 9, 30 + y * 9, 90);
}

// Blocks of pure black (the holes a transparent transfer leaves), a few almost black pixels
// (which are drawn like any other colour) and distinct colours elsewhere.
COLORREF HoledColor(int x, int y)
{
    if ((x / 2 + y / 3) % 3 == 0)
        return black;
    if ((x + y) % 5 == 0)
        return RGB(1, 0, 0);
    return UniqueColor(x, y);
}

// What a transparent transfer of HoledColor onto red shows for the source pixel x, y.
COLORREF HoledOverRed(int x, int y)
{
    const COLORREF source = HoledColor(x, y);
    return source == black ? red : source;
}

// A 32-bit top-down DIB section whose pixels the test reads and writes directly.
class Dib {
public:
    Dib(int dibWidth, int dibHeight, const Pattern& pattern = nullptr)
        : width(dibWidth), height(dibHeight), bitmap(Make(dibWidth, dibHeight, bits))
    {
        if (pattern) {
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x)
                    Set(x, y, pattern(x, y));
            }
        }
    }

    HBITMAP Handle() const { return bitmap.Get(); }

    COLORREF At(int x, int y) const
    {
        // GDI may still hold drawing calls in its batch.
        ::GdiFlush();
        const DWORD pixel = bits[y * width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

    void Set(int x, int y, COLORREF color)
    {
        ::GdiFlush();
        bits[y * width + x] = (DWORD{GetRValue(color)} << 16) | (DWORD{GetGValue(color)} << 8) | GetBValue(color);
    }

    const int width;
    const int height;

private:
    static HBITMAP Make(int width, int height, DWORD*& pixels)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* memory = nullptr;
        HBITMAP made = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        pixels = static_cast<DWORD*>(memory);
        return made;
    }

    DWORD* bits = nullptr;
    OwnedBitmap bitmap;
};

// A DIB section in a memory context, filled with a ground colour, for a painter to draw on.
class Canvas {
public:
    Canvas(int width, int height, COLORREF ground)
        : pixels(width, height, [ground](int, int) { return ground; }),
          context(nullptr),
          selection(context.Get(), pixels.Handle())
    {
    }

    HDC Dc() const { return context.Get(); }
    int Width() const { return pixels.width; }
    int Height() const { return pixels.height; }
    COLORREF At(int x, int y) const { return pixels.At(x, y); }
    void Set(int x, int y, COLORREF color) { pixels.Set(x, y, color); }

    // The smallest rectangle holding every pixel that is not the ground colour; empty if none.
    RECT InkBounds(COLORREF ground) const
    {
        RECT bounds{Width(), Height(), 0, 0};
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x) {
                if (At(x, y) != ground) {
                    bounds.left = std::min<LONG>(bounds.left, x);
                    bounds.top = std::min<LONG>(bounds.top, y);
                    bounds.right = std::max<LONG>(bounds.right, x + 1);
                    bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
                }
            }
        }
        return ::IsRectEmpty(&bounds) ? RECT{} : bounds;
    }

private:
    Dib pixels;
    MemoryDC context;
    ScopedSelect selection;
};

std::string Hex(COLORREF color)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%06lX", static_cast<unsigned long>(color));
    return text;
}

// Compares every pixel of the canvas with the expected colour and names the first difference.
::testing::AssertionResult PixelsMatch(const Canvas& canvas, const Pattern& expected)
{
    int differences = 0;
    std::string first;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const COLORREF want = expected(x, y);
            const COLORREF got = canvas.At(x, y);
            if (got != want && differences++ == 0)
                first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " + Hex(got) + ", expected " + Hex(want);
        }
    }
    if (differences == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differences << " pixels differ; first " << first;
}

::testing::AssertionResult SamePixels(const Canvas& left, const Canvas& right)
{
    return PixelsMatch(left, [&right](int x, int y) { return right.At(x, y); });
}

bool Inside(int x, int y, int left, int top, int width, int height)
{
    return x >= left && x < left + width && y >= top && y < top + height;
}

// A painter that counts its failure reports.
class CountingDrawing : public Drawing {
public:
    using Drawing::Drawing;
    void OnFailure() override { ++failures; }
    int failures = 0;
};

// A plain top-level window of a test class whose procedure paints through `paintHandler`.
class TestWindow : public VantorUtility::GUIElement {
public:
    std::function<void(TestWindow&)> paintHandler;
    int paints = 0;

    TestWindow(int clientWidth, int clientHeight) : GUIElement(::GetModuleHandleW(nullptr))
    {
        left = 0;
        top = 0;
        width = clientWidth;
        height = clientHeight;
    }

    ~TestWindow() override
    {
        if (windowHandle)
            ::DestroyWindow(windowHandle);
    }

    void Create() override
    {
        if (created)
            return;
        static const ATOM windowClass = Register();
        windowHandle = ::CreateWindowExW(WS_EX_TOOLWINDOW, MAKEINTATOM(windowClass), L"", WS_POPUP | WS_VISIBLE,
                                         left, top, width, height, nullptr, nullptr, instance, nullptr);
        ::SetWindowLongPtrW(windowHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        created = windowHandle != nullptr;
    }

    // Paints the whole client area now, through paintHandler.
    void Repaint()
    {
        ::InvalidateRect(windowHandle, nullptr, FALSE);
        ::UpdateWindow(windowHandle);
    }

private:
    static ATOM Register()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"VantorDrawingTestWindow";
        return ::RegisterClassW(&windowClass);
    }

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* element = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_PAINT && element && element->paintHandler) {
            ++element->paints;
            element->paintHandler(*element);
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
};

// Copies what the window shows of its client area onto the canvas.
void ReadWindow(TestWindow& window, Canvas& canvas)
{
    const VantorUtility::WindowDC screen(window.windowHandle);
    ::BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), screen.Get(), 0, 0, SRCCOPY);
}

// --- Counting GDI objects -------------------------------------------------------------------

TEST(GdiObjectCount, RisesByEachObjectMadeAndFallsBackWhenTheyAreDeleted)
{
    struct Case {
        const char* name;
        HGDIOBJ (*make)(int index);
    };
    const Case cases[] = {
        {"brush", [](int index) -> HGDIOBJ { return ::CreateSolidBrush(RGB(index, 0, 0)); }},
        {"pen", [](int index) -> HGDIOBJ { return ::CreatePen(PS_SOLID, 1, RGB(0, index, 0)); }},
        {"bitmap", [](int) -> HGDIOBJ { return ::CreateBitmap(8, 8, 1, 1, nullptr); }},
        {"region", [](int index) -> HGDIOBJ { return ::CreateRectRgn(0, 0, index + 1, 5); }},
    };
    constexpr int made = 37;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = CountLiveGdiObjects();
        ASSERT_GT(before, 0);
        std::vector<HGDIOBJ> objects;
        for (int index = 0; index < made; ++index) {
            objects.push_back(c.make(index));
            ASSERT_NE(objects.back(), nullptr);
            // Exact after each one: a single leaked object must show.
            EXPECT_EQ(CountLiveGdiObjects(), before + index + 1);
        }
        for (HGDIOBJ object : objects)
            ::DeleteObject(object);
        EXPECT_EQ(CountLiveGdiObjects(), before);
    }
}

// --- Boxes ----------------------------------------------------------------------------------

struct Box {
    int x, y, width, height;
};

const Box boxes[] = {{0, 0, 90, 30}, {7, 4, 20, 11}, {3, 9, 2, 2}};

TEST(DrawingBoxes, FillBoxColoursAllButTheLastColumnAndRowOfTheRectangle)
{
    for (const Box& box : boxes) {
        SCOPED_TRACE(std::to_string(box.x) + "," + std::to_string(box.y) + " " + std::to_string(box.width) + "x" +
                     std::to_string(box.height));
        Canvas canvas(100, 40, blue);
        Drawing painter(nullptr);
        painter.Attach(canvas.Dc());
        painter.FillBox(box.x, box.y, box.width, box.height, red);
        EXPECT_TRUE(PixelsMatch(canvas, [&box](int x, int y) {
            return Inside(x, y, box.x, box.y, box.width - 1, box.height - 1) ? red : blue;
        }));
    }
}

TEST(DrawingBoxes, FrameBoxDrawsOnlyTheOnePixelOutline)
{
    for (const Box& box : boxes) {
        SCOPED_TRACE(std::to_string(box.x) + "," + std::to_string(box.y) + " " + std::to_string(box.width) + "x" +
                     std::to_string(box.height));
        Canvas canvas(100, 40, blue);
        Drawing painter(nullptr);
        painter.Attach(canvas.Dc());
        painter.FrameBox(box.x, box.y, box.width, box.height, red);
        EXPECT_TRUE(PixelsMatch(canvas, [&box](int x, int y) {
            const bool outline = x == box.x || x == box.x + box.width - 1 || y == box.y || y == box.y + box.height - 1;
            return Inside(x, y, box.x, box.y, box.width, box.height) && outline ? red : blue;
        }));
    }
}

TEST(DrawingBoxes, LeaveTheContextsPenAndBrushInPlace)
{
    Canvas canvas(40, 40, blue);
    const HGDIOBJ pen = ::GetCurrentObject(canvas.Dc(), OBJ_PEN);
    const HGDIOBJ brush = ::GetCurrentObject(canvas.Dc(), OBJ_BRUSH);
    Drawing painter(nullptr);
    painter.Attach(canvas.Dc());
    painter.FillBox(1, 1, 10, 10, red);
    EXPECT_EQ(::GetCurrentObject(canvas.Dc(), OBJ_PEN), pen);
    EXPECT_EQ(::GetCurrentObject(canvas.Dc(), OBJ_BRUSH), brush);
    painter.FrameBox(1, 1, 10, 10, red);
    EXPECT_EQ(::GetCurrentObject(canvas.Dc(), OBJ_PEN), pen);
    EXPECT_EQ(::GetCurrentObject(canvas.Dc(), OBJ_BRUSH), brush);
}

// --- Bitmaps --------------------------------------------------------------------------------

TEST(DrawingBitmaps, BlitCopiesTheSourceRectangleExactly)
{
    const Dib picture(16, 16, UniqueColor);
    Canvas canvas(30, 30, blue);
    Drawing painter(nullptr);
    painter.Attach(canvas.Dc());
    painter.Blit(5, 7, 6, 4, picture.Handle(), 3, 2);
    EXPECT_TRUE(PixelsMatch(canvas, [](int x, int y) {
        return Inside(x, y, 5, 7, 6, 4) ? UniqueColor(x - 5 + 3, y - 7 + 2) : blue;
    }));
}

TEST(DrawingBitmaps, BlitTransparentKeepsTheDestinationUnderPureBlack)
{
    struct Case {
        int x, y, width, height, sourceX, sourceY;
    };
    const Case cases[] = {{0, 0, 16, 16, 0, 0}, {4, 5, 8, 6, 2, 3}, {10, 1, 5, 13, 11, 0}};
    const Dib picture(16, 16, HoledColor);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y) + " from " + std::to_string(c.sourceX) + "," +
                     std::to_string(c.sourceY));
        Canvas canvas(24, 24, red);
        Drawing painter(nullptr);
        painter.Attach(canvas.Dc());
        painter.BlitTransparent(c.x, c.y, c.width, c.height, picture.Handle(), c.sourceX, c.sourceY);
        EXPECT_TRUE(PixelsMatch(canvas, [&c](int x, int y) {
            if (!Inside(x, y, c.x, c.y, c.width, c.height))
                return red;
            return HoledOverRed(x - c.x + c.sourceX, y - c.y + c.sourceY);
        }));
    }
}

TEST(DrawingBitmaps, StretchTransparentDoublesThePictureAndItsHolesAlike)
{
    const Dib picture(16, 16, HoledColor);
    Canvas canvas(40, 40, red);
    Drawing painter(nullptr);
    painter.Attach(canvas.Dc());
    painter.StretchTransparent(3, 4, 32, 32, picture.Handle());
    EXPECT_TRUE(PixelsMatch(canvas, [](int x, int y) {
        if (!Inside(x, y, 3, 4, 32, 32))
            return red;
        return HoledOverRed((x - 3) / 2, (y - 4) / 2);
    }));
}

TEST(DrawingBitmaps, StretchTransparentWithoutAWidthOrHeightDrawsThePictureAtItsOwnSize)
{
    struct Case {
        int width, height;
    };
    const Case cases[] = {{0, 0}, {0, 30}, {30, 0}};
    const Dib picture(16, 16, HoledColor);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        Canvas canvas(40, 40, red);
        Drawing painter(nullptr);
        painter.Attach(canvas.Dc());
        painter.StretchTransparent(6, 2, c.width, c.height, picture.Handle());
        EXPECT_TRUE(PixelsMatch(canvas, [](int x, int y) {
            if (!Inside(x, y, 6, 2, 16, 16))
                return red;
            return HoledOverRed(x - 6, y - 2);
        }));
    }
}

TEST(DrawingBitmaps, LeaveThePictureFreeToBeSelectedElsewhere)
{
    const Dib picture(16, 16, HoledColor);
    Canvas canvas(40, 40, red);
    Drawing painter(nullptr);
    painter.Attach(canvas.Dc());
    const std::function<void()> operations[] = {
        [&] { painter.Blit(0, 0, 16, 16, picture.Handle(), 0, 0); },
        [&] { painter.BlitTransparent(0, 0, 16, 16, picture.Handle(), 0, 0); },
        [&] { painter.StretchTransparent(0, 0, 32, 32, picture.Handle()); },
    };
    for (const auto& operation : operations) {
        operation();
        // A bitmap still selected into a leftover context could not be selected here.
        const MemoryDC other(nullptr);
        const ScopedSelect selection(other.Get(), picture.Handle());
        EXPECT_TRUE(selection);
    }
}

// --- Failure reports ------------------------------------------------------------------------

TEST(DrawingFailures, EveryFailedStepIsReportedAndDrawingGoesOn)
{
    struct Case {
        const char* name;
        int reports;
        void (*draw)(Drawing& painter, HBITMAP picture);
    };
    const Case cases[] = {
        // The memory context, then the transfer from it.
        {"Blit", 2, [](Drawing& painter, HBITMAP picture) { painter.Blit(0, 0, 16, 16, picture, 0, 0); }},
        // Both memory contexts, the copy into the mask, and the two transfers.
        {"BlitTransparent", 5,
         [](Drawing& painter, HBITMAP picture) { painter.BlitTransparent(0, 0, 16, 16, picture, 0, 0); }},
        {"StretchTransparent", 5,
         [](Drawing& painter, HBITMAP picture) { painter.StretchTransparent(0, 0, 32, 32, picture); }},
        {"StretchTransparent at own size", 5,
         [](Drawing& painter, HBITMAP picture) { painter.StretchTransparent(0, 0, 0, 0, picture); }},
    };
    const Dib picture(16, 16, UniqueColor);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // An old-style metafile records drawing but cannot have memory contexts: every memory
        // context and every transfer from one fails.
        const HDC recorder = ::CreateMetaFileW(nullptr);
        ASSERT_NE(recorder, nullptr);
        {
            CountingDrawing painter(nullptr);
            painter.Attach(recorder);
            c.draw(painter, picture.Handle());
            EXPECT_EQ(painter.failures, c.reports);
            painter.FillBox(2, 3, 10, 6, green);
        }
        const HMETAFILE recording = ::CloseMetaFile(recorder);
        Canvas played(20, 20, blue);
        ::PlayMetaFile(played.Dc(), recording);
        ::DeleteMetaFile(recording);
        // The failed transfers left nothing behind and the box after them was drawn.
        EXPECT_TRUE(PixelsMatch(played, [](int x, int y) { return Inside(x, y, 2, 3, 9, 5) ? green : blue; }));

        Canvas canvas(40, 40, blue);
        CountingDrawing healthy(nullptr);
        healthy.Attach(canvas.Dc());
        c.draw(healthy, picture.Handle());
        EXPECT_EQ(healthy.failures, 0);
    }
}

TEST(DrawingFailures, FailedOperationsReleaseWhatTheyMade)
{
    const Dib picture(16, 16, UniqueColor);
    const HDC recorder = ::CreateMetaFileW(nullptr);
    ASSERT_NE(recorder, nullptr);
    {
        CountingDrawing painter(nullptr);
        painter.Attach(recorder);
        const auto round = [&] {
            painter.Blit(0, 0, 16, 16, picture.Handle(), 0, 0);
            painter.BlitTransparent(0, 0, 16, 16, picture.Handle(), 0, 0);
            painter.StretchTransparent(0, 0, 32, 32, picture.Handle());
            painter.StretchTransparent(0, 0, 0, 0, picture.Handle());
        };
        round();
        const int before = CountLiveGdiObjects();
        for (int i = 0; i < 1000; ++i)
            round();
        EXPECT_EQ(CountLiveGdiObjects(), before);
        EXPECT_GT(painter.failures, 1000);
    }
    ::DeleteMetaFile(::CloseMetaFile(recorder));
}

// --- Text -----------------------------------------------------------------------------------

// Where a WriteText call draws: its point and, when both are non-zero, its rectangle's size.
struct TextCall {
    int x, y, width, height;
};

TEST(DrawingText, OnlyTheFirst1023CharactersAreDrawn)
{
    FontSpec font("Lucida Console", 10);
    // Lines of 30 characters and a line break, 31 code units each: the cut falls just after a
    // line break, so the 1024th character would start a line of its own.
    std::wstring lines;
    while (lines.size() < 1500)
        lines += std::wstring(30, L'W') + L'\n';
    lines.resize(1500);
    // One line: the cut falls between the W's and the X's.
    const std::wstring row = std::wstring(1023, L'W') + std::wstring(477, L'X');

    struct Case {
        const char* name;
        const std::wstring& text;
        TextCall call;
    };
    const Case cases[] = {
        {"clipped to a rectangle", lines, {2, 2, 4000, 4000}},
        {"unclipped at a point", row, {2, 2, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SIZE extent{};
        {
            const MemoryDC measure(nullptr);
            const ScopedSelect selection(measure.Get(), font.GetHandle());
            RECT bounds{0, 0, 0, 0};
            ::DrawTextW(measure.Get(), c.text.c_str(), static_cast<int>(c.text.size()), &bounds, DT_CALCRECT);
            extent = {bounds.right + 10, bounds.bottom + 10};
        }
        // The same text drawn straight with GDI, cut where the test says.
        const auto drawDirectly = [&](std::size_t length, Canvas& canvas) {
            const ScopedSelect selection(canvas.Dc(), font.GetHandle());
            ::SetBkMode(canvas.Dc(), TRANSPARENT);
            ::SetTextColor(canvas.Dc(), white);
            const int count = static_cast<int>(length);
            if (c.call.width != 0) {
                RECT box{c.call.x, c.call.y, c.call.x + c.call.width, c.call.y + c.call.height};
                ::DrawTextW(canvas.Dc(), c.text.c_str(), count, &box, DT_LEFT);
            } else {
                ::TextOutW(canvas.Dc(), c.call.x, c.call.y, c.text.c_str(), count);
            }
        };
        Canvas written(extent.cx, extent.cy, black);
        Canvas cut(extent.cx, extent.cy, black);
        Canvas uncut(extent.cx, extent.cy, black);
        {
            Drawing painter(nullptr);
            painter.Attach(written.Dc());
            painter.WriteText(c.call.x, c.call.y, c.call.width, c.call.height, c.text, white, &font, 0);
        }
        drawDirectly(1023, cut);
        drawDirectly(c.text.size(), uncut);
        EXPECT_TRUE(SamePixels(written, cut));
        // The canvas is large enough to show what the cut leaves out.
        EXPECT_FALSE(SamePixels(uncut, cut));
    }
}

TEST(DrawingText, NoWidthOrNoHeightDrawsUnclippedFromTheGivenPoint)
{
    FontSpec font("Lucida Console", 20);
    struct Case {
        int width, height;
        bool clipped;
    };
    const Case cases[] = {{0, 6, false}, {6, 0, false}, {0, 0, false}, {6, 6, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        Canvas canvas(160, 60, black);
        Drawing painter(nullptr);
        painter.Attach(canvas.Dc());
        painter.WriteText(30, 20, c.width, c.height, std::wstring(L"WWWW"), white, &font, 2);
        const RECT ink = canvas.InkBounds(black);
        ASSERT_FALSE(::IsRectEmpty(&ink));
        EXPECT_GE(ink.left, 30);
        EXPECT_GE(ink.top, 20);
        if (c.clipped) {
            EXPECT_LE(ink.right, 36);
            EXPECT_LE(ink.bottom, 26);
        } else {
            EXPECT_GT(ink.right, 36 + 20);
            EXPECT_GT(ink.bottom, 26);
        }
    }
}

TEST(DrawingText, AlignsLeftRightOrCentredButAlwaysAtTheTop)
{
    FontSpec font("Lucida Console", 16);
    enum class Side { left, right, centre };
    struct Case {
        int align;
        Side side;
    };
    const Case cases[] = {{0, Side::left}, {1, Side::right}, {2, Side::centre}, {7, Side::left}, {-1, Side::left}};
    constexpr int boxLeft = 20, boxTop = 10, boxWidth = 90, boxHeight = 60;
    for (const Case& c : cases) {
        SCOPED_TRACE("align " + std::to_string(c.align));
        Canvas canvas(140, 90, black);
        Drawing painter(nullptr);
        painter.Attach(canvas.Dc());
        painter.WriteText(boxLeft, boxTop, boxWidth, boxHeight, std::wstring(L"WW"), white, &font, c.align);
        const int lineHeight = painter.FontHeight(&font);
        const RECT ink = canvas.InkBounds(black);
        ASSERT_FALSE(::IsRectEmpty(&ink));
        const int leftMargin = ink.left - boxLeft;
        const int rightMargin = boxLeft + boxWidth - ink.right;
        EXPECT_GE(leftMargin, 0);
        EXPECT_GE(rightMargin, 0);
        switch (c.side) {
        case Side::left:
            EXPECT_LE(leftMargin, 2);
            EXPECT_GT(rightMargin, leftMargin + 10);
            break;
        case Side::right:
            EXPECT_LE(rightMargin, 2);
            EXPECT_GT(leftMargin, rightMargin + 10);
            break;
        case Side::centre:
            EXPECT_LE(std::abs(leftMargin - rightMargin), 2);
            break;
        }
        // Top-aligned: within the first line, well above where a centred line would start.
        EXPECT_GE(ink.top, boxTop);
        EXPECT_LE(ink.bottom, boxTop + lineHeight);
        EXPECT_LT(ink.bottom, boxTop + boxHeight / 2);
    }
}

TEST(DrawingText, DrawsOnlyTheGlyphsInTheColourAndRestoresTheContext)
{
    FontSpec font("Lucida Console", 24);
    const TextCall calls[] = {{4, 4, 150, 40}, {4, 4, 0, 0}};
    for (const TextCall& call : calls) {
        SCOPED_TRACE(call.width ? "in a rectangle" : "at a point");
        Canvas canvas(160, 50, blue);
        // Opaque white behind text unless the painter makes it transparent.
        ::SetBkMode(canvas.Dc(), OPAQUE);
        ::SetBkColor(canvas.Dc(), white);
        const COLORREF previousColor = ::SetTextColor(canvas.Dc(), RGB(1, 2, 3));
        const HGDIOBJ previousFont = ::GetCurrentObject(canvas.Dc(), OBJ_FONT);
        Drawing painter(nullptr);
        painter.Attach(canvas.Dc());
        painter.WriteText(call.x, call.y, call.width, call.height, std::wstring(L"Wide Mix"), red, &font, 0);

        EXPECT_EQ(::GetTextColor(canvas.Dc()), RGB(1, 2, 3));
        EXPECT_EQ(::GetCurrentObject(canvas.Dc(), OBJ_FONT), previousFont);
        EXPECT_EQ(::GetBkMode(canvas.Dc()), TRANSPARENT);
        ::SetTextColor(canvas.Dc(), previousColor);

        // Glyph pixels blend red into blue; no green means no white background anywhere.
        bool pureRed = false;
        for (int y = 0; y < canvas.Height(); ++y) {
            for (int x = 0; x < canvas.Width(); ++x) {
                const COLORREF pixel = canvas.At(x, y);
                ASSERT_EQ(GetGValue(pixel), 0) << "at " << x << ", " << y << ": " << Hex(pixel);
                pureRed = pureRed || pixel == red;
            }
        }
        EXPECT_TRUE(pureRed);
    }
}

TEST(DrawingText, UsesTheGivenFont)
{
    FontSpec small("Lucida Console", 12);
    FontSpec large("Lucida Console", 36);
    const auto inkHeight = [](FontSpec* font) {
        Canvas canvas(200, 60, black);
        Drawing painter(nullptr);
        painter.Attach(canvas.Dc());
        painter.WriteText(2, 2, 190, 55, std::wstring(L"WW"), white, font, 0);
        const RECT ink = canvas.InkBounds(black);
        return ink.bottom - ink.top;
    };
    const int smallHeight = inkHeight(&small);
    EXPECT_GT(smallHeight, 0);
    EXPECT_GT(inkHeight(&large), smallHeight * 2);
    // Without a font the context's own is used.
    EXPECT_GT(inkHeight(nullptr), 0);
}

TEST(DrawingText, NarrowTextIsReadByteForByte)
{
    FontSpec font("Lucida Console", 24);
    const auto draw = [&font](Canvas& canvas, const auto& text) {
        Drawing painter(nullptr);
        painter.Attach(canvas.Dc());
        painter.WriteText(2, 2, 100, 40, text, white, &font, 0);
    };
    Canvas narrow(110, 45, black);
    Canvas wide(110, 45, black);
    Canvas plain(110, 45, black);
    draw(narrow, std::string("Vuoi \xF2 \xE8"));
    draw(wide, std::wstring(L"Vuoi \u00F2 \u00E8"));
    draw(plain, std::wstring(L"Vuoi o e"));
    EXPECT_TRUE(SamePixels(narrow, wide));
    EXPECT_FALSE(SamePixels(narrow, plain));
}

TEST(DrawingText, FontHeightIsTheLineHeightOfTheFontInTheContext)
{
    FontSpec font("Lucida Console", 20);
    FontSpec taller("Lucida Console", 40);
    Canvas canvas(10, 10, black);
    Drawing painter(nullptr);
    EXPECT_EQ(painter.FontHeight(&font), -1);

    painter.Attach(canvas.Dc());
    EXPECT_EQ(painter.FontHeight(nullptr), -1);
    const HGDIOBJ previousFont = ::GetCurrentObject(canvas.Dc(), OBJ_FONT);
    const int height = painter.FontHeight(&font);
    EXPECT_EQ(::GetCurrentObject(canvas.Dc(), OBJ_FONT), previousFont);

    TEXTMETRICW metrics{};
    {
        const MemoryDC other(nullptr);
        const ScopedSelect selection(other.Get(), font.GetHandle());
        ASSERT_TRUE(::GetTextMetricsW(other.Get(), &metrics));
    }
    EXPECT_EQ(height, metrics.tmHeight);
    EXPECT_GT(painter.FontHeight(&taller), height);
}

// --- Measurements on a window ---------------------------------------------------------------

TEST(DrawingMeasurements, CannotMeasureWithoutAWindow)
{
    TestWindow element(100, 50);
    EXPECT_EQ(VantorUtility::TextLineHeight(&element), -1);
    EXPECT_EQ(VantorUtility::TextWidth(&element, L"Punteggio"), -1);
    EXPECT_EQ(VantorUtility::TextWidth(&element, L""), -1);
}

TEST(DrawingMeasurements, MeasureInTheWindowsOwnFont)
{
    TestWindow element(100, 50);
    element.Create();
    ASSERT_TRUE(element.created);

    TEXTMETRICW metrics{};
    {
        const VantorUtility::WindowDC window(element.windowHandle);
        ASSERT_TRUE(::GetTextMetricsW(window.Get(), &metrics));
    }
    const int lineHeight = VantorUtility::TextLineHeight(&element);
    EXPECT_GT(lineHeight, 0);
    EXPECT_EQ(lineHeight, metrics.tmHeight);

    const int empty = VantorUtility::TextWidth(&element, L"");
    const int one = VantorUtility::TextWidth(&element, L"W");
    const int two = VantorUtility::TextWidth(&element, L"WW");
    const int sentence = VantorUtility::TextWidth(&element, L"Punteggio: 100");
    EXPECT_EQ(empty, 0);
    EXPECT_GT(one, 0);
    EXPECT_GT(two, one);
    EXPECT_GT(sentence, two);
    // A character narrower than a line is high still measures its width.
    for (const wchar_t* narrow : {L".", L"i", L"!"}) {
        const int width = VantorUtility::TextWidth(&element, narrow);
        EXPECT_GT(width, 0) << narrow;
        EXPECT_LT(width, lineHeight) << narrow;
    }

    // The element's font is not selected for the measurement.
    FontSpec huge("Lucida Console", 60);
    element.font = &huge;
    EXPECT_EQ(VantorUtility::TextLineHeight(&element), lineHeight);
    EXPECT_EQ(VantorUtility::TextWidth(&element, L"Punteggio: 100"), sentence);
    element.font = nullptr;
}

// --- Contexts: none, borrowed, a real paint -------------------------------------------------

TEST(DrawingContexts, EveryOperationDoesNothingWithoutAContext)
{
    const Dib picture(16, 16, HoledColor);
    // Made but never used: an operation that reached for the font would create its handle.
    FontSpec font("Lucida Console", 14);
    const int before = CountLiveGdiObjects();
    {
        CountingDrawing painter(nullptr);
        painter.WriteText(0, 0, 50, 20, std::wstring(L"text"), red, &font, 0);
        painter.WriteText(0, 0, 0, 0, std::string("text"), red, &font, 2);
        EXPECT_EQ(painter.FontHeight(&font), -1);
        painter.FillBox(0, 0, 10, 10, red);
        painter.FrameBox(0, 0, 10, 10, red);
        painter.Blit(0, 0, 16, 16, picture.Handle(), 0, 0);
        painter.BlitTransparent(0, 0, 16, 16, picture.Handle(), 0, 0);
        painter.StretchTransparent(0, 0, 32, 32, picture.Handle());
        painter.StretchTransparent(0, 0, 0, 0, picture.Handle());
        painter.End();
        painter.End();
        EXPECT_EQ(painter.dc, nullptr);
        EXPECT_EQ(painter.failures, 0);
    }
    EXPECT_EQ(font.handle, nullptr);
    EXPECT_EQ(CountLiveGdiObjects(), before);
}

TEST(DrawingContexts, EndingABorrowedContextOnlyForgetsIt)
{
    Canvas canvas(20, 20, blue);
    {
        Drawing painter(nullptr);
        painter.Attach(canvas.Dc());
        EXPECT_TRUE(painter.borrowed);
        EXPECT_EQ(painter.dc, canvas.Dc());
        painter.End();
        EXPECT_EQ(painter.dc, nullptr);
        EXPECT_FALSE(painter.borrowed);
        painter.End();
        painter.Attach(canvas.Dc());
    }
    // Neither End nor the destructor let go of the context: it still draws.
    EXPECT_EQ(::GetObjectType(canvas.Dc()), static_cast<DWORD>(OBJ_MEMDC));
    Drawing painter(nullptr);
    painter.Attach(canvas.Dc());
    painter.FillBox(0, 0, 11, 11, red);
    EXPECT_TRUE(PixelsMatch(canvas, [](int x, int y) { return Inside(x, y, 0, 0, 10, 10) ? red : blue; }));
}

TEST(DrawingContexts, PaintsAWindowBetweenBeginAndEnd)
{
    const Dib picture(16, 16, HoledColor);
    FontSpec font("Lucida Console", 14);
    TestWindow window(120, 80);
    bool began = false;
    bool ended = false;
    window.paintHandler = [&](TestWindow& element) {
        Drawing painter(&element);
        painter.Begin();
        began = painter.dc != nullptr;
        painter.FillBox(0, 0, element.width + 1, element.height + 1, green);
        {
            // An item painter on the same context, as an owner-drawn button has: its end must
            // not end this paint.
            Drawing item(&element);
            item.Attach(painter.dc);
            item.End();
        }
        painter.BlitTransparent(10, 10, 16, 16, picture.Handle(), 0, 0);
        painter.WriteText(40, 40, 70, 30, std::wstring(L"WW"), red, &font, 0);
        painter.End();
        ended = painter.dc == nullptr;
        painter.End();
    };
    window.Create();
    ASSERT_TRUE(window.created);
    window.Repaint();
    EXPECT_GE(window.paints, 1);
    EXPECT_TRUE(began);
    EXPECT_TRUE(ended);
    // Painted and validated: nothing is left for another paint message.
    EXPECT_FALSE(::GetUpdateRect(window.windowHandle, nullptr, FALSE));

    Canvas shown(120, 80, blue);
    ReadWindow(window, shown);
    bool textInked = false;
    for (int y = 0; y < shown.Height(); ++y) {
        for (int x = 0; x < shown.Width(); ++x) {
            const COLORREF pixel = shown.At(x, y);
            if (Inside(x, y, 10, 10, 16, 16)) {
                const COLORREF source = HoledColor(x - 10, y - 10);
                ASSERT_EQ(pixel, source == black ? green : source) << "at " << x << ", " << y;
            } else if (Inside(x, y, 40, 40, 70, 30)) {
                textInked = textInked || GetRValue(pixel) > 0;
            } else {
                ASSERT_EQ(pixel, green) << "at " << x << ", " << y;
            }
        }
    }
    EXPECT_TRUE(textInked);
}

// --- GDI objects live for one operation -----------------------------------------------------

TEST(DrawingResources, AThousandRoundsOfEachOperationLeaveNoGdiObjectBehind)
{
    const Dib picture(16, 16, HoledColor);
    FontSpec font("Lucida Console", 14);
    TestWindow window(100, 50);
    window.Create();
    ASSERT_TRUE(window.created);
    Canvas canvas(64, 64, blue);
    Drawing painter(nullptr);
    painter.Attach(canvas.Dc());

    struct Case {
        const char* name;
        std::function<void()> operation;
    };
    const Case cases[] = {
        {"FillBox", [&] { painter.FillBox(1, 2, 30, 20, red); }},
        {"FrameBox", [&] { painter.FrameBox(1, 2, 30, 20, red); }},
        {"Blit", [&] { painter.Blit(1, 2, 16, 16, picture.Handle(), 0, 0); }},
        {"BlitTransparent", [&] { painter.BlitTransparent(1, 2, 8, 8, picture.Handle(), 4, 4); }},
        {"StretchTransparent", [&] { painter.StretchTransparent(1, 2, 32, 32, picture.Handle()); }},
        {"StretchTransparent at own size", [&] { painter.StretchTransparent(1, 2, 0, 0, picture.Handle()); }},
        {"WriteText in a rectangle", [&] { painter.WriteText(1, 2, 60, 20, std::wstring(L"Punteggio"), red, &font, 2); }},
        {"WriteText at a point", [&] { painter.WriteText(1, 2, 0, 0, std::string("Puntata: 1"), red, &font, 0); }},
        {"FontHeight", [&] { painter.FontHeight(&font); }},
        {"TextLineHeight", [&] { VantorUtility::TextLineHeight(&window); }},
        {"TextWidth", [&] { VantorUtility::TextWidth(&window, L"Punteggio: 100"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The first round makes what is cached for good (the font handle, Wine's contexts).
        c.operation();
        const int before = CountLiveGdiObjects();
        for (int round = 0; round < 1000; ++round)
            c.operation();
        EXPECT_EQ(CountLiveGdiObjects(), before);
    }
}

TEST(DrawingResources, AThousandPaintsOfAWindowLeaveNoGdiObjectBehind)
{
    const Dib picture(16, 16, HoledColor);
    FontSpec font("Lucida Console", 14);
    TestWindow window(120, 80);
    window.paintHandler = [&](TestWindow& element) {
        Drawing painter(&element);
        painter.Begin();
        painter.FillBox(0, 0, element.width + 1, element.height + 1, green);
        painter.BlitTransparent(10, 10, 16, 16, picture.Handle(), 0, 0);
        painter.WriteText(40, 40, 70, 30, std::wstring(L"Rilancia"), red, &font, 2);
        painter.End();
    };
    window.Create();
    ASSERT_TRUE(window.created);
    window.Repaint();
    const int paintsBefore = window.paints;
    const int before = CountLiveGdiObjects();
    for (int round = 0; round < 1000; ++round)
        window.Repaint();
    EXPECT_EQ(window.paints, paintsBefore + 1000);
    EXPECT_EQ(CountLiveGdiObjects(), before);
}

// --- Picture files --------------------------------------------------------------------------

// Writes an uncompressed 24-bit bottom-up BMP file of the pattern.
bool WriteBmpFile(const std::wstring& path, int width, int height, const Pattern& pattern)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    std::vector<unsigned char> bytes(reinterpret_cast<const unsigned char*>(&file),
                                     reinterpret_cast<const unsigned char*>(&file) + sizeof(file));
    bytes.insert(bytes.end(), reinterpret_cast<const unsigned char*>(&header),
                 reinterpret_cast<const unsigned char*>(&header) + sizeof(header));
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x) {
            const COLORREF color = pattern(x, row);
            bytes.push_back(GetBValue(color));
            bytes.push_back(GetGValue(color));
            bytes.push_back(GetRValue(color));
        }
        bytes.resize(bytes.size() + static_cast<std::size_t>(stride - width * 3), 0);
    }
    const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(handle);
    return ok && written == bytes.size();
}

std::wstring TempPath(const wchar_t* name)
{
    wchar_t directory[MAX_PATH];
    const DWORD length = ::GetTempPathW(MAX_PATH, directory);
    return std::wstring(directory, length) + name + L"-" + std::to_wstring(::GetCurrentProcessId()) + L".bmp";
}

TEST(DrawingPictures, LoadPictureFileGivesADibSectionOfTheFilesSizeAndPixels)
{
    const std::wstring path = TempPath(L"vantor-drawing-picture");
    // An odd width, so the rows carry padding.
    ASSERT_TRUE(WriteBmpFile(path, 7, 5, UniqueColor));
    const OwnedBitmap loaded(VantorUtility::LoadPictureFile(VantorUtility::NarrowText(path)));
    ::DeleteFileW(path.c_str());
    ASSERT_TRUE(loaded);

    DIBSECTION section{};
    ASSERT_EQ(::GetObjectW(loaded.Get(), sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBm.bmWidth, 7);
    EXPECT_EQ(section.dsBm.bmHeight, 5);

    Canvas canvas(10, 8, blue);
    Drawing painter(nullptr);
    painter.Attach(canvas.Dc());
    painter.Blit(0, 0, 7, 5, loaded.Get(), 0, 0);
    EXPECT_TRUE(PixelsMatch(canvas, [](int x, int y) { return Inside(x, y, 0, 0, 7, 5) ? UniqueColor(x, y) : blue; }));
}

TEST(DrawingPictures, LoadPictureFileOfAMissingFileGivesNone)
{
    const std::wstring path = TempPath(L"vantor-drawing-missing");
    ::DeleteFileW(path.c_str());
    EXPECT_EQ(VantorUtility::LoadPictureFile(VantorUtility::NarrowText(path)), nullptr);
}

} // namespace
