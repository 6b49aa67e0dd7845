// Element base: registry lookups, stored-then-applied setters, text conversions, fonts, tooltips.
#include "MessagePump.h"
#include "TestElements.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdint>
#include <limits>
#include <memory>

using namespace VantorUtility;
using VantorTest::NativeControl;
using VantorTest::RecordingForm;

namespace {

// A form and one edit control on it, for tests that need a live child window.
struct LiveEdit {
    RecordingForm form;
    NativeControl edit{&form, L"edit", WS_TABSTOP | ES_AUTOHSCROLL};

    LiveEdit()
    {
        form.Create();
        edit.SetSize(120, 24);
        edit.SetPosition(10, 10);
        edit.Create();
    }
};

} // namespace

TEST(Registry, FindsElementsByWindowWithTheNewestElementRule)
{
    RecordingForm form;
    form.Create();
    NativeControl first(&form, L"static");
    first.Create();
    NativeControl second(&form, L"static");
    second.windowHandle = first.windowHandle;
    EXPECT_EQ(FindElementByWindow(first.windowHandle), &first) << "two elements, one handle: the older one";

    const HWND unknown = ::GetDesktopWindow();
    EXPECT_EQ(FindElementByWindow(unknown), nullptr) << "the newest element already has a window";
    NativeControl pending(&form, L"static");
    EXPECT_EQ(FindElementByWindow(unknown), &pending) << "a window being made belongs to the newest element";
}

TEST(Registry, ElementsLeaveTheRegistryWhenDestroyed)
{
    const std::size_t before = elementRegistry.size();
    auto form = std::make_unique<RecordingForm>();
    form->Create();
    const std::int32_t formId = form->id;
    EXPECT_EQ(elementRegistry.size(), before + 1);
    EXPECT_EQ(FindElementById(formId), form.get());
    form.reset();
    EXPECT_EQ(elementRegistry.size(), before);
    EXPECT_EQ(FindElementById(formId), nullptr);
}

TEST(Element, SettersOnlyStoreUntilTheWindowExists)
{
    RecordingForm form;
    NativeControl label(&form, L"static");
    FontSpec font("Arial", 14);
    label.SetSize(90, 30);
    label.SetPosition(7, 8);
    label.SetText("Blocca");
    label.SetBackColor(RGB(255, 255, 0));
    label.SetEnabled(false);
    label.SetFont(&font);
    label.Hide();

    EXPECT_EQ(label.windowHandle, nullptr);
    EXPECT_EQ(label.id, 0) << "ids are drawn when the window is made";
    EXPECT_EQ(label.GetSize().width, 90);
    EXPECT_EQ(label.GetPosition().left, 7);
    EXPECT_EQ(label.GetText(), "Blocca");
    EXPECT_EQ(label.backColor, RGB(255, 255, 0));
    EXPECT_FALSE(label.backColorApplied);
    EXPECT_TRUE(label.visible) << "Hide without a window changes nothing";
    EXPECT_EQ(font.handle, nullptr) << "the font is made on first use";

    form.Create();
    label.Create();
    EXPECT_GT(label.id, form.id);
    RECT bounds{};
    ::GetWindowRect(label.windowHandle, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 90);
    EXPECT_EQ(label.GetPosition().left, 7);
    EXPECT_EQ(::GetWindowTextLengthW(label.windowHandle), 6);

    label.SetSize(50, 20);
    label.SetPosition(30, 40);
    ::GetWindowRect(label.windowHandle, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 50);
    EXPECT_EQ(label.GetPosition().top, 40);
    label.Hide();
    EXPECT_FALSE(label.visible);
    EXPECT_FALSE(::IsWindowVisible(label.windowHandle));
    label.Show();
    EXPECT_TRUE(::IsWindowVisible(label.windowHandle));
}

TEST(Text, WidenAndNarrowAreByteForByte)
{
    EXPECT_EQ(WidenText("pi\xF2"), L"pi\u00F2");
    EXPECT_EQ(WidenText("\x80\x9F\xFF"), L"\u0080\u009F\u00FF");
    EXPECT_EQ(NarrowText(L"\u00F2\u0142\uFFFF"), "\xF2\x42\xFF");

    struct Case {
        std::int64_t value;
        const wchar_t* text;
    };
    const Case cases[] = {{0, L"0"}, {-1, L"-1"}, {1234567890123, L"1234567890123"},
                          {std::numeric_limits<std::int64_t>::min(), L"-9223372036854775808"},
                          {std::numeric_limits<std::int64_t>::max(), L"9223372036854775807"}};
    for (const Case& c : cases)
        EXPECT_EQ(FormatInt64Wide(c.value), c.text);
}

TEST(Text, AccentedTextSurvivesTheWindow)
{
    LiveEdit live;
    live.edit.SetText("Funzionalit\xE0 e pi\xF2");
    wchar_t shown[64] = {};
    ::GetWindowTextW(live.edit.windowHandle, shown, 64);
    EXPECT_STREQ(shown, L"Funzionalit\u00E0 e pi\u00F2");
    EXPECT_EQ(live.edit.GetText(), "Funzionalit\xE0 e pi\xF2");

    ::SetWindowTextW(live.edit.windowHandle, L"\u0142x");
    EXPECT_EQ(live.edit.GetText(), "\x42x") << "a code unit above U+00FF comes back as its low byte";

    ::SetWindowTextW(live.edit.windowHandle, L"");
    EXPECT_EQ(live.edit.GetText(), "");
}

TEST(Element, ValueChangedOnlyWhenTheTextChangedWhileFocused)
{
    LiveEdit live;
    static int lostFocus;
    static int valueChanged;
    lostFocus = valueChanged = 0;
    live.edit.onLostFocus = [](GUIElement*) { ++lostFocus; };
    live.edit.onValueChanged = [](GUIElement*) { return ++valueChanged; };
    live.edit.SetText("Home");

    struct Case {
        const wchar_t* typed;
        int changes;
    };
    const Case cases[] = {{L"Home", 0}, {L"home", 1}, {L"Homes", 1}, {L"", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(NarrowText(c.typed));
        live.edit.SetText("Home");
        lostFocus = valueChanged = 0;
        ::SendMessageW(live.edit.windowHandle, WM_SETFOCUS, 0, 0);
        ::SetWindowTextW(live.edit.windowHandle, c.typed);
        ::SendMessageW(live.edit.windowHandle, WM_KILLFOCUS, 0, 0);
        EXPECT_EQ(lostFocus, 1);
        EXPECT_EQ(valueChanged, c.changes);
    }
}

TEST(Font, OneHandlePerFontSpecSharedByItsElements)
{
    LiveEdit live;
    NativeControl other(&live.form, L"static");
    other.Create();
    FontSpec font("Lucida Console", 14);
    font.bold = true;
    live.edit.SetFont(&font);
    other.SetFont(&font);
    ASSERT_NE(font.handle, nullptr);
    EXPECT_EQ(font.GetHandle(), font.handle);
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(live.edit.windowHandle, WM_GETFONT, 0, 0)), font.handle);
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(other.windowHandle, WM_GETFONT, 0, 0)), font.handle);

    LOGFONTW description{};
    ::GetObjectW(font.handle, sizeof(description), &description);
    EXPECT_EQ(description.lfHeight, 14);
    EXPECT_EQ(description.lfWeight, FW_BOLD);
    EXPECT_STREQ(description.lfFaceName, L"Lucida Console");

    FontSpec system;
    EXPECT_EQ(system.faceName, L"System");
    EXPECT_EQ(system.height, 0);
}

TEST(Tooltip, OnlyAnElementWithTipTextGetsATooltip)
{
    LiveEdit live;
    EXPECT_EQ(live.edit.tipWindow, nullptr);
    live.edit.SetSize(140, 24);
    EXPECT_EQ(live.edit.tipWindow, nullptr) << "no tooltip at a resize either";

    NativeControl tipped(&live.form, L"static");
    tipped.tipText = std::string(800, 'p');
    tipped.Create();
    ASSERT_NE(tipped.tipWindow, nullptr);
    EXPECT_EQ(::SendMessageW(tipped.tipWindow, TTM_GETTOOLCOUNT, 0, 0), 1);

    std::wstring shown(4096, L'\0');
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.hwnd = tipped.windowHandle;
    info.uId = reinterpret_cast<UINT_PTR>(tipped.windowHandle);
    info.lpszText = shown.data();
    ::SendMessageW(tipped.tipWindow, TTM_GETTEXTW, shown.size(), reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(shown.c_str(), std::wstring(800, L'p'));

    tipped.tipText = "short";
    tipped.SetSize(60, 20);
    shown.assign(4096, L'\0');
    info.lpszText = shown.data();
    ::SendMessageW(tipped.tipWindow, TTM_GETTEXTW, shown.size(), reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(shown.c_str(), L"short");
}
