#include "toolkit/FormAccessible.h"

#include "core/ReadingOrder.h"
#include "toolkit/AccessibleSupport.h"
#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/Text.h"
#include "toolkit/WinControl.h"

namespace tk {

namespace {

long RoleOf(AccessibleRole role) {
    switch (role) {
    case AccessibleRole::Text: return ROLE_SYSTEM_STATICTEXT;
    case AccessibleRole::PushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::Grouping: return ROLE_SYSTEM_GROUPING;
    case AccessibleRole::Graphic: return ROLE_SYSTEM_GRAPHIC;
    case AccessibleRole::TimeDisplay: return ROLE_SYSTEM_CLOCK;
    }
    return ROLE_SYSTEM_STATICTEXT;
}

void SetEmpty(VARIANT* variant) { variant->vt = VT_EMPTY; }
void SetChildId(VARIANT* variant, long id) {
    variant->vt = VT_I4;
    variant->lVal = id;
}

// The object answers on the form's thread only: COM brings a reader's calls there.
class FormAccessible final : public IAccessible, public IOleWindow {
public:
    explicit FormAccessible(Form& form) : form_(&form) {}
    void Disconnect() noexcept { form_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible)
            *result = static_cast<IAccessible*>(this);
        else if (iid == IID_IOleWindow)
            *result = static_cast<IOleWindow*>(this);
        else
            return *result = nullptr, E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch: readers call the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IOleWindow: which window the object belongs to.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = form_ ? form_->Handle() : nullptr;
        return *window ? S_OK : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        *parent = nullptr;
        return form_ ? WindowObject(form_->Handle(), IID_IDispatch, reinterpret_cast<void**>(parent))
                     : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        *count = form_ ? static_cast<LONG>(ReadingOrder(*form_).size()) : 0;
        return form_ ? S_OK : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) override {
        *child = nullptr;
        AccessibleChild found;
        HRESULT result = Find(id, found);
        if (result != S_OK || !found.Window)
            return result == S_OK ? S_FALSE : result; // a simple child is no object of its own
        return WindowObject(found.Window, IID_IDispatch, reinterpret_cast<void**>(child));
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) override {
        return Ask(id, name, [&](const AccessibleChild& c) {
            if (c.Drawn)
                return ReturnText(c.Drawn->Name(), name);
            if (!form_->AccessibleName().empty())
                return ReturnText(form_->AccessibleName(), name);
            wchar_t text[256]{};
            GetWindowTextW(form_->Handle(), text, 256);
            return ReturnText(Narrow(text), name);
        }, &IAccessible::get_accName);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* value) override {
        return Ask(id, value, [&](const AccessibleChild&) { return *value = nullptr, DISP_E_MEMBERNOTFOUND; },
                   &IAccessible::get_accValue);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* description) override {
        return Ask(id, description, [&](const AccessibleChild& c) {
            const bool has = c.Drawn && c.Drawn->OnAccessibleDescription;
            return ReturnText(has ? c.Drawn->OnAccessibleDescription() : std::string(), description);
        }, &IAccessible::get_accDescription);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) override {
        return Ask(id, role, [&](const AccessibleChild& c) {
            SetChildId(role, c.Drawn ? RoleOf(c.Drawn->Role) : form_->AccessibleDialog() ? ROLE_SYSTEM_DIALOG
                                                                                          : ROLE_SYSTEM_CLIENT);
            return S_OK;
        }, &IAccessible::get_accRole);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) override {
        return Ask(id, state, [&](const AccessibleChild& c) {
            long flags = 0;
            if (c.Drawn) {
                flags = c.Drawn->Role == AccessibleRole::PushButton ? 0 : STATE_SYSTEM_READONLY;
                if (!c.Drawn->Enabled) flags |= STATE_SYSTEM_UNAVAILABLE;
            } else {
                flags = STATE_SYSTEM_FOCUSABLE;
                if (GetFocus() == form_->Handle()) flags |= STATE_SYSTEM_FOCUSED;
            }
            if (!IsWindowVisible(form_->Handle())) flags |= STATE_SYSTEM_INVISIBLE;
            SetChildId(state, flags);
            return S_OK;
        }, &IAccessible::get_accState);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override { return *help = nullptr, S_FALSE; }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        return *file = nullptr, *topic = 0, S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* shortcut) override {
        return Ask(id, shortcut, [&](const AccessibleChild&) { return *shortcut = nullptr, S_FALSE; },
                   &IAccessible::get_accKeyboardShortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        SetEmpty(focus);
        if (!form_)
            return RPC_E_DISCONNECTED;
        HWND focused = GetFocus();
        if (focused == form_->Handle())
            return SetChildId(focus, CHILDID_SELF), S_OK;
        for (const AccessibleChild& child : ReadingOrder(*form_))
            if (child.Window && (child.Window == focused || IsChild(child.Window, focused)))
                return SetDispatch(child.Window, focus);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override { return SetEmpty(selection), S_OK; }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) override {
        return Ask(id, action, [&](const AccessibleChild& c) {
            return c.Drawn && !c.Drawn->DefaultAction().empty() ? ReturnText(c.Drawn->DefaultAction(), action)
                                                                 : (*action = nullptr, DISP_E_MEMBERNOTFOUND);
        }, &IAccessible::get_accDefaultAction);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT id) override {
        AccessibleChild found;
        if (const HRESULT result = Find(id, found); result != S_OK)
            return result;
        if (found.Drawn || flags != SELFLAG_TAKEFOCUS)
            return DISP_E_MEMBERNOTFOUND;
        SetFocus(found.Window ? found.Window : form_->Handle());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT id) override {
        *left = *top = *width = *height = 0;
        AccessibleChild found;
        if (const HRESULT result = Find(id, found); result != S_OK)
            return result;
        RECT bounds = found.Bounds;
        if (!found.Drawn && !found.Window)
            GetClientRect(form_->Handle(), &bounds);
        MapWindowPoints(form_->Handle(), nullptr, reinterpret_cast<POINT*>(&bounds), 2);
        *left = bounds.left, *top = bounds.top;
        *width = bounds.right - bounds.left, *height = bounds.bottom - bounds.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        SetEmpty(end);
        AccessibleChild from;
        if (const HRESULT result = Find(start, from); result != S_OK)
            return result;
        const std::vector<AccessibleChild> children = ReadingOrder(*form_);
        const long count = static_cast<long>(children.size()), at = start.lVal;
        long to = 0;
        if (at == CHILDID_SELF && direction == NAVDIR_FIRSTCHILD) to = 1;
        else if (at == CHILDID_SELF && direction == NAVDIR_LASTCHILD) to = count;
        else if (at != CHILDID_SELF && direction == NAVDIR_NEXT) to = at + 1;
        else if (at != CHILDID_SELF && direction == NAVDIR_PREVIOUS) to = at - 1;
        else if (at == CHILDID_SELF || direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) return S_FALSE;
        else return DISP_E_MEMBERNOTFOUND; // no spatial moves: reading order is the one order kept
        if (to < 1 || to > count)
            return S_FALSE;
        const AccessibleChild& target = children[static_cast<std::size_t>(to - 1)];
        return target.Window ? SetDispatch(target.Window, end) : (SetChildId(end, to), S_OK);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override {
        SetEmpty(hit);
        if (!form_)
            return RPC_E_DISCONNECTED;
        POINT point{x, y};
        ScreenToClient(form_->Handle(), &point);
        RECT client{};
        GetClientRect(form_->Handle(), &client);
        if (!PtInRect(&client, point))
            return S_FALSE;
        const std::vector<AccessibleChild> children = ReadingOrder(*form_);
        HWND window = ChildWindowFromPointEx(form_->Handle(), point, CWP_SKIPINVISIBLE);
        for (std::size_t i = children.size(); i-- > 0;) { // drawn later lies on top
            const AccessibleChild& c = children[i];
            if (c.Window ? c.Window == window : window == form_->Handle() && PtInRect(&c.Bounds, point))
                return c.Window ? SetDispatch(c.Window, hit) : (SetChildId(hit, static_cast<long>(i + 1)), S_OK);
        }
        return SetChildId(hit, CHILDID_SELF), S_OK;
    }
    // Posted, so that the click (which may close the form or end the program) runs after the
    // reader's request has returned.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
        AccessibleChild found;
        if (const HRESULT result = Find(id, found); result != S_OK)
            return result;
        if (!found.Drawn || found.Drawn->DefaultAction().empty())
            return DISP_E_MEMBERNOTFOUND;
        return form_->PostDefaultAction(*found.Drawn) ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~FormAccessible() = default;

    // The form itself (no drawn control, no window) for CHILDID_SELF, or the child of that id.
    HRESULT Find(const VARIANT& id, AccessibleChild& found) const {
        if (!form_)
            return RPC_E_DISCONNECTED;
        if (id.vt != VT_I4)
            return E_INVALIDARG;
        if (id.lVal == CHILDID_SELF)
            return S_OK;
        const std::vector<AccessibleChild> children = ReadingOrder(*form_);
        if (id.lVal < 1 || id.lVal > static_cast<long>(children.size()))
            return E_INVALIDARG;
        found = children[static_cast<std::size_t>(id.lVal - 1)];
        return S_OK;
    }

    // A property of the form or of a drawn child from `own`; of a windowed child, from that
    // window's own object, as a reader holding that object would read it.
    template <class Result, class Own, class Method>
    HRESULT Ask(const VARIANT& id, Result* result, Own own, Method method) {
        AccessibleChild found;
        const HRESULT status = Find(id, found);
        if (status != S_OK || !found.Window)
            return status == S_OK ? own(found) : (*result = {}, status);
        IAccessible* object = nullptr;
        if (const HRESULT made = WindowObject(found.Window, IID_IAccessible, reinterpret_cast<void**>(&object));
            FAILED(made))
            return *result = {}, made;
        VARIANT self;
        SetChildId(&self, CHILDID_SELF);
        const HRESULT asked = (object->*method)(self, result);
        object->Release();
        return asked;
    }

    static HRESULT SetDispatch(HWND window, VARIANT* variant) {
        IDispatch* object = nullptr;
        const HRESULT result = WindowObject(window, IID_IDispatch, reinterpret_cast<void**>(&object));
        if (SUCCEEDED(result)) {
            variant->vt = VT_DISPATCH;
            variant->pdispVal = object;
        }
        return result;
    }

    Form* form_;
    ULONG references_ = 1;
};

} // namespace

std::vector<AccessibleChild> ReadingOrder(const Form& form) noexcept try {
    std::vector<AccessibleChild> children;
    for (GraphicControl* control : form.DrawnControls())
        if (control->Visible)
            children.push_back({control, nullptr, control->BoundsRect()});
    for (WinControl* control : form.WindowedControls())
        children.push_back({nullptr, control->Handle(), control->BoundsRect()});
    std::vector<ReadingBox> boxes;
    boxes.reserve(children.size());
    for (const AccessibleChild& child : children)
        boxes.push_back({child.Bounds.left, child.Bounds.top, child.Bounds.right, child.Bounds.bottom});
    std::vector<AccessibleChild> ordered;
    ordered.reserve(children.size());
    for (std::size_t index : ::ReadingOrder(boxes))
        ordered.push_back(children[index]);
    return ordered;
} catch (...) {
    return {};
}

IAccessible* NewFormAccessible(Form& form) { return new FormAccessible(form); }

void DisconnectFormAccessible(IAccessible* object) noexcept { static_cast<FormAccessible*>(object)->Disconnect(); }

} // namespace tk
