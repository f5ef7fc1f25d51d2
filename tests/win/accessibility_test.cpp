// What a screen reader finds in each window, read from a thread of its own as a reader in
// another process reads it (every call crosses apartments through oleacc's marshalling), and the
// one apartment a reader's first request enters. (The keyboard alone reaching every choice is
// keyboard_test.cpp's.)
#include <windows.h>

#include <oleacc.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "BuildConfig.h"
#include "Support.h"
#include "clockbar/Unit1.h"
#include "core/Scheduler.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "platform/Shell.h"
#include "toolkit/Com.h"
#include "toolkit/Text.h"

using namespace testsupport;

namespace {

// Runs `read` on a thread in a single-threaded apartment of its own, as a reader's thread, while
// this thread goes on dispatching the forms' messages.
void AsReader(const std::function<void()>& read) {
    std::atomic<bool> done{false};
    std::thread reader([&] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        read();
        CoUninitialize();
        done = true;
    });
    PumpUntil([&] { return done.load(); }, 20000);
    reader.join();
}

VARIANT Id(long id) {
    VARIANT variant{};
    variant.vt = VT_I4;
    variant.lVal = id;
    return variant;
}

std::wstring Take(BSTR text) {
    std::wstring taken = text ? text : L"";
    SysFreeString(text);
    return taken;
}

IAccessible* ClientObject(HWND window) {
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                               reinterpret_cast<void**>(&object));
    return object;
}

std::wstring NameOf(IAccessible* object, long id = CHILDID_SELF) {
    BSTR name = nullptr;
    object->get_accName(Id(id), &name);
    return Take(name);
}

// "kind name [default action]" of one of our own objects.
std::wstring Describe(IAccessible* object, long id) {
    VARIANT role{};
    object->get_accRole(Id(id), &role);
    const wchar_t* kind = L"?";
    switch (role.lVal) {
    case ROLE_SYSTEM_STATICTEXT: kind = L"text"; break;
    case ROLE_SYSTEM_PUSHBUTTON: kind = L"button"; break;
    case ROLE_SYSTEM_GROUPING: kind = L"grouping"; break;
    case ROLE_SYSTEM_GRAPHIC: kind = L"graphic"; break;
    case ROLE_SYSTEM_CLOCK: kind = L"clock"; break;
    case ROLE_SYSTEM_CLIENT: kind = L"client"; break;
    case ROLE_SYSTEM_DIALOG: kind = L"dialog"; break;
    }
    BSTR action = nullptr;
    object->get_accDefaultAction(Id(id), &action);
    const std::wstring verb = Take(action);
    return kind + (L" " + NameOf(object, id)) + (verb.empty() ? L"" : L" [" + verb + L"]");
}

// A windowed child by its own object, as a reader reads it when it takes the focus: "window
// name", the text of an edit as "= value", and the name of a combo box's text field.
std::wstring DescribeWindow(HWND window) {
    IAccessible* object = ClientObject(window);
    if (!object)
        return L"window without an object";
    std::wstring text = L"window " + NameOf(object);
    wchar_t className[32]{};
    GetClassNameW(window, className, 32);
    BSTR value = nullptr;
    if (lstrcmpiW(className, L"Edit") == 0 && object->get_accValue(Id(CHILDID_SELF), &value) == S_OK)
        text += L" = " + Take(value);
    object->Release();
    COMBOBOXINFO parts{sizeof parts};
    if (lstrcmpiW(className, L"ComboBox") == 0 && GetComboBoxInfo(window, &parts))
        if (IAccessible* field = ClientObject(parts.hwndItem)) {
            text += L" / field " + NameOf(field);
            field->Release();
        }
    return text;
}

struct Tree {
    std::wstring self;
    std::vector<std::wstring> children;
    std::vector<RECT> locations; // of the children, on the screen
};

Tree ReadTree(HWND window) {
    Tree tree;
    IAccessible* form = ClientObject(window);
    if (!form)
        return tree;
    tree.self = Describe(form, CHILDID_SELF);
    LONG count = 0;
    form->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    LONG got = 0;
    AccessibleChildren(form, 0, count, children.data(), &got);
    for (LONG i = 0; i < got; ++i) {
        RECT location{};
        LONG width = 0, height = 0;
        form->accLocation(&location.left, &location.top, &width, &height, Id(i + 1));
        tree.locations.push_back({location.left, location.top, location.left + width, location.top + height});
        VARIANT& child = children[static_cast<std::size_t>(i)];
        if (child.vt == VT_I4) {
            tree.children.push_back(Describe(form, child.lVal));
        } else if (child.vt == VT_DISPATCH) {
            IAccessible* object = nullptr;
            child.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&object));
            HWND childWindow = nullptr;
            if (object)
                WindowFromAccessibleObject(object, &childWindow);
            tree.children.push_back(childWindow ? DescribeWindow(childWindow) : L"window not found");
            if (object)
                object->Release();
            child.pdispVal->Release();
        }
    }
    form->Release();
    return tree;
}

std::wstring Text(const std::string& caption) { return L"text " + tk::Widen(caption); }
std::wstring Window(const std::string& name) { return L"window " + tk::Widen(name); }
std::wstring Box(const std::string& unit) { return Window(unit) + L" / field " + tk::Widen(unit); }

// The rows of a setup dialog's two choices, with the boxes read by their units.
std::vector<std::wstring> ChoiceRows(const char* countdown, const char* atTime) {
    return {Window(countdown), Box("分钟后"), Text("分钟后"), Window(atTime), Box("时"), Text("时"),
            Box("分"),         Text("分"),    Box("秒"),      Text("秒")};
}

std::vector<std::wstring> Join(std::vector<std::wstring> first, const std::vector<std::wstring>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

class ScreenReaders : public ProgramTest {};

} // namespace

TEST_F(ScreenReaders, FindEveryWindowsTextsPicturesAndControlsNamedInReadingOrder) {
    Form1->Timer1.SetEnabled(false);
    Form1->Label1.SetCaption("2026/12/9 10:45:42");
    Form6->Memo1.SetText("该开会了");
    const struct {
        tk::Form* form;
        std::wstring self;
        std::vector<std::wstring> children;
    } windows[] = {
        {Form1, L"client " + App().Title(), {L"clock 2026/12/9 10:45:42", L"button 最小化 [按下]", L"button 关闭 [按下]"}},
        {Form2, L"dialog 闹钟设置", Join(ChoiceRows("闹钟倒计时", "闹钟定时"), {Window("开始"), Window("取消")})},
        {Form3, L"dialog 自动关机", Join(ChoiceRows("关机倒计时", "定时关机"), {Window("开始"), Window("取消")})},
        {Form5, L"dialog 定时消息",
         Join(ChoiceRows("消息提醒倒计时", "定时消息提醒"),
              {Text("提醒内容"), Window("提醒内容 = "), Window("确定"), Window("取消")})},
        {Form7, L"dialog 定时开启",
         Join(Join({Text("此功能将按照你所设定的时间自动"), Text("运行您所选择的硬盘上的一个程序")},
                   ChoiceRows("开启倒计时", "定时开启")),
              {Text("程序路径"), Window("程序路径 = "), Window("选择"), Window("开始"), Window("取消")})},
        {Form4, L"dialog 关于软件",
         {L"grouping ", L"graphic 程序图标", Text("Vandrel定时关机"), Text("版本：7.0"),
          Text(std::string("网站主页：") + build::kHomePage), Text(std::string("客服邮箱：") + build::kSupportEmail),
          Text(std::string("客服电话：") + build::kSupportPhone), Window("确定")}},
        {Form6, L"dialog 消息提醒", {L"graphic 警告", Text("提醒内容"), Window("提醒内容 = 该开会了"), Window("关闭")}},
    };
    for (const auto& expected : windows) {
        HWND window = expected.form->EnsureHandle();
        if (expected.form != Form1)
            expected.form->Show();
        Tree tree;
        AsReader([&] { tree = ReadTree(window); });
        SCOPED_TRACE(tk::Narrow(expected.self));
        EXPECT_EQ(tree.self, expected.self);
        EXPECT_EQ(tree.children, expected.children);
        if (expected.form == Form1) { // where each drawn control is on the screen
            const tk::GraphicControl* drawn[] = {&Form1->Label1, &Form1->SpeedButton1, &Form1->SpeedButton2};
            for (std::size_t i = 0; i < std::size(drawn) && i < tree.locations.size(); ++i) {
                RECT bounds = drawn[i]->BoundsRect();
                MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
                EXPECT_TRUE(EqualRect(&bounds, &tree.locations[i])) << "child " << i + 1;
            }
        } else {
            expected.form->Hide();
        }
    }
}

TEST_F(ScreenReaders, HearTheClockChangeReadWhatIsArmedAndPressTheStripsButtonsAfterTheirRequest) {
    static std::atomic<LONG> clockChanged{0};
    clockChanged = 0;
    HWND strip = Form1->Handle();
    std::wstring clockRole, emptyDescription, armedDescription;
    AsReader([&] {
        HWINEVENTHOOK hook = SetWinEventHook(
            EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
            [](HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
                if (window == Form1->Handle() && object == OBJID_CLIENT)
                    clockChanged = child;
            },
            GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        const DWORD start = GetTickCount();
        while (!clockChanged && GetTickCount() - start < 2000) { // the clock changes once a second
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
        }
        UnhookWinEvent(hook);
        IAccessible* form = ClientObject(strip);
        if (clockChanged)
            clockRole = Describe(form, clockChanged);
        BSTR description = nullptr;
        form->get_accDescription(Id(1), &description);
        emptyDescription = Take(description);
        form->Release();
    });
    AlarmCountdown = {600, TaskArmed};
    AsReader([&] {
        IAccessible* form = ClientObject(strip);
        BSTR description = nullptr;
        form->get_accDescription(Id(1), &description);
        armedDescription = Take(description);
        form->Release();
    });
    EXPECT_EQ(clockChanged, 1) << "no name change of the clock within two seconds";
    EXPECT_EQ(clockRole.rfind(L"clock ", 0), 0u) << tk::Narrow(clockRole);
    EXPECT_EQ(emptyDescription, L"") << "nothing armed";
    EXPECT_EQ(tk::Narrow(armedDescription), Form1->ArmedTasksText());
    EXPECT_FALSE(armedDescription.empty());

    // The action is posted: the request returns before the strip is minimised.
    IAccessible* form = ClientObject(strip);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->accDoDefaultAction(Id(2)), S_OK);
    EXPECT_FALSE(IsIconic(App().Handle()));
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(App().Handle()) != FALSE; }));
    EXPECT_EQ(form->accDoDefaultAction(Id(1)), DISP_E_MEMBERNOTFOUND) << "the clock has no action";
    form->Release();
}

// The shell wants its apartment without OLE 1.0's DDE: a reader asking before the shell is used
// must enter that one apartment, which the shell then shares instead of entering another.
TEST_F(ScreenReaders, AReadersFirstRequestEntersTheOneApartmentWithTheShellsFlags) {
    static std::vector<DWORD> entered;
    static const auto system = tk::EnterApartmentRequest;
    entered.clear();
    tk::EnterApartmentRequest = [](void* reserved, DWORD flags) {
        entered.push_back(flags);
        return system(reserved, flags);
    };
    if (IAccessible* strip = ClientObject(Form1->Handle()))
        strip->Release();
    PrepareOpenFileDialog(); // the shell's first need
    tk::EnterApartmentRequest = system;
    if (entered.empty())
        GTEST_SKIP() << "an earlier test of this process entered the apartment";
    EXPECT_EQ(entered, std::vector<DWORD>{COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE});
}
