// SPDX-License-Identifier: GPL-3.0-or-later
// Shows the program's window on Windows' own platform and walks its UI Automation element
// tree from a second thread, as a Windows screen reader walks it: checks each control's
// name, control type and AutomationId, and that the title bar offers only the close box and
// the size is fixed. Prints the tree as it finds it, one element a line.
// Under Wine 8 a walk from another process deadlocks: navigating to a child makes Wine's
// provider thread in the program call back into Qt's interface, which waits on the window's
// thread, which waits on the navigation. So the window is shown here, with its thread in
// COM's multithreaded apartment, so that Qt's interface answers Wine's thread directly.
// Debian's mingw-w64 declares none of the UI Automation client functions and has no import
// library for them, so they are looked up at run time with the few types they take.
#include <windows.h>

#include <oleauto.h>

#include <QApplication>
#include <QMetaObject>

#include <string>
#include <thread>
#include <vector>

#include "window/accessibility.h"
#include "window/main_window.h"
#include "window/qt_texts.h"

namespace {

using Node = void*;
struct Condition {
    int type;  // ConditionType_True = 0
};
struct CacheRequest {
    Condition* viewCondition;
    int scope;  // TreeScope_Element = 1
    int* properties;
    int propertyCount;
    int* patterns;
    int patternCount;
    int elementMode;  // AutomationElementMode_Full = 1
};
using NodeFromHandle = HRESULT(WINAPI*)(HWND, Node*);
using Navigate = HRESULT(WINAPI*)(Node, int, Condition*, CacheRequest*, SAFEARRAY**, BSTR*);
using GetPropertyValue = HRESULT(WINAPI*)(Node, int, VARIANT*);
using NodeRelease = BOOL(WINAPI*)(Node);

constexpr int kFirstChild = 3;
constexpr int kNextSibling = 1;
constexpr int kControlType = 30003;
constexpr int kName = 30005;
constexpr int kAutomationId = 30011;

constexpr int kButton = 50000;
constexpr int kEdit = 50004;
constexpr int kImage = 50006;
constexpr int kText = 50020;
constexpr int kWindow = 50032;

struct Element {
    std::wstring automationId;
    int controlType = 0;
    std::wstring name;
};

struct Expected {
    const wchar_t* automationId;
    int controlType;
    const wchar_t* name;
};

// The controls as a screen reader must meet them, with the names the Linux build gives too.
const Expected kExpected[] = {
    {L"Label1(0)", kText, L"Информатика - шифър на Цезар, cipher Zuradi"},
    {L"Label1(1)", kText, L"Текст:"},
    {L"Label1(2)", kText, L"Отместване:"},
    {L"Label1(3)", kText, L"Шифриран:"},
    {L"Picture1", kImage, L"Шифров диск"},
    {L"Text2(0)", kEdit, L"Текст"},
    {L"Text2(1)", kEdit, L"Отместване"},
    {L"Text2(2)", kEdit, L"Шифриран"},
    {L"Command1(0)", kButton, L"Изчисли"},
    {L"Command1(1)", kButton, L"Изчисти"},
    {L"Text1(0)", kEdit, L"Обяснение и протокол на шифрирането"},
};

struct Uia {
    NodeFromHandle nodeFromHandle;
    Navigate navigate;
    GetPropertyValue getPropertyValue;
    NodeRelease nodeRelease;
};

template <typename Function>
Function Resolve(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Writes UTF-8 bytes straight to the output: a console or pipe would lose the Cyrillic.
void Print(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &written, nullptr);
}

std::wstring StringProperty(const Uia& uia, Node node, int property) {
    VARIANT value;
    VariantInit(&value);
    std::wstring text;
    if (SUCCEEDED(uia.getPropertyValue(node, property, &value)) && value.vt == VT_BSTR &&
        value.bstrVal != nullptr) {
        text.assign(value.bstrVal, SysStringLen(value.bstrVal));
    }
    VariantClear(&value);
    return text;
}

int IntProperty(const Uia& uia, Node node, int property) {
    VARIANT value;
    VariantInit(&value);
    int number = 0;
    if (SUCCEEDED(uia.getPropertyValue(node, property, &value)) && value.vt == VT_I4) {
        number = value.lVal;
    }
    VariantClear(&value);
    return number;
}

// The node that a navigation from NODE in DIRECTION reaches, or none.
Node Step(const Uia& uia, Node node, int direction) {
    Condition always{0};
    CacheRequest request{&always, 1, nullptr, 0, nullptr, 0, 1};
    SAFEARRAY* found = nullptr;
    BSTR structure = nullptr;
    Node next = nullptr;
    if (SUCCEEDED(uia.navigate(node, direction, &always, &request, &found, &structure)) && found) {
        LONG index[2] = {0, 0};
        VARIANT element;
        VariantInit(&element);
        if (SUCCEEDED(SafeArrayGetElement(found, index, &element))) {
            if (element.vt == VT_I8) {
                next = reinterpret_cast<Node>(static_cast<INT_PTR>(element.llVal));
            } else if (element.vt == VT_UNKNOWN) {
                next = element.punkVal;
            }
        }
        SafeArrayDestroy(found);
    }
    SysFreeString(structure);
    return next;
}

// Every control checked is a child of the window, so the walk stops there: the scroll bars
// inside the trace's box are of no interest, and under Wine navigating among them has
// crashed the program now and then.
constexpr int kDeepest = 1;

void Walk(const Uia& uia, Node node, int depth, std::vector<Element>& elements) {
    Element element{StringProperty(uia, node, kAutomationId), IntProperty(uia, node, kControlType),
                    StringProperty(uia, node, kName)};
    Print(std::wstring(static_cast<std::size_t>(2 * depth), L' ') + element.automationId + L"\t" +
          std::to_wstring(element.controlType) + L"\t" + element.name + L"\n");
    elements.push_back(element);
    if (depth == kDeepest) {
        return;
    }
    for (Node child = Step(uia, node, kFirstChild); child != nullptr;) {
        Walk(uia, child, depth + 1, elements);
        Node next = Step(uia, child, kNextSibling);
        uia.nodeRelease(child);
        child = next;
    }
}

int Fail(const std::wstring& message) {
    Print(L"uia_tree: " + message + L"\n");
    return 1;
}

// Qt 6.4 gives a control's object name as its AutomationId; Qt 6.8 the path of object names
// from the application down, joined by dots.
bool IdentifiesAs(const std::wstring& automationId, const std::wstring& objectName) {
    return automationId == objectName || automationId.ends_with(L"." + objectName);
}

// The whole check, run on a thread other than the window's; the number of faults found.
int CheckTree(HWND window, const std::wstring& caption) {
    HMODULE core = LoadLibraryW(L"uiautomationcore.dll");
    const Uia uia{Resolve<NodeFromHandle>(core, "UiaNodeFromHandle"),
                  Resolve<Navigate>(core, "UiaNavigate"),
                  Resolve<GetPropertyValue>(core, "UiaGetPropertyValue"),
                  Resolve<NodeRelease>(core, "UiaNodeRelease")};
    if (!uia.nodeFromHandle || !uia.navigate || !uia.getPropertyValue || !uia.nodeRelease) {
        return Fail(L"uiautomationcore.dll lacks the node functions");
    }
    int failures = 0;
    // The title bar offers the close box alone, and the window keeps its size.
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if (!(style & WS_SYSMENU) || (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
        failures += Fail(L"the title bar offers more than the close box");
    }
    MINMAXINFO limits{};
    SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    if (limits.ptMinTrackSize.x != limits.ptMaxTrackSize.x ||
        limits.ptMinTrackSize.y != limits.ptMaxTrackSize.y) {
        failures += Fail(L"the window's size is not fixed");
    }

    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    std::vector<Element> elements;
    Node root = nullptr;
    if (FAILED(uia.nodeFromHandle(window, &root)) || root == nullptr) {
        failures += Fail(L"no UI Automation node for the window");
    } else {
        Walk(uia, root, 0, elements);
        uia.nodeRelease(root);
    }
    CoUninitialize();
    bool named = false;
    for (const Element& element : elements) {
        named = named || (element.controlType == kWindow && element.name == caption);
    }
    if (!named) {
        failures += Fail(L"no window element named by the caption");
    }
    for (const Expected& expected : kExpected) {
        bool found = false;
        for (const Element& element : elements) {
            found = found ||
                    (IdentifiesAs(element.automationId, expected.automationId) &&
                     element.controlType == expected.controlType && element.name == expected.name);
        }
        if (!found) {
            failures +=
                Fail(std::wstring(L"no element ") + expected.automationId + L" of type " +
                     std::to_wstring(expected.controlType) + L" named «" + expected.name + L"»");
        }
    }
    return failures;
}

}  // namespace

int main(int argc, char* argv[]) {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    QApplication application(argc, argv);
    window::QtTexts qtTexts;
    window::InstallAccessibility();
    window::MainWindow mainWindow;
    mainWindow.show();
    const auto handle = reinterpret_cast<HWND>(mainWindow.winId());
    const std::wstring caption = mainWindow.windowTitle().toStdWString();
    int failures = 0;
    std::thread probe([&] {
        failures = CheckTree(handle, caption);
        QMetaObject::invokeMethod(
            &application, [] { QApplication::quit(); }, Qt::QueuedConnection);
    });
    QApplication::exec();
    probe.join();
    if (failures == 0) {
        Print(L"uia_tree: every control has its name, control type and AutomationId\n");
    }
    return failures == 0 ? 0 : 1;
}
