#include "Form.h"

#include "WindowProcedure.h"

#include <algorithm>

namespace VantorUtility {

HWND mainWindowHandle = nullptr;

namespace {

constexpr DWORD captionedStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX; // 0x10C90000

} // namespace

Form::Form(HINSTANCE moduleInstance) : GUIElement(moduleInstance), dialogStyle(false)
{
    kind = "form";
}

Form::Form(HINSTANCE moduleInstance, DialogWindow) : GUIElement(moduleInstance), dialogStyle(true)
{
    kind = "form";
}

Form::~Form()
{
    iconHandle = nullptr; // icons loaded from resources are shared and never destroyed
    if (created && ::IsWindow(windowHandle)) {
        // Closing first gives onClose its say, as any other way of closing the window does.
        ::SendMessageW(windowHandle, WM_CLOSE, 0, 0);
        created = false;
        if (::IsWindow(windowHandle))
            ::DestroyWindow(windowHandle);
    }
}

void Form::Create()
{
    if (created)
        return;

    const std::wstring className = L"Window" + FormatInt64Wide(nextElementId);
    id = DrawElementId();

    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = iconResource == 0
        ? ::LoadIconW(nullptr, IDI_APPLICATION)
        : ::LoadIconW(instance, MAKEINTRESOURCEW(iconResource));
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = backColor == noColor ? ::GetSysColorBrush(COLOR_BTNFACE)
                                                     : ::CreateSolidBrush(backColor);
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = className.c_str();
    ::RegisterClassW(&windowClass);

    DWORD extendedStyle = 0;
    DWORD style = 0;
    if (dialogStyle) {
        extendedStyle = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW;
        if (topMost)
            extendedStyle |= WS_EX_TOPMOST;
        style = captionedStyle;
        if (modalFrame)
            style |= 0x00000080;
    } else if (captioned) {
        style = captionedStyle;
        if (minimizeBox)
            style |= WS_MINIMIZEBOX;
        if (resizable)
            style |= WS_THICKFRAME;
    } else {
        style = WS_POPUP;
    }
    if (!resizable)
        style &= ~static_cast<DWORD>(WS_MAXIMIZEBOX);
    if (!minimizeBox)
        style &= ~static_cast<DWORD>(WS_MINIMIZEBOX);
    if (!enabled)
        style |= WS_DISABLED;

    // The creation message finds this form as the newest element without a window and
    // stores the handle there; onCreate builds the children before CreateWindowExW returns.
    const HWND window = ::CreateWindowExW(extendedStyle, className.c_str(), text.c_str(), style,
                                          left, top, width, height, nullptr, nullptr, instance, nullptr);
    windowClass.lpszClassName = nullptr; // the name lived on the stack; the class keeps its own copy
    windowHandle = window;
    if (!mainWindowHandle)
        mainWindowHandle = window;
    HandleCreate(window);

    ::ShowWindow(windowHandle, SW_SHOW);
    ::UpdateWindow(windowHandle);
    created = true;
    InstallTooltip(windowHandle);
    if (font)
        ::SendMessageW(windowHandle, WM_SETFONT, reinterpret_cast<WPARAM>(font->GetHandle()), TRUE);
}

void Form::OnCreate()
{
}

bool Form::OnCloseQuery()
{
    return true;
}

void Form::OnResize()
{
}

void Form::SetClientSize(int clientWidth, int clientHeight)
{
    if (!created)
        return;
    RECT bounds{};
    RECT client{};
    ::GetWindowRect(windowHandle, &bounds);
    ::GetClientRect(windowHandle, &client);
    width = bounds.right - bounds.left;
    height = bounds.bottom - bounds.top;
    const int extraWidth = std::max<int>(0, width - (client.right - client.left));
    const int extraHeight = std::max<int>(0, height - (client.bottom - client.top));
    GetPosition();
    SetSize(clientWidth + extraWidth, clientHeight + extraHeight);
}

void Form::CenterOnScreen()
{
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    if (created)
        GetSize();
    left = (screenWidth - width) / 2;
    top = (screenHeight - height) / 2;
    if (created) {
        ::SetWindowPos(windowHandle, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Redraw();
    }
}

void Form::SetIcon(std::int32_t resourceNumber)
{
    iconResource = resourceNumber;
    if (!created)
        return;
    iconHandle = ::LoadIconW(instance, MAKEINTRESOURCEW(resourceNumber));
    if (iconHandle)
        ::SendMessageW(windowHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconHandle));
}

void Form::RegisterHotKeys()
{
    for (std::size_t i = 0; i < hotKeys.size(); ++i)
        ::RegisterHotKey(windowHandle, static_cast<int>(i + 1), hotKeys[i].modifiers, hotKeys[i].key);
}

void Form::UnregisterHotKeys()
{
    for (std::size_t i = 0; i < hotKeys.size(); ++i)
        ::UnregisterHotKey(windowHandle, static_cast<int>(i + 1));
}

void RouteCreated(GUIElement* element, HWND)
{
    if (auto* form = dynamic_cast<Form*>(element))
        form->OnCreate();
}

bool RouteClose(GUIElement* element)
{
    auto* form = dynamic_cast<Form*>(element);
    return form ? form->OnCloseQuery() : true;
}

int RouteResize(GUIElement* element)
{
    if (auto* form = dynamic_cast<Form*>(element))
        form->OnResize();
    return 0;
}

void RunMessageLoop(Form* mainForm)
{
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (mainForm && mainForm->dialogStyle && ::IsDialogMessageW(mainForm->windowHandle, &message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

} // namespace VantorUtility
