// Small elements for toolkit tests: a native control subclassed like the toolkit's own
// controls, a push button that issues commands, and a form that records its operations.
#pragma once

#include "Command.h"
#include "Form.h"

#include <string>

namespace VantorTest {

// A standard control of any class, made and subclassed the way the toolkit's controls are.
class NativeControl : public VantorUtility::Child {
public:
    NativeControl(VantorUtility::GUIElement* container, const wchar_t* controlClass, DWORD controlStyle = 0)
        : Child(container), windowClassName(controlClass), style(controlStyle)
    {
    }

    void Create() override
    {
        if (created)
            return;
        id = VantorUtility::DrawElementId();
        windowHandle = ::CreateWindowExW(0, windowClassName.c_str(), text.c_str(), WS_CHILD | WS_VISIBLE | style,
                                         left, top, width, height, parent->windowHandle,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        SubclassWindow();
        created = true;
        InstallTooltip(windowHandle);
    }

private:
    std::wstring windowClassName;
    DWORD style;
};

// A push button that reports its clicks through onCommand.
class CommandButton : public NativeControl, public VantorUtility::CommandElement {
public:
    explicit CommandButton(VantorUtility::GUIElement* container) : NativeControl(container, L"Button", WS_TABSTOP) {}
};

// A form that counts the operations the routing functions reach and answers close queries.
class RecordingForm : public VantorUtility::Form {
public:
    int createCalls = 0;
    int resizeCalls = 0;
    int closeQueries = 0;
    bool allowClose = true;
    HWND handleSeenAtCreate = nullptr;
    bool createdFlagAtCreate = true;

    RecordingForm() : Form(::GetModuleHandleW(nullptr))
    {
        onCreate = VantorUtility::RouteCreated;
        onClose = VantorUtility::RouteClose;
        onResize = VantorUtility::RouteResize;
    }

    void OnCreate() override
    {
        ++createCalls;
        handleSeenAtCreate = windowHandle;
        createdFlagAtCreate = created;
    }

    bool OnCloseQuery() override
    {
        ++closeQueries;
        return allowClose;
    }

    void OnResize() override { ++resizeCalls; }
};

} // namespace VantorTest
