// Forms: window classes and ids, creation-time build, styles, geometry, icons, closing and the loop.
#include "GdiObjectCount.h"
#include "MessagePump.h"
#include "TestElements.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace VantorUtility;
using VantorTest::NativeControl;
using VantorTest::PumpMessages;
using VantorTest::RecordingForm;

namespace {

std::wstring ClassNameOf(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

COLORREF ClassBrushColor(HWND window, bool* solid)
{
    auto brush = reinterpret_cast<HBRUSH>(::GetClassLongPtrW(window, GCLP_HBRBACKGROUND));
    LOGBRUSH description{};
    ::GetObjectW(brush, sizeof(description), &description);
    *solid = description.lbStyle == BS_SOLID;
    return description.lbColor;
}

COLORREF ClientPixel(HWND window, int x, int y)
{
    HDC dc = ::GetDC(window);
    const COLORREF color = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return color;
}

} // namespace

TEST(Form, ClassNamesAndIdsFollowTheElementCounter)
{
    nextElementId = 0;
    RecordingForm first;
    first.Create();
    EXPECT_EQ(ClassNameOf(first.windowHandle), L"Window0");
    EXPECT_EQ(first.id, 1);

    std::vector<std::unique_ptr<NativeControl>> controls;
    for (int i = 0; i < 20; ++i) {
        controls.push_back(std::make_unique<NativeControl>(&first, L"static"));
        controls.back()->Create();
    }
    EXPECT_EQ(controls.back()->id, 21);

    RecordingForm second;
    second.Create();
    EXPECT_EQ(ClassNameOf(second.windowHandle), L"Window21");
    EXPECT_EQ(second.id, 22);
}

TEST(Form, BuildsItsChildrenInsideTheCreationMessageOnce)
{
    struct BuildingForm : RecordingForm {
        std::unique_ptr<NativeControl> child;
        void OnCreate() override
        {
            RecordingForm::OnCreate();
            child = std::make_unique<NativeControl>(this, L"static");
            child->SetText("inside");
            child->Create();
        }
    } form;
    form.SetSize(300, 200);
    form.Create();

    EXPECT_EQ(form.createCalls, 1) << "HandleCreate runs twice but raises onCreate once";
    EXPECT_EQ(form.handleSeenAtCreate, form.windowHandle) << "the creation message stored the handle";
    EXPECT_FALSE(form.createdFlagAtCreate) << "children are built before the form counts as created";
    EXPECT_TRUE(form.created);
    ASSERT_NE(form.child->windowHandle, nullptr);
    EXPECT_EQ(::GetParent(form.child->windowHandle), form.windowHandle);
    EXPECT_TRUE(::IsWindowVisible(form.windowHandle));

    form.HandleCreate(reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(form.createCalls, 1);
    EXPECT_EQ(form.handleSeenAtCreate, form.windowHandle) << "a later handle never replaces the first";
}

TEST(Form, ClassBrushFollowsTheBackColourSetBeforeCreation)
{
    RecordingForm black;
    black.SetBackColor(RGB(0, 0, 0));
    EXPECT_FALSE(black.backColorApplied) << "a colour set before the window exists is only stored";
    black.Create();
    bool solid = false;
    EXPECT_EQ(ClassBrushColor(black.windowHandle, &solid), RGB(0, 0, 0));
    EXPECT_TRUE(solid);

    RecordingForm plain;
    plain.Create();
    EXPECT_EQ(reinterpret_cast<HBRUSH>(::GetClassLongPtrW(plain.windowHandle, GCLP_HBRBACKGROUND)),
              ::GetSysColorBrush(COLOR_BTNFACE));
}

TEST(Form, BackColourOnALiveWindowIsPaintedAtOnceAndOnEveryPaint)
{
    RecordingForm form;
    form.SetBackColor(RGB(0, 0, 0));
    form.SetSize(200, 150);
    form.SetPosition(20, 20);
    form.Create();
    PumpMessages();
    ASSERT_EQ(ClientPixel(form.windowHandle, 10, 10), RGB(0, 0, 0));

    form.SetBackColor(RGB(255, 0, 0));
    EXPECT_TRUE(form.backColorApplied);
    EXPECT_EQ(ClientPixel(form.windowHandle, 10, 10), RGB(255, 0, 0)) << "painted before any paint message";

    // An erasing repaint fills with the black class brush; the paint handler puts red back.
    ::InvalidateRect(form.windowHandle, nullptr, TRUE);
    ::UpdateWindow(form.windowHandle);
    EXPECT_EQ(ClientPixel(form.windowHandle, 10, 10), RGB(255, 0, 0));

    form.backColorApplied = false;
    ::InvalidateRect(form.windowHandle, nullptr, TRUE);
    ::UpdateWindow(form.windowHandle);
    EXPECT_EQ(ClientPixel(form.windowHandle, 10, 10), RGB(0, 0, 0));
}

TEST(Form, RepaintingAColouredFormLeavesNoGdiObjectsBehind)
{
    RecordingForm form;
    form.SetBackColor(RGB(0, 0, 0));
    form.Create();
    form.SetBackColor(RGB(0, 128, 0));
    // Wine sets up its device-context caches on the first paints.
    for (int i = 0; i < 10; ++i) {
        ::InvalidateRect(form.windowHandle, nullptr, TRUE);
        ::UpdateWindow(form.windowHandle);
    }
    const int before = VantorTest::CountLiveGdiObjects();
    for (int i = 0; i < 1000; ++i) {
        ::InvalidateRect(form.windowHandle, nullptr, TRUE);
        ::UpdateWindow(form.windowHandle);
    }
    EXPECT_EQ(VantorTest::CountLiveGdiObjects(), before);
    EXPECT_EQ(ClientPixel(form.windowHandle, 3, 3), RGB(0, 128, 0));
}

TEST(Form, WindowStylesFollowTheFrameSettings)
{
    struct Case {
        const char* name;
        bool dialog;
        bool minimizeBox;
        bool resizable;
        bool captioned;
        bool topMost;
        bool modalFrame;
        DWORD style;
        DWORD extendedStyle;
    };
    const Case cases[] = {
        {"main window of the game", false, true, false, true, true, false, 0x10CA0000, 0},
        {"about box", true, false, false, true, true, true, 0x10C80080, 0x00000089},
        {"dialog, not topmost", true, true, true, true, false, false, 0x10C90000, 0x00000081},
        {"resizable main window", false, true, true, true, true, false, 0x10CF0000, 0},
        {"pop-up", false, true, true, false, true, false, WS_POPUP | WS_VISIBLE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Form> form = c.dialog ? std::make_unique<Form>(::GetModuleHandleW(nullptr), DialogWindow{})
                                              : std::make_unique<Form>(::GetModuleHandleW(nullptr));
        form->minimizeBox = c.minimizeBox;
        form->resizable = c.resizable;
        form->captioned = c.captioned;
        form->topMost = c.topMost;
        form->modalFrame = c.modalFrame;
        form->Create();
        const auto style = static_cast<DWORD>(::GetWindowLongW(form->windowHandle, GWL_STYLE));
        const auto extended = static_cast<DWORD>(::GetWindowLongW(form->windowHandle, GWL_EXSTYLE));
        // The system adds clip and border bits of its own; compare the bits the form asks for.
        const DWORD frameBits = WS_POPUP | WS_VISIBLE | WS_DISABLED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME
                                | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | 0x80;
        EXPECT_EQ(style & frameBits, c.style);
        const DWORD extendedBits = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
        EXPECT_EQ(extended & extendedBits, c.extendedStyle);
    }
}

TEST(Form, CenterOnScreenTruncatesTheHalves)
{
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);

    Form before(::GetModuleHandleW(nullptr));
    before.SetSize(601, 301);
    before.CenterOnScreen();
    EXPECT_EQ(before.left, (screenWidth - 601) / 2);
    EXPECT_EQ(before.top, (screenHeight - 301) / 2);

    Form live(::GetModuleHandleW(nullptr));
    live.SetSize(600, 300);
    live.Create();
    live.CenterOnScreen();
    RECT bounds{};
    ::GetWindowRect(live.windowHandle, &bounds);
    EXPECT_EQ(bounds.left, (screenWidth - 600) / 2);
    EXPECT_EQ(bounds.top, (screenHeight - 300) / 2);
}

TEST(Form, SetClientSizeGivesExactlyTheClientAreaAskedFor)
{
    RecordingForm form;
    form.SetClientSize(640, 400);
    EXPECT_EQ(form.width, 100) << "without a window nothing changes";

    form.resizable = false;
    form.Create();
    HMENU bar = ::CreateMenu();
    ::AppendMenuW(bar, MF_STRING, 1, L"&File");
    ::SetMenu(form.windowHandle, bar);
    form.SetClientSize(640, 400);
    RECT client{};
    ::GetClientRect(form.windowHandle, &client);
    EXPECT_EQ(client.right - client.left, 640);
    EXPECT_EQ(client.bottom - client.top, 400);
    EXPECT_GT(form.resizeCalls, 0) << "onResize reaches the form's OnResize";
}

TEST(Form, SetIconSendsTheResourceIconAsTheSmallIcon)
{
    Form form(::GetModuleHandleW(nullptr));
    form.SetIcon(7);
    EXPECT_EQ(form.iconResource, 7);
    EXPECT_EQ(form.iconHandle, nullptr) << "nothing is loaded before the window exists";
    form.Create();
    form.SetIcon(7);
    EXPECT_EQ(form.iconHandle, nullptr) << "this test program has no icon resource";
    EXPECT_EQ(::SendMessageW(form.windowHandle, WM_GETICON, ICON_SMALL, 0), 0);
}

TEST(Form, CloseAnsweredNoKeepsTheWindowAndYesEndsTheLoop)
{
    PumpMessages(); // drop any quit message left by earlier main windows
    RecordingForm form;
    mainWindowHandle = nullptr;
    form.Create();
    ASSERT_EQ(mainWindowHandle, form.windowHandle);

    form.allowClose = false;
    EXPECT_EQ(::SendMessageW(form.windowHandle, WM_CLOSE, 0, 0), 1);
    EXPECT_TRUE(::IsWindow(form.windowHandle));
    EXPECT_EQ(form.closeQueries, 1);

    form.allowClose = true;
    ::PostMessageW(form.windowHandle, WM_CLOSE, 0, 0);
    RunMessageLoop(&form); // returns only once the main window is gone
    EXPECT_FALSE(::IsWindow(form.windowHandle));
    EXPECT_EQ(form.closeQueries, 2);
    mainWindowHandle = nullptr;
}

TEST(Form, DestroyingALiveFormAsksOnCloseAndDestroysTheWindow)
{
    int closeQueries = 0;
    HWND window = nullptr;
    {
        struct CountingForm : Form {
            int* queries;
            explicit CountingForm(int* counter) : Form(::GetModuleHandleW(nullptr)), queries(counter)
            {
                onClose = [](GUIElement* element) {
                    ++*static_cast<CountingForm*>(element)->queries;
                    return true;
                };
            }
        } form(&closeQueries);
        form.Create();
        window = form.windowHandle;
    }
    EXPECT_EQ(closeQueries, 1);
    EXPECT_FALSE(::IsWindow(window));
    PumpMessages();
}
