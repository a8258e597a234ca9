// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the Windows program, walks its window's UI Automation element tree from this other
// process, as a Windows screen reader does, and checks each control's name, control type and
// AutomationId; checks too that the title bar offers only the close box. Prints the tree as
// it finds it, one element a line.
//   uia_tree.exe PATH\TO\caesar.exe
// Debian's mingw-w64 declares none of the UI Automation client functions and has no import
// library for them, so they are looked up at run time with the few types they take.
#include <windows.h>

#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

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
const wchar_t kCaption[] = L"www.example.org Информатика - криптиране, cipher Zuradi";

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

void Walk(const Uia& uia, Node node, int depth, std::vector<Element>& elements) {
    Element element{StringProperty(uia, node, kAutomationId), IntProperty(uia, node, kControlType),
                    StringProperty(uia, node, kName)};
    Print(std::wstring(static_cast<std::size_t>(2 * depth), L' ') + element.automationId + L"\t" +
          std::to_wstring(element.controlType) + L"\t" + element.name + L"\n");
    elements.push_back(element);
    for (Node child = Step(uia, node, kFirstChild); child != nullptr;) {
        Walk(uia, child, depth + 1, elements);
        Node next = Step(uia, child, kNextSibling);
        uia.nodeRelease(child);
        child = next;
    }
}

struct Search {
    DWORD process;
    HWND window;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window)) {
        search->window = window;
        return FALSE;
    }
    return TRUE;
}

int Fail(const std::wstring& message) {
    Print(L"uia_tree: " + message + L"\n");
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc != 2) {
        return Fail(L"usage: uia_tree.exe PATH\\TO\\caesar.exe");
    }
    HMODULE core = LoadLibraryW(L"uiautomationcore.dll");
    const Uia uia{Resolve<NodeFromHandle>(core, "UiaNodeFromHandle"),
                  Resolve<Navigate>(core, "UiaNavigate"),
                  Resolve<GetPropertyValue>(core, "UiaGetPropertyValue"),
                  Resolve<NodeRelease>(core, "UiaNodeRelease")};
    if (!uia.nodeFromHandle || !uia.navigate || !uia.getPropertyValue || !uia.nodeRelease) {
        return Fail(L"uiautomationcore.dll lacks the node functions");
    }
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);

    // A path from the Linux side names drive Z:, where Wine shows the Linux root.
    std::wstring path = argv[1];
    if (path.starts_with(L'/')) {
        path = L"Z:" + path;
    }
    for (wchar_t& c : path) {
        c = c == L'/' ? L'\\' : c;
    }
    std::wstring command = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION program{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &program)) {
        return Fail(L"could not start " + path);
    }
    Search search{program.dwProcessId, nullptr};
    for (int tries = 0; tries < 300 && search.window == nullptr; ++tries) {
        Sleep(100);
        EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
    }
    if (search.window == nullptr) {
        TerminateProcess(program.hProcess, 1);
        return Fail(L"the program showed no window within 30 s");
    }

    int failures = 0;
    // The title bar offers the close box alone, and the frame does not resize.
    const LONG_PTR style = GetWindowLongPtrW(search.window, GWL_STYLE);
    if (!(style & WS_SYSMENU) || (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME))) {
        failures += Fail(L"the title bar offers more than the close box, or the frame resizes");
    }

    std::vector<Element> elements;
    Node root = nullptr;
    if (FAILED(uia.nodeFromHandle(search.window, &root)) || root == nullptr) {
        failures += Fail(L"no UI Automation node for the window");
    } else {
        Walk(uia, root, 0, elements);
        uia.nodeRelease(root);
    }
    bool window = false;
    for (const Element& element : elements) {
        window = window || (element.controlType == kWindow && element.name == kCaption);
    }
    if (!window) {
        failures += Fail(L"no window element named by the caption");
    }
    for (const Expected& expected : kExpected) {
        bool found = false;
        for (const Element& element : elements) {
            found = found ||
                    (element.automationId == expected.automationId &&
                     element.controlType == expected.controlType && element.name == expected.name);
        }
        if (!found) {
            failures +=
                Fail(std::wstring(L"no element ") + expected.automationId + L" of type " +
                     std::to_wstring(expected.controlType) + L" named «" + expected.name + L"»");
        }
    }

    PostMessageW(search.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(program.hProcess, 30000) != WAIT_OBJECT_0) {
        TerminateProcess(program.hProcess, 1);
        failures += Fail(L"the program did not end after WM_CLOSE");
    }
    CloseHandle(program.hThread);
    CloseHandle(program.hProcess);
    CoUninitialize();
    if (failures == 0) {
        Print(L"uia_tree: every control has its name, control type and AutomationId\n");
    }
    return failures == 0 ? 0 : 1;
}
