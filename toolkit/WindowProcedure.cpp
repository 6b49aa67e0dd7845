#include "WindowProcedure.h"

#include "Command.h"
#include "Form.h"

#include <commctrl.h>

namespace VantorUtility {

bool mouseTracking = false;
Form* activeForm = nullptr;
GUIElement* activePanel = nullptr;
GUIElement* lastPanel = nullptr;

namespace {

HCURSOR waitCursorHandle = nullptr;
HCURSOR handCursorHandle = nullptr;

// Mouse positions arrive as two signed 16-bit values in lParam.
struct MousePoint {
    int x;
    int y;
};

MousePoint UnpackMousePoint(LPARAM lParam)
{
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

void LoadCursors()
{
    if (!waitCursorHandle)
        waitCursorHandle = ::LoadCursorW(nullptr, IDC_WAIT);
    if (!handCursorHandle)
        handCursorHandle = ::LoadCursorW(nullptr, IDC_HAND);
}

bool IsForeground(const GUIElement* element)
{
    return ::GetForegroundWindow() == element->windowHandle;
}

// Tab and Shift+Tab move the focus through the tab stops of the container, in z-order.
void NavigateTab(GUIElement* element, HWND window)
{
    HWND container = window;
    if (element && dynamic_cast<Child*>(element) && element->parent)
        container = element->parent->windowHandle;
    const bool backwards = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const HWND next = ::GetNextDlgTabItem(container, window, backwards);
    if (next) {
        if (GUIElement* target = FindElementByWindow(next))
            target->Focus();
    }
}

// Asks for one hover and one leave notice per entry into a window.
void TrackMouse(GUIElement* element)
{
    if (mouseTracking)
        return;
    TRACKMOUSEEVENT request{};
    request.cbSize = sizeof(request);
    request.dwFlags = TME_HOVER | TME_LEAVE;
    request.hwndTrack = element->windowHandle;
    request.dwHoverTime = HOVER_DEFAULT;
    mouseTracking = ::TrackMouseEvent(&request) != FALSE;
}

// The active form is the one in the foreground; only it holds its hot keys.
void ActivateForm(Form* form)
{
    lastPanel = nullptr;
    if (!IsForeground(form)) {
        form->UnregisterHotKeys();
        form->HandleDeactivate();
        return;
    }
    if (activeForm) {
        activeForm->UnregisterHotKeys();
        activeForm->HandleDeactivate();
    }
    if (activePanel) {
        activePanel->HandleDeactivate();
        activePanel = nullptr;
    }
    form->RegisterHotKeys();
    form->HandleActivate();
    activeForm = form;
    Form* companion = form->companionForm;
    if (companion && companion->created && form->windowHandle)
        ::SetWindowPos(companion->windowHandle, form->windowHandle, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

// A hot key goes to the form in the foreground: this one, or the first matching entry of another.
void DispatchHotKey(Form* form, WPARAM hotKeyId)
{
    if (hotKeyId < 1 || hotKeyId > form->hotKeys.size())
        return;
    const HotKey& entry = form->hotKeys[hotKeyId - 1];
    if (IsForeground(form)) {
        if (entry.handler)
            entry.handler(form, entry.modifiers, entry.key);
        return;
    }
    auto* foreground = dynamic_cast<Form*>(FindElementByWindow(::GetForegroundWindow()));
    if (!foreground)
        return;
    for (const HotKey& candidate : foreground->hotKeys) {
        if (candidate.modifiers == entry.modifiers && candidate.key == entry.key) {
            if (candidate.handler)
                candidate.handler(foreground, candidate.modifiers, candidate.key);
            return;
        }
    }
}

// A notice from a control goes to the command callback of the control's element.
void RouteControlCommand(HWND control)
{
    GUIElement* element = FindElementByWindow(control);
    auto* command = dynamic_cast<CommandElement*>(element);
    if (command && command->onCommand)
        command->onCommand(element);
}

void RouteListNotice(const NMHDR* header)
{
    GUIElement* sender = FindElementByWindow(header->hwndFrom);
    if (!sender)
        return;
    const auto* notice = reinterpret_cast<const NMHEADERW*>(header);
    switch (header->code) {
    case HDN_ITEMCHANGEDW:
        sender->HandleItemNotify(1, {notice->iItem, notice->pitem ? notice->pitem->cxy : 0}, {});
        break;
    case HDN_ITEMCLICKW:
        sender->HandleItemNotify(2, {notice->iItem}, {});
        break;
    case NM_RCLICK:
        sender->HandleItemNotify(3, {}, {});
        break;
    default:
        break;
    }
}

} // namespace

void ForgetElement(GUIElement* element)
{
    if (activeForm == element)
        activeForm = nullptr;
    if (activePanel == element)
        activePanel = nullptr;
    if (lastPanel == element)
        lastPanel = nullptr;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    GUIElement* element = FindElementByWindow(window);
    LoadCursors();
    // Taken now: a callback below may destroy the element or close its window.
    const WNDPROC previous = element ? element->previousWindowProc : nullptr;
    const auto defaultProcessing = [&] {
        return previous ? ::CallWindowProcW(previous, window, message, wParam, lParam)
                        : ::DefWindowProcW(window, message, wParam, lParam);
    };

    switch (message) {
    case WM_CREATE:
        if (auto* form = dynamic_cast<Form*>(element))
            form->HandleCreate(window);
        break;
    case WM_DESTROY:
        if (element) {
            if (auto* form = dynamic_cast<Form*>(element)) {
                form->UnregisterHotKeys();
                if (activeForm == form)
                    activeForm = nullptr;
            }
            element->HandleDestroy();
        }
        if (window == mainWindowHandle)
            ::PostQuitMessage(0);
        break;
    case WM_MOVE:
        if (element)
            element->HandleMove();
        break;
    case WM_SIZE:
        if (element)
            element->HandleResize();
        break;
    case WM_ACTIVATE:
        if (auto* form = dynamic_cast<Form*>(element))
            ActivateForm(form);
        break;
    case WM_SETFOCUS:
        if (element)
            element->HandleGotFocus();
        break;
    case WM_KILLFOCUS:
        if (element)
            element->HandleLostFocus();
        break;
    case WM_PAINT:
        if (element)
            element->HandlePaint();
        break;
    case WM_CLOSE:
        if (element && !element->HandleClose())
            return 1;
        break;
    case WM_SHOWWINDOW:
        if (element)
            element->HandleShow();
        break;
    case WM_SETCURSOR:
        if (element && LOWORD(lParam) == HTCLIENT) {
            if (element->GetHandCursor()) {
                ::SetCursor(handCursorHandle);
                return TRUE;
            }
            if (element->GetWaitCursor()) {
                ::SetCursor(waitCursorHandle);
                return TRUE;
            }
        }
        break;
    case WM_NOTIFY:
        RouteListNotice(reinterpret_cast<const NMHDR*>(lParam));
        break;
    case WM_KEYDOWN:
        if (wParam == VK_TAB)
            NavigateTab(element, window);
        if (element)
            element->HandleKeyDown(static_cast<int>(wParam));
        break;
    case WM_KEYUP:
        if (element)
            element->HandleKeyUp(static_cast<int>(wParam));
        break;
    case WM_CHAR:
        if (element && !element->HandleChar(static_cast<int>(wParam)))
            return 1;
        break;
    case WM_COMMAND:
        if (lParam != 0)
            RouteControlCommand(reinterpret_cast<HWND>(lParam));
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        if (element) {
            if (HBRUSH brush = element->HandleControlColor(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_MOUSEMOVE:
        if (element) {
            const MousePoint point = UnpackMousePoint(lParam);
            element->HandleMouseMove(point.x, point.y);
            TrackMouse(element);
        }
        break;
    case WM_LBUTTONDOWN:
        if (element) {
            const MousePoint point = UnpackMousePoint(lParam);
            element->HandleMouseDown(point.x, point.y);
            lastPanel = nullptr;
        }
        break;
    case WM_LBUTTONUP:
        if (element) {
            const MousePoint point = UnpackMousePoint(lParam);
            element->HandleMouseUp(point.x, point.y);
        }
        break;
    case WM_LBUTTONDBLCLK:
        if (element) {
            const MousePoint point = UnpackMousePoint(lParam);
            element->HandleDoubleClick(point.x, point.y);
        }
        break;
    case WM_RBUTTONDOWN:
        if (element) {
            const MousePoint point = UnpackMousePoint(lParam);
            element->HandleRightMouseDown(point.x, point.y);
        }
        break;
    case WM_RBUTTONUP:
        if (element) {
            const MousePoint point = UnpackMousePoint(lParam);
            element->HandleRightMouseUp(point.x, point.y);
        }
        break;
    case WM_RBUTTONDBLCLK:
        if (element) {
            const MousePoint point = UnpackMousePoint(lParam);
            element->HandleRightDoubleClick(point.x, point.y);
        }
        break;
    case WM_MOUSEHOVER:
        if (element)
            element->HandleMouseHover();
        break;
    case WM_MOUSELEAVE:
        mouseTracking = false;
        if (element)
            element->HandleMouseLeave();
        break;
    case WM_HOTKEY:
        if (auto* form = dynamic_cast<Form*>(element))
            DispatchHotKey(form, wParam);
        break;
    default:
        break;
    }
    return defaultProcessing();
}

} // namespace VantorUtility
