#include "toolkit/Form.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "toolkit/Application.h"
#include "core/Exception.h"
#include "toolkit/Text.h"

namespace tk {

namespace {

constexpr wchar_t kFormClass[] = L"TkForm";
constexpr int kFirstControlId = 100; // clear of IDOK/IDCANCEL, which dialog keys send
constexpr int kTooltipInitial = 500;  // ms the pointer rests before a tooltip shows
constexpr int kTooltipAutoPop = 2500; // ms a control's tooltip stays
constexpr int kFormHintAutoPop = 30000;
constexpr UINT_PTR kFormHintTool = 0xFFFF; // clear of the graphic controls' indexes
constexpr UINT_PTR kFormHintTimer = 1;

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

void RegisterFormClass(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSEXW windowClass{sizeof windowClass};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = Instance();
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kFormClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

DWORD StyleOf(BorderStyle border) {
    switch (border) {
    case BorderStyle::None: return WS_POPUP | WS_CLIPCHILDREN;
    case BorderStyle::Dialog: return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_CLIPCHILDREN;
    case BorderStyle::ToolWindow: return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    }
    return WS_POPUP;
}

DWORD ExStyleOf(const FormLayout& layout) {
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (layout.border == BorderStyle::Dialog) exStyle |= WS_EX_DLGMODALFRAME;
    if (layout.border == BorderStyle::ToolWindow) exStyle |= WS_EX_TOOLWINDOW;
    if (layout.stayOnTop) exStyle |= WS_EX_TOPMOST;
    return exStyle;
}

// Looked up once: where the platform lacks it the strip simply stays opaque.
using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
SetLayeredWindowAttributesFn LayeredAttributes() {
    static const auto function = reinterpret_cast<SetLayeredWindowAttributesFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"User32.dll"), "SetLayeredWindowAttributes")));
    return function;
}

} // namespace

int ScreenDpi() {
    using GetDpiForSystemFn = UINT(WINAPI*)();
    static const auto getDpiForSystem = reinterpret_cast<GetDpiForSystemFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"User32.dll"), "GetDpiForSystem")));
    if (getDpiForSystem)
        return static_cast<int>(getDpiForSystem());
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

OwnedFont CreateFontFor(const FontSpec& font, int dpi) {
    return OwnedFont(CreateFontW(-ScaleToDpi(font.height, dpi), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                                 FALSE, FALSE, FALSE, font.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.face));
}

COLORREF TextColorOf(const FontSpec& font) {
    return font.color == CLR_INVALID ? GetSysColor(COLOR_WINDOWTEXT) : font.color;
}

// ---- GraphicControl -------------------------------------------------------------------------

GraphicControl::GraphicControl(Form& parent, Bounds b) : parent_(parent), bounds96_(b) {
    bounds_ = {parent.Scale(b.left), parent.Scale(b.top), parent.Scale(b.left + b.width),
               parent.Scale(b.top + b.height)};
    parent.graphics_.push_back(this);
    if (parent.HandleAllocated())
        parent.AddTooltip(this, parent.graphics_.size() - 1);
}

void GraphicControl::SetBoundsRect(const RECT& bounds) {
    if (EqualRect(&bounds, &bounds_))
        return;
    Invalidate();
    bounds_ = bounds;
    Invalidate();
}

void GraphicControl::Invalidate() { parent_.Invalidate(&bounds_); }

void GraphicControl::DpiChanged(int dpi) {
    const Bounds& b = bounds96_;
    SetBoundsRect({ScaleToDpi(b.left, dpi), ScaleToDpi(b.top, dpi), ScaleToDpi(b.left + b.width, dpi),
                   ScaleToDpi(b.top + b.height, dpi)});
}

void GraphicControl::MouseDown(const MouseEvent& event) {
    if (OnMouseDown) OnMouseDown(event);
}
void GraphicControl::MouseMove(const MouseEvent& event) {
    if (OnMouseMove) OnMouseMove(event);
}
void GraphicControl::MouseUp(const MouseEvent& event) {
    if (OnMouseUp) OnMouseUp(event);
}

// ---- WinControl -----------------------------------------------------------------------------

WinControl::WinControl(Form& parent, const ControlLayout& layout)
    : parent_(parent), layout_(layout), text_(layout.caption ? layout.caption : ""),
      id_(kFirstControlId + static_cast<int>(parent.children_.size())) {
    parent.children_.push_back(this);
    if (parent.HandleAllocated())
        CreateHandle(parent.Handle(), parent.Dpi());
}

void WinControl::CreateHandle(HWND parentWindow, int dpi) {
    const Bounds& b = layout_.bounds;
    handle_ = CreateWindowExW(layout_.exStyle, layout_.windowClass, Widen(text_).c_str(),
                              WS_CHILD | WS_VISIBLE | layout_.style, ScaleToDpi(b.left, dpi),
                              ScaleToDpi(b.top, dpi), ScaleToDpi(b.width, dpi), ScaleToDpi(b.height, dpi),
                              parentWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), Instance(),
                              nullptr);
    if (layout_.font)
        font_ = CreateFontFor(*layout_.font, dpi);
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_ ? font_.Get() : parent_.Font()), FALSE);
}

void WinControl::DpiChanged(int dpi) {
    const Bounds& b = layout_.bounds;
    if (layout_.font)
        font_ = CreateFontFor(*layout_.font, dpi);
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_ ? font_.Get() : parent_.Font()), FALSE);
    SetWindowPos(handle_, nullptr, ScaleToDpi(b.left, dpi), ScaleToDpi(b.top, dpi), ScaleToDpi(b.width, dpi),
                 ScaleToDpi(b.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string WinControl::Text() const {
    if (!handle_)
        return text_;
    std::wstring buffer(static_cast<std::size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
    buffer.resize(static_cast<std::size_t>(GetWindowTextW(handle_, buffer.data(), static_cast<int>(buffer.size()))));
    return Narrow(buffer);
}

void WinControl::SetText(const std::string& text) {
    text_ = text;
    if (handle_)
        SetWindowTextW(handle_, Widen(text).c_str());
}

RECT WinControl::BoundsRect() const {
    RECT rect{};
    GetWindowRect(handle_, &rect);
    MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// ---- Form -----------------------------------------------------------------------------------

Form::Form(Application& application, const FormLayout& layout)
    : app_(application), layout_(layout), dpi_(ScreenDpi()) {
    font_ = CreateFontFor(layout.font, dpi_);
    left_ = layout.bounds.left;
    top_ = layout.bounds.top;
    RECT frame{0, 0, Scale(layout.bounds.width), Scale(layout.bounds.height)};
    AdjustWindowRectEx(&frame, StyleOf(layout.border), FALSE, ExStyleOf(layout));
    width_ = frame.right - frame.left;
    height_ = frame.bottom - frame.top;
}

Form::~Form() { DestroyHandle(); }

void Form::DestroyHandle() {
    // Messages sent while the window goes must find no control of a half-destroyed form.
    captureControl_ = nullptr;
    hoverControl_ = nullptr;
    graphics_.clear();
    children_.clear();
    window_.Reset();
}

HWND Form::Handle() {
    if (!window_)
        CreateWnd();
    return window_.Get();
}

COLORREF Form::Color() const noexcept {
    return layout_.color == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : layout_.color;
}

void Form::CreateWnd() {
    RegisterFormClass(&Form::StaticWndProc);
    const DWORD exStyle = ExStyleOf(layout_);
    HWND window = CreateWindowExW(exStyle, kFormClass, Widen(layout_.caption).c_str(), StyleOf(layout_.border),
                                  left_, top_, width_, height_, app_.Handle(), nullptr, Instance(), this);
    if (!window)
        throw EOutOfResources("Error creating window");
    // StaticWndProc took ownership of the handle at WM_NCCREATE.
    if (layout_.border != BorderStyle::None) {
        // Only Close stays on the title bar's menu of a fixed-size window.
        HMENU menu = GetSystemMenu(window, FALSE);
        for (UINT command : {SC_MAXIMIZE, SC_MINIMIZE, SC_SIZE, SC_RESTORE})
            DeleteMenu(menu, command, MF_BYCOMMAND);
    }
    background_.Reset(CreateSolidBrush(Color()));
    for (WinControl* child : children_)
        child->CreateHandle(window, dpi_);
    for (std::size_t i = 0; i < graphics_.size(); ++i)
        AddTooltip(graphics_[i], i);
    if (OnHint)
        AddFormHint();
    ApplyTranslucency();
    if (layout_.icon) {
        const int size = GetSystemMetrics(SM_CXICON);
        HICON icon = static_cast<HICON>(LoadImageW(Instance(), layout_.icon, IMAGE_ICON, size, size, LR_SHARED));
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    }
    if (layout_.stayOnTop)
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void Form::ApplyTranslucency() {
    if (layout_.alpha == 255)
        return;
    auto setAttributes = LayeredAttributes();
    if (!setAttributes)
        return;
    HWND window = window_.Get();
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_LAYERED))
        SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    setAttributes(window, 0, layout_.alpha, LWA_ALPHA);
}

HWND Form::EnsureTooltip() {
    if (!tooltip_) {
        tooltip_.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0,
                                       0, window_.Get(), nullptr, Instance(), nullptr));
        SendMessageW(tooltip_.Get(), TTM_SETDELAYTIME, TTDT_INITIAL, kTooltipInitial);
        SendMessageW(tooltip_.Get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, kTooltipAutoPop);
    }
    return tooltip_.Get();
}

void Form::AddTooltip(GraphicControl* control, std::size_t index) {
    const std::wstring* hint = control->Hint();
    if (!hint || !window_)
        return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window_.Get();
    tool.uId = index;
    tool.rect = control->BoundsRect();
    tool.lpszText = const_cast<wchar_t*>(hint->c_str());
    SendMessageW(EnsureTooltip(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// The form hint is the last tool and covers the whole client area: the tooltip takes the first
// tool under the pointer, so the controls' own tooltips, added before it, keep their places.
void Form::AddFormHint() {
    HWND tooltip = EnsureTooltip();
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window_.Get();
    tool.uId = kFormHintTool;
    GetClientRect(window_.Get(), &tool.rect);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, Scale(600)); // honours the line breaks
}

LRESULT Form::HintNotify(const NMHDR& header) {
    if (header.idFrom != kFormHintTool)
        return 0;
    switch (header.code) {
    case TTN_GETDISPINFOW: {
        auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
        hintText_ = Widen(OnHint());
        info.lpszText = hintText_.data();
        break;
    }
    case TTN_SHOW: { // a list is read for longer than a button's name; it follows the form meanwhile
        SendMessageW(tooltip_.Get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, kFormHintAutoPop);
        SetTimer(window_.Get(), kFormHintTimer, 1000, nullptr);
        // A form at the screen's edge would push a wide list off it: keep it on the monitor.
        RECT tip{};
        GetWindowRect(tooltip_.Get(), &tip);
        MONITORINFO monitor{sizeof monitor};
        GetMonitorInfoW(MonitorFromWindow(window_.Get(), MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT& area = monitor.rcWork;
        const int left = std::max(area.left, std::min(tip.left, area.right - (tip.right - tip.left)));
        const int top = std::max(area.top, std::min(tip.top, area.bottom - (tip.bottom - tip.top)));
        SetWindowPos(tooltip_.Get(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE; // placed here
    }
    case TTN_POP:
        SendMessageW(tooltip_.Get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, kTooltipAutoPop);
        KillTimer(window_.Get(), kFormHintTimer);
        break;
    }
    return 0;
}

void Form::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (window_)
        SetWindowPos(window_.Get(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::WindowMoved() {
    RECT rect{};
    GetWindowRect(window_.Get(), &rect);
    if (IsIconic(window_.Get()) || IsZoomed(window_.Get()))
        return; // keep the normal bounds
    left_ = rect.left;
    top_ = rect.top;
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
}

void Form::ChangeDpi(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    font_ = CreateFontFor(layout_.font, dpi);
    for (GraphicControl* control : graphics_)
        control->DpiChanged(dpi);
    for (WinControl* child : children_)
        child->DpiChanged(dpi);
    if (tooltip_) {
        for (std::size_t i = 0; i < graphics_.size(); ++i) {
            TOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = window_.Get();
            tool.uId = i;
            tool.rect = graphics_[i]->BoundsRect();
            SendMessageW(tooltip_.Get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    SetWindowPos(window_.Get(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (tooltip_ && OnHint) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window_.Get();
        tool.uId = kFormHintTool;
        GetClientRect(window_.Get(), &tool.rect);
        SendMessageW(tooltip_.Get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    Invalidate();
}

void Form::CentreOnDesktop() {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    SetBounds((screenWidth - width_) / 2, (screenHeight - height_) / 2, width_, height_);
}

void Form::Show() { ShowState(SW_SHOWNORMAL); }

void Form::ShowState(int showCommand) {
    HWND window = Handle();
    if (!shownBefore_ && this != app_.MainForm())
        CentreOnDesktop();
    shownBefore_ = true;
    visible_ = true;
    // The zero-size application window is shown with the first form: it is the taskbar entry.
    SetWindowPos(app_.Handle(), nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(window, showCommand);
}

void Form::Hide() {
    visible_ = false;
    if (window_)
        ShowWindow(window_.Get(), SW_HIDE);
}

void Form::Close() {
    if (IsModal())
        modalResult = mrCancel;
    else if (this == app_.MainForm())
        app_.Terminate();
    else
        Hide();
}

int Form::ShowModal() {
    HWND window = Handle();
    if (IsWindowVisible(window) || !IsWindowEnabled(window))
        throw EInvalidOperation("Cannot make a visible window modal");
    if (HWND capture = GetCapture()) {
        SendMessageW(capture, WM_CANCELMODE, 0, 0);
        ReleaseCapture();
    }
    TaskWindowsDisabled disabled(window);
    ++modalLevel_;
    modalResult = 0;
    app_.PushModal(this);

    struct Finish { // runs on return and if showing fails, before `disabled` reactivates
        Form& form;
        TaskWindowsDisabled& disabled;
        ~Finish() {
            form.app_.PopModal();
            --form.modalLevel_;
            // Enable the others before hiding, so that activation can go back to them.
            disabled.Restore();
            form.Hide();
        }
    } finish{*this, disabled};

    Show();
    SetActiveWindow(window);
    if (!children_.empty()) {
        HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
        SetFocus(first ? first : window);
    }
    while (modalResult == 0) {
        app_.HandleMessage();
        if (app_.Terminated())
            modalResult = mrCancel;
    }
    // This loop took the quit message: post it again for whatever loop runs outside this one.
    if (app_.Terminated())
        PostQuitMessage(0);
    return modalResult;
}

void Form::Invalidate(const RECT* area) {
    if (window_)
        InvalidateRect(window_.Get(), area, FALSE);
}

void Form::Paint(HDC dc, const RECT& area) {
    FillRect(dc, &area, background_.Get());
    for (GraphicControl* control : graphics_) {
        RECT overlap{};
        const RECT bounds = control->BoundsRect();
        if (control->visible && IntersectRect(&overlap, &bounds, &area))
            control->Paint(dc);
    }
}

GraphicControl* Form::ControlAt(POINT client) const {
    // Later controls lie on top of earlier ones.
    for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it)
        if ((*it)->visible && (*it)->enabled && (*it)->Contains(client))
            return *it;
    return nullptr;
}

void Form::SetHover(GraphicControl* control) {
    if (control == hoverControl_)
        return;
    if (hoverControl_)
        hoverControl_->MouseLeave();
    hoverControl_ = control;
    if (hoverControl_)
        hoverControl_->MouseEnter();
}

void Form::MouseMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    MouseEvent event;
    event.keys = GET_KEYSTATE_WPARAM(wParam);
    event.client = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: event.button = MouseButton::Right; break;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: event.button = MouseButton::Middle; break;
    default: event.button = MouseButton::Left; break;
    }
    // While the left button holds the capture, everything goes to the control it was pressed on.
    GraphicControl* target = captured_ ? captureControl_ : ControlAt(event.client);

    switch (message) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        if (message == WM_LBUTTONDOWN) {
            captureControl_ = target;
            captured_ = true;
            SetCapture(window_.Get());
        }
        if (target) target->MouseDown(event);
        else if (OnMouseDown) OnMouseDown(event);
        break;
    case WM_MOUSEMOVE:
        if (!trackingLeave_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_.Get(), 0};
            trackingLeave_ = TrackMouseEvent(&track) != FALSE;
        }
        SetHover(captured_ ? (ControlAt(event.client) == captureControl_ ? captureControl_ : nullptr)
                           : ControlAt(event.client));
        if (target) target->MouseMove(event);
        else if (OnMouseMove) OnMouseMove(event);
        break;
    default: // button released
        if (message == WM_LBUTTONUP && captured_) {
            captured_ = false;
            ReleaseCapture();
        }
        if (target) target->MouseUp(event);
        else if (OnMouseUp) OnMouseUp(event);
        break;
    }
}

LRESULT Form::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window_.Get(), message, wParam, lParam);
}

LRESULT Form::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // WM_PAINT fills everything, off-screen
    case WM_PAINT: {
        PaintScope paint(window_.Get());
        RECT client{};
        GetClientRect(window_.Get(), &client);
        MemoryDc buffer(paint.Dc());
        OwnedBitmap bitmap(CreateCompatibleBitmap(paint.Dc(), client.right, client.bottom));
        SelectGuard selectBitmap(buffer.Get(), bitmap.Get());
        Paint(buffer.Get(), paint.Area());
        const RECT& area = paint.Area();
        BitBlt(paint.Dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, buffer.Get(),
               area.left, area.top, SRCCOPY);
        return 0;
    }
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
        MouseMessage(message, wParam, lParam);
        // The default handling of a right-button release is what asks for the context menu.
        return message == WM_RBUTTONUP ? DefaultProc(message, wParam, lParam) : 0;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        SetHover(nullptr);
        return 0;
    case WM_CAPTURECHANGED:
        if (captured_ && reinterpret_cast<HWND>(lParam) != window_.Get()) {
            captured_ = false;
            if (captureControl_) captureControl_->CaptureLost();
            captureControl_ = nullptr;
        }
        return 0;
    case WM_CANCELMODE:
        if (captured_) ReleaseCapture();
        return DefaultProc(message, wParam, lParam);
    case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP:
        // The menu key and Shift+F10 ask for the context menu here, so it comes once and alike
        // on every platform (not all default window procedures make the request themselves).
        if (OnContextPopup && (wParam == VK_APPS || (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0))) {
            if (message == WM_KEYUP || message == WM_SYSKEYUP)
                SendMessageW(window_.Get(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window_.Get()), MAKELPARAM(-1, -1));
            return 0;
        }
        return DefaultProc(message, wParam, lParam);
    case WM_CONTEXTMENU:
        if (OnContextPopup) {
            OnContextPopup({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        }
        return DefaultProc(message, wParam, lParam);
    case WM_COMMAND:
        for (WinControl* child : children_)
            if (lParam && child->Handle() == reinterpret_cast<HWND>(lParam)) {
                child->Command(HIWORD(wParam));
                return 0;
            }
        return 0;
    case WM_CTLCOLORSTATIC: case WM_CTLCOLOREDIT: case WM_CTLCOLORBTN:
        for (WinControl* child : children_)
            if (child->Handle() == reinterpret_cast<HWND>(lParam))
                if (HBRUSH brush = child->ControlColor(reinterpret_cast<HDC>(wParam)))
                    return reinterpret_cast<LRESULT>(brush);
        if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) {
            SetBkColor(reinterpret_cast<HDC>(wParam), Color());
            return reinterpret_cast<LRESULT>(background_.Get());
        }
        return DefaultProc(message, wParam, lParam);
    case WM_CLOSE:
        Close();
        return 0;
    case WM_NOTIFY:
        if (tooltip_ && reinterpret_cast<const NMHDR*>(lParam)->hwndFrom == tooltip_.Get())
            return HintNotify(*reinterpret_cast<const NMHDR*>(lParam));
        return DefaultProc(message, wParam, lParam);
    case WM_TIMER:
        if (wParam == kFormHintTimer) {
            if (OnHint().empty()) {
                SendMessageW(tooltip_.Get(), TTM_POP, 0, 0);
            } else {
                TOOLINFOW tool{};
                tool.cbSize = sizeof tool;
                tool.hwnd = window_.Get();
                tool.uId = kFormHintTool;
                tool.lpszText = LPSTR_TEXTCALLBACKW; // asks for the text again
                SendMessageW(tooltip_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
            }
            return 0;
        }
        return DefaultProc(message, wParam, lParam);
    case WM_DPICHANGED: // the window moved to a screen of another resolution
        ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_MOVE: case WM_SIZE:
        WindowMoved();
        return DefaultProc(message, wParam, lParam);
    default:
        return DefaultProc(message, wParam, lParam);
    }
}

LRESULT CALLBACK Form::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* form = static_cast<Form*>(create->lpCreateParams);
        form->window_.Reset(window); // so that handlers during creation see the handle
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        form->window_.Release();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (!Guarded([&] { result = form->WndProc(message, wParam, lParam); }))
        result = DefWindowProcW(window, message, wParam, lParam);
    return result;
}

} // namespace tk
