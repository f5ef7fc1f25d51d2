#include "toolkit/Form.h"

#include <windowsx.h>

#include <algorithm>

#include "core/Exception.h"
#include "toolkit/Application.h"
#include "toolkit/Screens.h"
#include "toolkit/SystemLibraries.h"
#include "toolkit/Text.h"

namespace tk {

namespace {

constexpr wchar_t kFormClass[] = L"TkForm";
constexpr int kFirstControlId = 100; // clear of IDOK/IDCANCEL, which dialog keys send
constexpr UINT_PTR kFormHintTool = 0xFFFF; // clear of the drawn controls' indexes
constexpr UINT kApplyIconMessage = WM_APP; // posted by the form to itself
constexpr UINT kDefaultActionMessage = WM_APP + 1; // wParam: the drawn control's index

DWORD StyleOf(BorderStyle border) {
    switch (border) {
    case BorderStyle::None: return WS_POPUP | WS_CLIPCHILDREN;
    case BorderStyle::Dialog: return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_CLIPCHILDREN;
    case BorderStyle::ToolWindow: return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    }
    return WS_POPUP;
}

// Looked up once: where the platform lacks it the window simply stays opaque.
auto LayeredAttributesFunction() {
    static const auto function = LoadedFunction<BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD)>(
        L"user32.dll", "SetLayeredWindowAttributes");
    return function;
}

bool Translucent(const FormLayout& layout) { return layout.Alpha != 255 && LayeredAttributesFunction(); }

DWORD ExStyleOf(const FormLayout& layout) {
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (layout.Border == BorderStyle::Dialog) exStyle |= WS_EX_DLGMODALFRAME;
    if (layout.Border == BorderStyle::ToolWindow) exStyle |= WS_EX_TOOLWINDOW;
    if (layout.StayOnTop) exStyle |= WS_EX_TOPMOST;
    // Layered from its creation: made so later, the window would be remade at once.
    if (Translucent(layout)) exStyle |= WS_EX_LAYERED;
    return exStyle;
}

} // namespace

Form::Form(Application& application, const FormLayout& layout)
    : app_(application), layout_(layout), dpi_(ScreenDpi()) {
    font_ = CreateFontFor(layout.Font, dpi_);
    left_ = layout.Bounds96.Left;
    top_ = layout.Bounds96.Top;
    FitFrameToClient();
}

// The window's size for the layout's client size at the form's resolution.
void Form::FitFrameToClient() {
    RECT frame{0, 0, Scale(layout_.Bounds96.Width), Scale(layout_.Bounds96.Height)};
    AdjustWindowRectEx(&frame, StyleOf(layout_.Border), FALSE, ExStyleOf(layout_));
    SetBounds(left_, top_, frame.right - frame.left, frame.bottom - frame.top);
}

Form::~Form() { DestroyHandle(); }

void Form::DestroyHandle() {
    // Messages sent while the window goes must find no control of a half-destroyed form.
    accessible_.Reset();
    drawn_.Clear();
    children_.clear();
    window_.Reset();
}

void Form::WindowUnbound() {
    tooltip_.OwnerDestroyed(); // the platform destroys the tooltip with its owner
    accessible_.Reset();
    window_.Release();
}

HWND Form::EnsureHandle() {
    if (!window_)
        CreateWnd();
    return window_.Get();
}

void Form::AddDrawnControl(GraphicControl* control) { drawn_.Add(control); }

int Form::AddWindowedControl(WinControl* control) {
    children_.push_back(control);
    return kFirstControlId + static_cast<int>(children_.size() - 1);
}

WinControl* Form::ChildOf(LPARAM handle) const {
    for (WinControl* child : children_)
        if (handle && child->Handle() == reinterpret_cast<HWND>(handle))
            return child;
    return nullptr;
}

void Form::CreateWnd() {
    RegisterWindowClass(kFormClass, LoadCursorW(nullptr, IDC_ARROW));
    const std::wstring caption = Widen(layout_.Caption);
    // WindowBound takes the handle at WM_NCCREATE, so handlers during creation see it.
    HWND window = CreateBoundWindow(*this, kFormClass,
                                    {.Style = StyleOf(layout_.Border), .ExStyle = ExStyleOf(layout_),
                                     .Title = caption.c_str(), .Bounds = {left_, top_, left_ + width_, top_ + height_},
                                     .Owner = app_.Handle()});
    if (!window)
        throw EOutOfResources("Error creating window");
    // Per-monitor awareness sends no WM_DPICHANGED for where a window is created: a monitor of
    // another resolution than the system's is adopted here, before the controls are built.
    if (const int dpi = WindowDpi(window); dpi != dpi_) {
        AdoptDpi(dpi);
        FitFrameToClient();
    }
    if (layout_.Border != BorderStyle::None) {
        // Only Close stays on the title bar's menu of a fixed-size window.
        HMENU menu = GetSystemMenu(window, FALSE);
        for (UINT command : {SC_MAXIMIZE, SC_MINIMIZE, SC_SIZE, SC_RESTORE})
            DeleteMenu(menu, command, MF_BYCOMMAND);
    }
    ApplyColors();
    for (WinControl* child : children_)
        child->CreateHandle(window, dpi_);
    for (GraphicControl* control : drawn_.All())
        control->FormWindowCreated();
    // Asked for once the controls are whole. The form hint comes after the drawn controls'
    // tooltips, which so keep their places.
    for (std::size_t i = 0; i < drawn_.All().size(); ++i)
        if (const std::wstring* hint = drawn_.All()[i]->Hint())
            tooltip_.AddTool(i, drawn_.All()[i]->BoundsRect(), *hint);
    if (OnHint)
        tooltip_.AddClientTool(kFormHintTool, OnHint, layout_.HintAutoPop, Scale(layout_.HintMaxWidth));
    ApplyTranslucency();
    iconDue_ = layout_.Icon != nullptr;
}

// The big icon shows only where the platform lists windows (task switching, a window manager's
// bar), never on the form itself, and setting it costs the platform a conversion of the picture:
// it waits until the form is on screen and painted.
void Form::PaintMessage() {
    drawn_.PaintWindow(window_.Get(), background_.Get());
    if (iconDue_) {
        iconDue_ = false;
        PostMessageW(window_.Get(), kApplyIconMessage, 0, 0);
    }
}

void Form::ApplyIcon() {
    const int size = GetSystemMetrics(SM_CXICON);
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), layout_.Icon, IMAGE_ICON, size, size,
                                               LR_SHARED));
    SendMessageW(window_.Get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void Form::ApplyTranslucency() {
    if (Translucent(layout_))
        LayeredAttributesFunction()(window_.Get(), 0, layout_.Alpha, LWA_ALPHA);
}

bool Form::PostDefaultAction(const GraphicControl& control) {
    const auto& all = drawn_.All();
    const auto index = static_cast<WPARAM>(std::find(all.begin(), all.end(), &control) - all.begin());
    return window_ && index < all.size() && PostMessageW(window_.Get(), kDefaultActionMessage, index, 0);
}

void Form::Show() { ShowState(SW_SHOWNORMAL); }
int Form::ShowModal() { return RunModal(*this); }

void Form::ShowForModal() {
    Show();
    SetActiveWindow(window_.Get());
    if (!children_.empty())
        FocusMemory::ShowingBegins(window_.Get());
}

void Form::ShowState(int showCommand) {
    HWND window = EnsureHandle();
    // A place remembered on a monitor that has gone since would show the form nowhere.
    if (this != app_.MainForm() && (!shownBefore_ || !OnSomeMonitor()))
        CentreOnDesktop();
    shownBefore_ = true;
    visible_ = true;
    // The form first, the taskbar entry after it: the entry is not what the user waits for.
    ShowWindow(window, showCommand);
    app_.ShowTaskbarEntry();
}

void Form::Hide() {
    visible_ = false;
    if (window_)
        ShowWindow(window_.Get(), SW_HIDE);
}

void Form::Close() {
    if (EndModalShowing(*this))
        return;
    if (this == app_.MainForm())
        app_.Terminate();
    else
        Hide();
}

void Form::Invalidate(const RECT* area) {
    if (window_)
        InvalidateRect(window_.Get(), area, FALSE);
}

LRESULT Form::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window_.Get(), message, wParam, lParam);
}

LRESULT Form::KeyMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The menu key and Shift+F10 ask for the context menu here, so it comes once and alike on
    // every platform (not all default window procedures make the request themselves).
    if (!OnContextPopup || !(wParam == VK_APPS || (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0)))
        return DefaultProc(message, wParam, lParam);
    if (message == WM_KEYUP || message == WM_SYSKEYUP)
        SendMessageW(window_.Get(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window_.Get()), MAKELPARAM(-1, -1));
    return 0;
}

// A multi-line edit takes Tab from the dialog manager and asks its parent to move the focus, as
// a dialog's own procedure would; a form is no dialog class, so it moves it here.
void Form::NextControl(WPARAM wParam, LPARAM lParam) {
    HWND next = lParam ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(window_.Get(), GetFocus(), wParam != 0);
    if (next)
        SetFocus(next);
}

LRESULT Form::ContextMenuMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!OnContextPopup)
        return DefaultProc(message, wParam, lParam);
    OnContextPopup({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return 0;
}

LRESULT Form::ControlColorMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (WinControl* child = ChildOf(lParam))
        if (HBRUSH brush = child->ControlColor(reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
    if (message == WM_CTLCOLOREDIT)
        return DefaultProc(message, wParam, lParam);
    SetBkColor(reinterpret_cast<HDC>(wParam), Color());
    if (highContrast_)
        SetTextColor(reinterpret_cast<HDC>(wParam), TextColor(FontSpec{}));
    return reinterpret_cast<LRESULT>(background_.Get());
}

LRESULT Form::NotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (tooltip_.Notify(*reinterpret_cast<const NMHDR*>(lParam), result))
        return result;
    return DefaultProc(message, wParam, lParam);
}

// Where the focus goes is toolkit/Focus.h's rule; a form without controls has nothing to focus.
LRESULT Form::ActivateMessage(WPARAM wParam, LPARAM lParam) {
    if (children_.empty())
        return DefaultProc(WM_ACTIVATE, wParam, lParam);
    focus_.Activated(window_.Get(), wParam);
    return 0;
}

LRESULT Form::WindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1; // WM_PAINT fills everything, off-screen
    case WM_PAINT: PaintMessage(); return 0;
    case kApplyIconMessage: ApplyIcon(); return 0;
    case kDefaultActionMessage: if (wParam < drawn_.All().size()) drawn_.All()[wParam]->DoDefaultAction(); return 0;
    case WM_GETOBJECT:
        if (const LRESULT object = AnswerForForm(*this, accessible_, wParam, lParam)) return object;
        return DefaultProc(message, wParam, lParam);
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONUP: case WM_MBUTTONUP: drawn_.Mouse(message, wParam, lParam); return 0;
    case WM_MOUSEMOVE: tooltip_.Activate(window_.Get()); drawn_.Mouse(message, wParam, lParam); return 0;
    // The default handling of a right-button release is what asks for the context menu.
    case WM_RBUTTONUP: drawn_.Mouse(message, wParam, lParam); return DefaultProc(message, wParam, lParam);
    case WM_MOUSELEAVE: drawn_.MouseLeft(); return 0;
    case WM_CAPTURECHANGED: drawn_.CaptureChanged(reinterpret_cast<HWND>(lParam)); return 0;
    case WM_CANCELMODE: drawn_.CancelMode(); return DefaultProc(message, wParam, lParam);
    case WM_SYSCOLORCHANGE: ColorsChanged(); return DefaultProc(message, wParam, lParam);
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETHIGHCONTRAST) ColorsChanged();
        return DefaultProc(message, wParam, lParam);
    case WM_THEMECHANGED: drawn_.ThemeChanged(); Invalidate(); return DefaultProc(message, wParam, lParam);
    case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP: return KeyMessage(message, wParam, lParam);
    case WM_CONTEXTMENU: return ContextMenuMessage(message, wParam, lParam);
    case WM_COMMAND: if (WinControl* child = ChildOf(lParam)) child->Command(HIWORD(wParam)); return 0;
    case WM_CTLCOLORSTATIC: case WM_CTLCOLOREDIT: case WM_CTLCOLORBTN:
        return ControlColorMessage(message, wParam, lParam);
    case WM_CLOSE: Close(); return 0;
    case WM_NEXTDLGCTL: NextControl(wParam, lParam); return 0;
    case WM_ACTIVATE: return ActivateMessage(wParam, lParam);
    case WM_NOTIFY: return NotifyMessage(message, wParam, lParam);
    // The window moved to a screen of another resolution.
    case WM_DPICHANGED: ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_MOVE: case WM_SIZE: WindowMoved(); return DefaultProc(message, wParam, lParam);
    case WM_DISPLAYCHANGE: if (OnDisplayChange) OnDisplayChange(); return DefaultProc(message, wParam, lParam);
    default: return DefaultProc(message, wParam, lParam);
    }
}

// ---- Colours: the layout's own, or, while the system's high-contrast mode is on, the system's,
// so that text stays readable in the colours the user chose (a fixed white background under a
// theme's white text would hide every label). A change of the mode or of the system's colours
// repaints the form at once.

bool SystemHighContrastOn() {
    HIGHCONTRASTW mode{sizeof mode};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof mode, &mode, 0) && (mode.dwFlags & HCF_HIGHCONTRASTON);
}

bool (*HighContrastOn)() = &SystemHighContrastOn;

// A form on the button face keeps its pair of system colours; one with a colour of its own takes
// the window's pair.
COLORREF Form::Color() const noexcept {
    if (layout_.Color == CLR_INVALID)
        return GetSysColor(COLOR_BTNFACE);
    return highContrast_ ? GetSysColor(COLOR_WINDOW) : layout_.Color;
}

COLORREF Form::TextColor(const FontSpec& font) const noexcept {
    if (!highContrast_)
        return TextColorOf(font);
    return GetSysColor(layout_.Color == CLR_INVALID ? COLOR_BTNTEXT : COLOR_WINDOWTEXT);
}

void Form::ApplyColors() {
    highContrast_ = HighContrastOn();
    background_.Reset(CreateSolidBrush(Color()));
}

void Form::ColorsChanged() {
    ApplyColors();
    RedrawWindow(window_.Get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// ---- Placement: the bounds, kept in step with the window's, the first showing's centring (and
// the centring of a form whose place is on no monitor any more), and the change to a monitor of
// another resolution.

void Form::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (window_)
        SetWindowPos(window_.Get(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::WindowMoved() {
    if (IsIconic(window_.Get()) || IsZoomed(window_.Get()))
        return; // keep the normal bounds
    RECT rect{};
    GetWindowRect(window_.Get(), &rect);
    left_ = rect.left;
    top_ = rect.top;
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
}

void Form::AdoptDpi(int dpi) {
    dpi_ = dpi;
    OwnedFont previous = std::move(font_); // the controls still draw with it until they change
    font_ = CreateFontFor(layout_.Font, dpi);
    drawn_.DpiChanged(dpi);
    for (WinControl* child : children_)
        if (child->Handle())
            child->DpiChanged(dpi);
    for (std::size_t i = 0; i < drawn_.All().size(); ++i)
        tooltip_.MoveTool(i, drawn_.All()[i]->BoundsRect());
}

void Form::ChangeDpi(int dpi, const RECT& suggested) {
    AdoptDpi(dpi);
    SetWindowPos(window_.Get(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    tooltip_.ClientResized();
    Invalidate();
}

void Form::CentreOnDesktop() {
    const RECT desktop = Desktop();
    SetBounds(desktop.left + (desktop.right - desktop.left - width_) / 2,
              desktop.top + (desktop.bottom - desktop.top - height_) / 2, width_, height_);
}

bool Form::OnSomeMonitor() const noexcept { return tk::OnSomeMonitor({left_, top_, left_ + width_, top_ + height_}); }

} // namespace tk
