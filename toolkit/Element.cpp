#include "Element.h"

#include "WindowProcedure.h"

#include <commctrl.h>

#include <algorithm>

namespace VantorUtility {

std::vector<GUIElement*> elementRegistry;
std::int32_t nextElementId = 0;

namespace {

// Longest tip text handed to the tooltip control.
constexpr std::size_t maxTipLength = 2023;

TOOLINFOW MakeToolInfo(HWND window, std::wstring& tip)
{
    TOOLINFOW info{};
    // The classic record size: the tooltip control accepts it from every version.
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = window;
    info.uId = reinterpret_cast<UINT_PTR>(window);
    ::GetClientRect(window, &info.rect);
    info.lpszText = tip.data();
    return info;
}

} // namespace

FontSpec::FontSpec(const std::string& face, int fontHeight)
    : faceName(WidenText(face)), height(fontHeight)
{
}

FontSpec::~FontSpec()
{
    if (handle)
        ::DeleteObject(handle);
}

HFONT FontSpec::GetHandle()
{
    if (!handle) {
        handle = ::CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline, FALSE,
                               DEFAULT_CHARSET, OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS,
                               CLEARTYPE_QUALITY, fixedPitch ? FIXED_PITCH : 0, faceName.c_str());
    }
    return handle;
}

GUIElement::GUIElement(HINSTANCE moduleInstance) : instance(moduleInstance)
{
    elementRegistry.push_back(this);
}

GUIElement::~GUIElement()
{
    ForgetElement(this);
    elementRegistry.erase(std::remove(elementRegistry.begin(), elementRegistry.end(), this),
                          elementRegistry.end());
}

void GUIElement::SetSize(int newWidth, int newHeight)
{
    width = newWidth;
    height = newHeight;
    if (created) {
        ::SetWindowPos(windowHandle, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        UpdateTooltip();
        Redraw();
    }
}

void GUIElement::SetBackColor(COLORREF color)
{
    backColor = color;
    if (!created)
        return;
    // Paint at once rather than waiting for the next paint message; HandlePaint repeats it.
    ::InvalidateRect(windowHandle, nullptr, FALSE);
    RECT client{};
    ::GetClientRect(windowHandle, &client);
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(windowHandle, &paint);
    if (dc) {
        ::SetBkColor(dc, color);
        ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, L"", 0, nullptr);
    }
    ::EndPaint(windowHandle, &paint);
    backColorApplied = true;
}

void GUIElement::SetEnabled(bool on)
{
    enabled = on;
    if (created)
        ::EnableWindow(windowHandle, on);
}

void GUIElement::SetTextW(const std::wstring& newText)
{
    text = newText;
    if (created)
        ::SetWindowTextW(windowHandle, text.c_str());
}

void GUIElement::SetText(const std::string& newText)
{
    SetTextW(WidenText(newText));
}

void GUIElement::HandleMouseUp(int x, int y)
{
    if (onMouseUp)
        onMouseUp(this, windowHandle, x, y);
}

void GUIElement::HandleMouseDown(int x, int y)
{
    if (onMouseDown)
        onMouseDown(this, windowHandle, x, y);
}

void GUIElement::HandleDoubleClick(int x, int y)
{
    if (onDoubleClick)
        onDoubleClick(this, windowHandle, x, y);
}

void GUIElement::HandleRightMouseUp(int x, int y)
{
    if (onRightMouseUp)
        onRightMouseUp(this, windowHandle, x, y);
}

void GUIElement::HandleRightMouseDown(int x, int y)
{
    if (onRightMouseDown)
        onRightMouseDown(this, windowHandle, x, y);
}

void GUIElement::HandleRightDoubleClick(int x, int y)
{
    if (onRightDoubleClick)
        onRightDoubleClick(this, windowHandle, x, y);
}

void GUIElement::HandleKeyUp(int key)
{
    if (onKeyUp)
        onKeyUp(this, key);
}

void GUIElement::HandleKeyDown(int key)
{
    if (onKeyDown)
        onKeyDown(this, key);
}

bool GUIElement::HandleChar(int character)
{
    return onChar ? onChar(this, character) : true;
}

void GUIElement::HandleMouseMove(int x, int y)
{
    if (onMouseMove)
        onMouseMove(this, x, y);
}

void GUIElement::HandleMouseHover()
{
    if (onMouseHover)
        onMouseHover(this);
}

void GUIElement::HandleMouseLeave()
{
    if (onMouseLeave)
        onMouseLeave(this);
}

void GUIElement::Focus()
{
    if (created)
        ::SetFocus(windowHandle);
}

void GUIElement::HandleMove()
{
    GetPosition();
    if (onMove)
        onMove(this);
}

void GUIElement::HandleResize()
{
    if (onResize)
        onResize(this);
}

void GUIElement::HandlePaint()
{
    if (backColorApplied)
        SetBackColor(backColor);
    if (onPaint)
        onPaint(this);
}

HBRUSH GUIElement::HandleControlColor(HDC)
{
    return nullptr;
}

bool GUIElement::HandleClose()
{
    return onClose ? onClose(this) : true;
}

void GUIElement::HandleDestroy()
{
    if (onDestroy)
        onDestroy(this);
}

void GUIElement::HandleGotFocus()
{
    focusText = GetTextW();
    if (onGotFocus)
        onGotFocus(this);
}

void GUIElement::HandleLostFocus()
{
    if (onLostFocus)
        onLostFocus(this);
    if (GetTextW() != focusText && onValueChanged)
        onValueChanged(this);
}

void GUIElement::HandleActivate()
{
    if (onActivate)
        onActivate(this);
}

void GUIElement::HandleDeactivate()
{
    if (onDeactivate)
        onDeactivate(this);
}

void GUIElement::HandleCreate(HWND window)
{
    if (!windowHandle)
        windowHandle = window;
    if (!createNotified) {
        // Set first: a creation callback that makes further windows must not raise it again.
        createNotified = true;
        if (onCreate)
            onCreate(this, windowHandle);
    }
}

void GUIElement::Redraw()
{
    if (created)
        ::RedrawWindow(windowHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

bool GUIElement::GetWaitCursor()
{
    return waitCursor;
}

bool GUIElement::GetHandCursor()
{
    return handCursor;
}

void GUIElement::SetWaitCursor(bool on)
{
    waitCursor = on;
}

void GUIElement::SetHandCursor(bool on)
{
    handCursor = on;
}

void GUIElement::HandleShow()
{
}

void GUIElement::HandleItemNotify(int, const std::vector<std::int32_t>&, const std::vector<std::string>&)
{
}

void GUIElement::Show()
{
    if (!created)
        Create();
    ::ShowWindow(windowHandle, SW_SHOWNA);
    visible = true;
}

void GUIElement::Hide()
{
    if (created) {
        ::ShowWindow(windowHandle, SW_HIDE);
        visible = false;
    }
}

void GUIElement::SetPosition(int newLeft, int newTop)
{
    left = newLeft;
    top = newTop;
    if (created) {
        ::SetWindowPos(windowHandle, nullptr, left, top, width, height, SWP_NOSIZE | SWP_NOZORDER);
        Redraw();
    }
}

void GUIElement::SetFont(FontSpec* newFont)
{
    font = newFont;
    if (created && font)
        ::SendMessageW(windowHandle, WM_SETFONT, reinterpret_cast<WPARAM>(font->GetHandle()), TRUE);
}

ElementPosition GUIElement::GetPosition()
{
    RECT bounds{};
    if (created && ::GetWindowRect(windowHandle, &bounds)) {
        POINT corner{bounds.left, bounds.top};
        if (parent)
            ::ScreenToClient(parent->windowHandle, &corner);
        left = corner.x;
        top = corner.y;
    }
    return {left, top};
}

ElementSize GUIElement::GetSize()
{
    RECT bounds{};
    if (created && ::GetWindowRect(windowHandle, &bounds)) {
        width = bounds.right - bounds.left;
        height = bounds.bottom - bounds.top;
    }
    return {width, height};
}

std::wstring GUIElement::GetTextW()
{
    if (created) {
        const int length = ::GetWindowTextLengthW(windowHandle);
        if (length <= 0) {
            text.clear();
        } else {
            std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
            const int read = ::GetWindowTextW(windowHandle, buffer.data(), length + 1);
            if (read > 0)
                text.assign(buffer.data(), static_cast<std::size_t>(read));
        }
    }
    return text;
}

std::string GUIElement::GetText()
{
    return NarrowText(GetTextW());
}

void GUIElement::InstallTooltip(HWND window)
{
    if (tipText.empty() || !window)
        return;
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
    ::InitCommonControlsEx(&controls);
    tipWindow = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, window,
                                  nullptr, nullptr, nullptr);
    if (!tipWindow)
        return;
    ::SetWindowPos(tipWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    std::wstring tip = WidenText(tipText.substr(0, maxTipLength));
    TOOLINFOW info = MakeToolInfo(window, tip);
    ::SendMessageW(tipWindow, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void GUIElement::UpdateTooltip()
{
    if (!tipWindow) {
        InstallTooltip(windowHandle);
        return;
    }
    std::wstring tip = WidenText(tipText.substr(0, maxTipLength));
    TOOLINFOW info = MakeToolInfo(windowHandle, tip);
    ::SendMessageW(tipWindow, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    ::SendMessageW(tipWindow, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

void GUIElement::SubclassWindow()
{
    if (!windowHandle)
        return; // a failed creation leaves nothing to subclass; it is not reported
    previousWindowProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        windowHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure)));
}

Child::Child(GUIElement* container) : GUIElement(nullptr)
{
    parent = container;
}

std::int32_t DrawElementId()
{
    return ++nextElementId;
}

GUIElement* FindElementByWindow(HWND window)
{
    for (GUIElement* element : elementRegistry) {
        if (element->windowHandle == window)
            return element;
    }
    // A window still being made: its creation messages belong to the newest element.
    if (!elementRegistry.empty() && !elementRegistry.back()->windowHandle)
        return elementRegistry.back();
    return nullptr;
}

GUIElement* FindElementById(std::int32_t elementId)
{
    for (GUIElement* element : elementRegistry) {
        if (element->id == elementId)
            return element;
    }
    return nullptr;
}

std::wstring WidenText(const std::string& narrow)
{
    std::wstring wide;
    wide.reserve(narrow.size());
    for (char byte : narrow)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(byte)));
    return wide;
}

std::string NarrowText(const std::wstring& wide)
{
    std::string narrow;
    narrow.reserve(wide.size());
    for (wchar_t unit : wide)
        narrow.push_back(static_cast<char>(static_cast<unsigned char>(unit & 0xFF)));
    return narrow;
}

std::wstring FormatInt64Wide(std::int64_t value)
{
    // Digits from the magnitude taken as unsigned, so the most negative value needs no special case.
    std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    wchar_t digits[32];
    int count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    std::wstring result;
    if (value < 0)
        result.push_back(L'-');
    while (count > 0)
        result.push_back(digits[--count]);
    return result;
}

} // namespace VantorUtility
