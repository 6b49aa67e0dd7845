// The window procedure: characters, Tab navigation, cursors, commands, hot keys, activation,
// mouse tracking and list-style notices, driven by real messages to real windows.
#include "MessagePump.h"
#include "TestElements.h"
#include "WindowProcedure.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

using namespace VantorUtility;
using VantorTest::CommandButton;
using VantorTest::NativeControl;
using VantorTest::PumpMessages;
using VantorTest::RecordingForm;

namespace {

// Holds Shift down in this thread's keyboard state, as GetKeyState sees it.
void SetShift(bool down)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

std::wstring TextOf(HWND window)
{
    wchar_t buffer[64] = {};
    ::GetWindowTextW(window, buffer, 64);
    return buffer;
}

} // namespace

TEST(WindowProcedure, CharacterAnsweredFalseNeverReachesTheEditControl)
{
    RecordingForm form;
    form.Create();
    NativeControl edit(&form, L"edit", ES_AUTOHSCROLL);
    edit.Create();
    edit.onChar = [](GUIElement*, int character) { return character != 'x'; };

    EXPECT_EQ(::SendMessageW(edit.windowHandle, WM_CHAR, 'x', 1), 1);
    EXPECT_EQ(TextOf(edit.windowHandle), L"");
    ::SendMessageW(edit.windowHandle, WM_CHAR, 'y', 1);
    EXPECT_EQ(TextOf(edit.windowHandle), L"y");
}

TEST(WindowProcedure, TabAndShiftTabWalkTheTabStopsOfTheContainer)
{
    RecordingForm form;
    form.SetSize(300, 200);
    form.Create();
    ::SetForegroundWindow(form.windowHandle);
    std::vector<std::unique_ptr<NativeControl>> edits;
    for (int i = 0; i < 3; ++i) {
        edits.push_back(std::make_unique<NativeControl>(&form, L"edit", WS_TABSTOP));
        edits.back()->SetPosition(10, 10 + 30 * i);
        edits.back()->SetSize(100, 24);
        edits.back()->Create();
    }
    NativeControl skipped(&form, L"static"); // no tab stop
    skipped.Create();

    struct Step {
        int from;
        bool shift;
        int to;
    };
    const Step steps[] = {{0, false, 1}, {1, false, 2}, {2, false, 0}, {0, true, 2}, {2, true, 1}};
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "from " << step.from << (step.shift ? " with shift" : ""));
        ::SetFocus(edits[step.from]->windowHandle);
        ASSERT_EQ(::GetFocus(), edits[step.from]->windowHandle);
        SetShift(step.shift);
        ::SendMessageW(edits[step.from]->windowHandle, WM_KEYDOWN, VK_TAB, 0);
        SetShift(false);
        EXPECT_EQ(::GetFocus(), edits[step.to]->windowHandle);
    }
}

TEST(WindowProcedure, HandCursorOnlyOverTheClientArea)
{
    RecordingForm form;
    form.Create();
    NativeControl cell(&form, L"static", SS_NOTIFY);
    cell.Create();
    const HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
    const HCURSOR wait = ::LoadCursorW(nullptr, IDC_WAIT);

    cell.SetHandCursor(true);
    cell.SetWaitCursor(true);
    ::SetCursor(nullptr);
    EXPECT_EQ(::SendMessageW(cell.windowHandle, WM_SETCURSOR, reinterpret_cast<WPARAM>(cell.windowHandle),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
    EXPECT_EQ(::GetCursor(), hand) << "the hand wins over the wait cursor";

    cell.SetHandCursor(false);
    ::SendMessageW(cell.windowHandle, WM_SETCURSOR, reinterpret_cast<WPARAM>(cell.windowHandle),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), wait);

    cell.SetHandCursor(true);
    ::SetCursor(nullptr);
    ::SendMessageW(form.windowHandle, WM_SETCURSOR, reinterpret_cast<WPARAM>(form.windowHandle),
                   MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
    EXPECT_NE(::GetCursor(), hand);
    form.SetHandCursor(true);
    ::SendMessageW(form.windowHandle, WM_SETCURSOR, reinterpret_cast<WPARAM>(form.windowHandle),
                   MAKELPARAM(HTBORDER, WM_MOUSEMOVE));
    EXPECT_NE(::GetCursor(), hand) << "outside the client area the system chooses";
}

TEST(WindowProcedure, ButtonClickRaisesOnCommandOnce)
{
    RecordingForm form;
    form.Create();
    CommandButton button(&form);
    button.SetText("GIOCA");
    button.Create();
    static int commands;
    static GUIElement* sender;
    commands = 0;
    button.onCommand = [](GUIElement* element) {
        ++commands;
        sender = element;
    };

    ::SendMessageW(button.windowHandle, BM_CLICK, 0, 0);
    EXPECT_EQ(commands, 1);
    EXPECT_EQ(sender, &button);

    // A notice from a control that issues no commands reaches nobody.
    NativeControl plain(&form, L"static");
    plain.Create();
    ::SendMessageW(form.windowHandle, WM_COMMAND, MAKEWPARAM(plain.id, 0), reinterpret_cast<LPARAM>(plain.windowHandle));
    EXPECT_EQ(commands, 1);
}

TEST(WindowProcedure, DestroyingTheMainWindowPostsQuit)
{
    PumpMessages();
    auto form = std::make_unique<RecordingForm>();
    mainWindowHandle = nullptr;
    form->Create();
    static int destroyed;
    destroyed = 0;
    form->onDestroy = [](GUIElement*) { return ++destroyed; };
    ::DestroyWindow(form->windowHandle);
    EXPECT_EQ(destroyed, 1);
    MSG message;
    EXPECT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    mainWindowHandle = nullptr;
}

namespace {

struct HotKeyLog {
    static inline std::vector<std::pair<Form*, UINT>> calls;
    static void Handler(Form* form, UINT, UINT key) { calls.emplace_back(form, key); }
};

} // namespace

TEST(WindowProcedure, HotKeyIdsOutsideTheListCallNoHandler)
{
    RecordingForm form;
    form.hotKeys.push_back({MOD_CONTROL, 'Q', HotKeyLog::Handler});
    form.hotKeys.push_back({MOD_CONTROL, 'W', HotKeyLog::Handler});
    form.Create();
    ::SetForegroundWindow(form.windowHandle);
    ASSERT_EQ(::GetForegroundWindow(), form.windowHandle);

    HotKeyLog::calls.clear();
    const WPARAM ids[] = {0, static_cast<WPARAM>(-1), 3, 100};
    for (WPARAM id : ids)
        ::SendMessageW(form.windowHandle, WM_HOTKEY, id, 0);
    EXPECT_TRUE(HotKeyLog::calls.empty());

    ::SendMessageW(form.windowHandle, WM_HOTKEY, 2, 0);
    ASSERT_EQ(HotKeyLog::calls.size(), 1u);
    EXPECT_EQ(HotKeyLog::calls[0].first, &form);
    EXPECT_EQ(HotKeyLog::calls[0].second, static_cast<UINT>('W'));
}

TEST(WindowProcedure, ActivationMovesTheHotKeysToTheForegroundForm)
{
    static std::vector<std::pair<GUIElement*, const char*>> events;
    events.clear();
    auto record = [](RecordingForm& form) {
        form.onActivate = [](GUIElement* element) { events.emplace_back(element, "activate"); return 0; };
        form.onDeactivate = [](GUIElement* element) { events.emplace_back(element, "deactivate"); return 0; };
        form.hotKeys.push_back({MOD_CONTROL | MOD_ALT, VK_F9, HotKeyLog::Handler});
    };
    RecordingForm a;
    RecordingForm b;
    record(a);
    record(b);
    a.Create();
    b.Create();

    ::SetForegroundWindow(a.windowHandle);
    ASSERT_EQ(::GetForegroundWindow(), a.windowHandle);
    events.clear();
    ::SendMessageW(a.windowHandle, WM_ACTIVATE, WA_ACTIVE, 0);
    ASSERT_EQ(activeForm, &a);
    ASSERT_EQ(events.size(), 2u) << "the active form itself is deactivated, then activated";
    EXPECT_EQ(events[0], std::make_pair(static_cast<GUIElement*>(&a), "deactivate"));
    EXPECT_EQ(events[1], std::make_pair(static_cast<GUIElement*>(&a), "activate"));
    EXPECT_FALSE(::RegisterHotKey(nullptr, 77, MOD_CONTROL | MOD_ALT, VK_F9)) << "a holds its hot key";

    ::SetForegroundWindow(b.windowHandle);
    ASSERT_EQ(::GetForegroundWindow(), b.windowHandle);
    ::SendMessageW(b.windowHandle, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(activeForm, &b);
    // b could register the same key only because a gave it up first.
    EXPECT_TRUE(::UnregisterHotKey(b.windowHandle, 1));
    EXPECT_FALSE(::UnregisterHotKey(a.windowHandle, 1));

    // A form that is not in the foreground only loses its keys; activeForm stays.
    events.clear();
    ::SendMessageW(a.windowHandle, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(activeForm, &b);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], std::make_pair(static_cast<GUIElement*>(&a), "deactivate"));
}

TEST(WindowProcedure, OneTrackingRequestPerEntry)
{
    RecordingForm form;
    form.Create();
    static int leaves;
    leaves = 0;
    form.onMouseLeave = [](GUIElement*) { return ++leaves; };
    mouseTracking = false;

    ::SendMessageW(form.windowHandle, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(mouseTracking);
    ::SendMessageW(form.windowHandle, WM_MOUSEMOVE, 0, MAKELPARAM(6, 6));
    EXPECT_TRUE(mouseTracking);
    ::SendMessageW(form.windowHandle, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(mouseTracking);
    EXPECT_EQ(leaves, 1);
    ::SendMessageW(form.windowHandle, WM_MOUSEMOVE, 0, MAKELPARAM(7, 7));
    EXPECT_TRUE(mouseTracking) << "the next move after a leave asks again";
    PumpMessages();
    mouseTracking = false;
}

TEST(WindowProcedure, MouseCoordinatesAreSigned)
{
    RecordingForm form;
    form.Create();
    static int seenX;
    static int seenY;
    form.onMouseDown = [](GUIElement*, HWND, int x, int y) {
        seenX = x;
        seenY = y;
        return 0;
    };
    ::SendMessageW(form.windowHandle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 40));
    EXPECT_EQ(seenX, -3);
    EXPECT_EQ(seenY, 40);
}

TEST(WindowProcedure, ListNoticesReachTheSendingElement)
{
    RecordingForm form;
    form.Create();
    struct NoticeControl : NativeControl {
        using NativeControl::NativeControl;
        std::vector<std::pair<int, std::vector<std::int32_t>>> notices;
        void HandleItemNotify(int noticeKind, const std::vector<std::int32_t>& values,
                              const std::vector<std::string>& strings) override
        {
            EXPECT_TRUE(strings.empty());
            notices.emplace_back(noticeKind, values);
        }
    } header(&form, WC_HEADERW);
    header.Create();

    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = 87;
    NMHEADERW notice{};
    notice.hdr.hwndFrom = header.windowHandle;
    notice.hdr.idFrom = static_cast<UINT_PTR>(header.id);
    notice.iItem = 2;
    notice.pitem = &item;
    const UINT codes[] = {HDN_ITEMCHANGEDW, HDN_ITEMCLICKW, NM_RCLICK, NM_CLICK};
    for (UINT code : codes) {
        notice.hdr.code = code;
        ::SendMessageW(form.windowHandle, WM_NOTIFY, header.id, reinterpret_cast<LPARAM>(&notice));
    }
    ASSERT_EQ(header.notices.size(), 3u) << "other codes are not passed on";
    EXPECT_EQ(header.notices[0], std::make_pair(1, std::vector<std::int32_t>{2, 87}));
    EXPECT_EQ(header.notices[1], std::make_pair(2, std::vector<std::int32_t>{2}));
    EXPECT_EQ(header.notices[2], std::make_pair(3, std::vector<std::int32_t>{}));
}
