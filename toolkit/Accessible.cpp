#include "toolkit/Accessible.h"

#include <objbase.h>
#include <oleacc.h>

#include <string>
#include <utility>
#include <vector>

#include "toolkit/AccessibleSupport.h"
#include "toolkit/Com.h"
#include "toolkit/Form.h"
#include "toolkit/FormAccessible.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/SystemLibraries.h"
#include "toolkit/Text.h"
#include "toolkit/WinControl.h"

namespace tk {

namespace {

constinit SystemFunction<decltype(LresultFromObject)> lresultFromObject{L"oleacc.dll", "LresultFromObject"};
constinit SystemFunction<decltype(CreateStdAccessibleObject)> createStdAccessibleObject{
    L"oleacc.dll", "CreateStdAccessibleObject"};
} // namespace

// ---- A windowed control named by its label --------------------------------------------------

// The platform's own object for the control's window, with the name of its drawn label; all else
// (role, value, state, children) is the platform's. Made afresh for each request, as readers ask
// again when the focus moves, so a name never outlives the label it came from.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(IAccessible* standard, std::string name) : standard_(standard), name_(std::move(name)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *result = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return standard_->QueryInterface(iid, result); // its window, its children's list
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) override {
        if (id.vt == VT_I4 && id.lVal == CHILDID_SELF)
            return ReturnText(name_, name);
        return standard_->get_accName(id, name);
    }

#define TK_FORWARD(method, parameters, arguments) \
    HRESULT STDMETHODCALLTYPE method parameters override { return standard_->method arguments; }
    TK_FORWARD(GetTypeInfoCount, (UINT* count), (count))
    TK_FORWARD(GetTypeInfo, (UINT index, LCID locale, ITypeInfo** info), (index, locale, info))
    TK_FORWARD(GetIDsOfNames, (REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids),
               (riid, names, count, locale, ids))
    TK_FORWARD(Invoke, (DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                        EXCEPINFO* exception, UINT* argument),
               (id, riid, locale, flags, parameters, result, exception, argument))
    TK_FORWARD(get_accParent, (IDispatch** parent), (parent))
    TK_FORWARD(get_accChildCount, (LONG* count), (count))
    TK_FORWARD(get_accChild, (VARIANT id, IDispatch** child), (id, child))
    TK_FORWARD(get_accValue, (VARIANT id, BSTR* value), (id, value))
    TK_FORWARD(get_accDescription, (VARIANT id, BSTR* description), (id, description))
    TK_FORWARD(get_accRole, (VARIANT id, VARIANT* role), (id, role))
    TK_FORWARD(get_accState, (VARIANT id, VARIANT* state), (id, state))
    TK_FORWARD(get_accHelp, (VARIANT id, BSTR* help), (id, help))
    TK_FORWARD(get_accHelpTopic, (BSTR* file, VARIANT id, LONG* topic), (file, id, topic))
    TK_FORWARD(get_accKeyboardShortcut, (VARIANT id, BSTR* shortcut), (id, shortcut))
    TK_FORWARD(get_accFocus, (VARIANT* focus), (focus))
    TK_FORWARD(get_accSelection, (VARIANT* selection), (selection))
    TK_FORWARD(get_accDefaultAction, (VARIANT id, BSTR* action), (id, action))
    TK_FORWARD(accSelect, (LONG flags, VARIANT id), (flags, id))
    TK_FORWARD(accLocation, (LONG* left, LONG* top, LONG* width, LONG* height, VARIANT id),
               (left, top, width, height, id))
    TK_FORWARD(accNavigate, (LONG direction, VARIANT start, VARIANT* end), (direction, start, end))
    TK_FORWARD(accHitTest, (LONG x, LONG y, VARIANT* hit), (x, y, hit))
    TK_FORWARD(accDoDefaultAction, (VARIANT id), (id))
    TK_FORWARD(put_accName, (VARIANT id, BSTR name), (id, name))
    TK_FORWARD(put_accValue, (VARIANT id, BSTR value), (id, value))
#undef TK_FORWARD

private:
    ~NamedAccessible() { standard_->Release(); }

    IAccessible* standard_;
    std::string name_;
    ULONG references_ = 1;
};

// ---- Answering ------------------------------------------------------------------------------

void KeptAccessible::Reset() noexcept {
    if (IAccessible* object = std::exchange(object_, nullptr)) {
        DisconnectFormAccessible(object);
        object->Release();
    }
}

// Windows passes OBJID_CLIENT as a sign-extended LONG; Wine zero-extends it into the 64-bit
// LPARAM, so only the low 32 bits are compared.
LRESULT AnswerForForm(Form& form, KeptAccessible& kept, WPARAM wParam, LPARAM lParam) noexcept {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return 0;
    try {
        EnterApartment();
        if (!kept.object_)
            kept.object_ = NewFormAccessible(form);
        const LRESULT reference = lresultFromObject(IID_IAccessible, wParam, kept.object_);
        return reference > 0 ? reference : 0;
    } catch (...) {
        return 0; // no accessibility library: the reader gets the platform's plain object
    }
}

LRESULT AnswerWithName(HWND window, WPARAM wParam, LPARAM lParam, const GraphicControl& label) noexcept {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return 0;
    try {
        EnterApartment();
        IAccessible* standard = nullptr;
        if (FAILED(createStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard))))
            return 0;
        auto* named = new NamedAccessible(standard, label.Name());
        const LRESULT reference = lresultFromObject(IID_IAccessible, wParam, named);
        named->Release(); // the reference holds it now
        return reference > 0 ? reference : 0;
    } catch (...) {
        return 0;
    }
}

void RaiseNameChange(const GraphicControl& control) noexcept {
    const Form& form = control.Parent();
    if (!form.HandleAllocated() || !IsWindowVisible(form.Handle()))
        return;
    try {
        const std::vector<AccessibleChild> children = ReadingOrder(form);
        for (std::size_t i = 0; i < children.size(); ++i)
            if (children[i].Drawn == &control)
                NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, form.Handle(), OBJID_CLIENT, static_cast<LONG>(i + 1));
    } catch (...) {
    }
}

} // namespace tk
