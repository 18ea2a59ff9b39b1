// The Windows toolkit's dialogs: the system's message box, an input box of its own,
// and the shell's folder picker. Each is owned by the active form's window (else the
// window that is active), which it disables while it is up.
#include <shlobj.h>

#include <commctrl.h>

#include <utility>

#include "platform/text/win/wide.h"
#include "platform/toolkit/backend_window_manager.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/twips.h"
#include "platform/toolkit/win/win32_toolkit.h"
#include "platform/toolkit/win/win32_windows.h"

namespace platform::toolkit {

using text::win::Narrow;
using text::win::Wide;

namespace {

constexpr wchar_t kInputClass[] = L"QuilletInputBox";
constexpr int kEdit = 100;

// The window a dialog belongs to.
HWND DialogOwner(const Win32Toolkit& toolkit, Hwnd owner = 0) {
    if (owner)
        if (Form* form = WindowManager::Get().FindForm(owner))
            if (HWND hwnd = toolkit.WindowOf(*form)) return hwnd;
    if (Form* active = WindowManager::Get().ActiveForm())
        if (HWND hwnd = toolkit.WindowOf(*active)) return hwnd;
    return GetActiveWindow();
}

struct InputState {
    bool done = false;
    std::optional<std::string> answer;
};

LRESULT CALLBACK InputProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
        case WM_COMMAND:
            if (!state) break;
            if (LOWORD(wParam) == IDOK) {
                HWND edit = GetDlgItem(hwnd, kEdit);
                std::wstring text(size_t(GetWindowTextLengthW(edit)) + 1, L'\0');
                text.resize(size_t(GetWindowTextW(edit, text.data(), int(text.size()))));
                state->answer = Narrow(text);
                state->done = true;
            } else if (LOWORD(wParam) == IDCANCEL) {
                state->done = true;
            }
            return 0;
        case WM_CLOSE:
            if (state) state->done = true;
            return 0;
        default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A stand-in's answer to the message box about to be shown, pressed on the box once it
// is up: a timer of this thread runs inside the box's own loop.
struct PendingAnswer {
    int32_t button = 0;
    StandIn* standIn = nullptr;
    std::string title;
};
thread_local PendingAnswer pending;

BOOL CALLBACK FindShownBox(HWND hwnd, LPARAM found) {
    wchar_t windowClass[16] = {};
    GetClassNameW(hwnd, windowClass, 16);
    if (wcscmp(windowClass, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

void CALLBACK PressAnswer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindShownBox, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    KillTimer(nullptr, timer);
    int button = pending.button;
    if (!GetDlgItem(box, button)) {
        pending.standIn->Unexpected("the message box \"" + pending.title + "\" has no button answering " +
                                    std::to_string(button));
        button = GetDlgItem(box, IDCANCEL) ? IDCANCEL : GetDlgItem(box, IDNO) ? IDNO : IDOK;
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

// The shell's picker told to choose the stand-in's folder, or to cancel. The tree
// opens its way to a folder as it reads the folders on the way, so the folder is asked
// for again until it is the selection, then OK is pressed; after a few seconds OK is
// pressed on whatever the picker could select, and the caller sees the difference.
struct PickerAnswer {
    std::optional<std::wstring> folder;
};
struct OpenPicker {
    HWND hwnd = nullptr;
    const PickerAnswer* answer = nullptr;
    UINT_PTR timer = 0;
    int tries = 0;
};
thread_local OpenPicker openPicker;

bool SameFolder(std::wstring path, const std::wstring& folder) {
    while (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return lstrcmpiW(path.c_str(), folder.c_str()) == 0;
}

// The child of a tree item shown under the name, or null.
HTREEITEM ChildNamed(HWND tree, HTREEITEM parent, const std::wstring& name) {
    auto next = [tree](UINT which, HTREEITEM item) {
        return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
    };
    for (HTREEITEM child = next(TVGN_CHILD, parent); child; child = next(TVGN_NEXT, child)) {
        wchar_t text[MAX_PATH] = {};
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem = child;
        item.pszText = text;
        item.cchTextMax = MAX_PATH;
        if (SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) && lstrcmpiW(text, name.c_str()) == 0)
            return child;
    }
    return nullptr;
}

// Each folder on the way selected and opened in turn, then the folder itself. Wine's
// picker at times does not find a folder that its tree shows under the one reached;
// the person then clicks it in the tree.
void SelectOnTheWay(HWND picker, const std::wstring& folder) {
    HWND tree = FindWindowExW(picker, nullptr, WC_TREEVIEWW, nullptr);
    if (!tree) {
        SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
        return;
    }
    HTREEITEM reached = nullptr;
    for (size_t from = 0;;) {
        const size_t at = folder.find(L'\\', from);
        const bool last = at == std::wstring::npos;
        const std::wstring step = last ? folder : folder.substr(0, at + 1);
        SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(step.c_str()));
        auto* caret = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        if (reached && caret == reached)
            if (HTREEITEM child = ChildNamed(tree, reached, folder.substr(from, (last ? folder.size() : at) - from))) {
                SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(child));
                caret = child;
            }
        if (last || !caret) return;
        SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(caret));
        reached = caret;
        from = at + 1;
    }
}

void CALLBACK SelectAgain(HWND, UINT, UINT_PTR, DWORD) {
    if (!openPicker.hwnd) return;
    if (++openPicker.tries > 20) {
        PostMessageW(openPicker.hwnd, WM_COMMAND, IDOK, 0);
        return;
    }
    SelectOnTheWay(openPicker.hwnd, *openPicker.answer->folder);
}

int CALLBACK AnswerPicker(HWND hwnd, UINT message, LPARAM value, LPARAM data) {
    const auto* answer = reinterpret_cast<const PickerAnswer*>(data);
    if (message == BFFM_INITIALIZED) {
        if (!answer->folder) {
            PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
            return 0;
        }
        openPicker = {hwnd, answer, SetTimer(nullptr, 0, 250, SelectAgain), 0};
        SelectOnTheWay(hwnd, *answer->folder);
    } else if (message == BFFM_SELCHANGED && answer->folder && openPicker.hwnd == hwnd) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(value), path) &&
            SameFolder(path, *answer->folder)) {
            KillTimer(nullptr, std::exchange(openPicker.timer, 0));
            PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
        }
    }
    return 0;
}

}  // namespace

int32_t Win32Toolkit::MsgBox(const DialogRequest& request) {
    if (standIn_) {
        pending = {standIn_->AnswerMsgBox(request), standIn_, request.title};
        SetTimer(nullptr, 0, 10, PressAnswer);
    }
    // The toolkit's buttons, icons and answers are the system's own numbers.
    return MessageBoxW(DialogOwner(*this), Wide(request.text).c_str(), Wide(request.title).c_str(),
                       UINT(request.flags) | MB_SETFOREGROUND);
}

// A prompt at the top left, OK and Cancel at the right, the text field below, the
// default text selected in it; Enter answers OK, Esc and the close box Cancel.
std::optional<std::string> Win32Toolkit::InputBox(const DialogRequest& request) {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = InputProcedure;
        windowClass.hInstance = win32::ThisModule();
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kInputClass;
        return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    if (!registered) return std::nullopt;

    std::optional<std::optional<std::string>> standInAnswer;
    if (standIn_) standInAnswer = standIn_->AnswerInputBox(request);
    HWND owner = DialogOwner(*this);
    const int32_t dpi = win32::WindowDpi(owner);
    auto px = [dpi](int pixels) { return MulDiv(pixels, dpi, kStandardDpi); };
    InputState state;
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    RECT outer{0, 0, px(360), px(130)};
    AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT);
    HWND dialog = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kInputClass, Wide(request.title).c_str(),
                                  style, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                                  outer.bottom - outer.top, owner, nullptr, win32::ThisModule(), &state);
    if (!dialog) return std::nullopt;
    auto child = [&](const wchar_t* windowClass, const std::wstring& text, DWORD childStyle, int id, RECT r,
                     DWORD extended = 0) {
        HWND hwnd = CreateWindowExW(extended, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | childStyle, px(r.left),
                                    px(r.top), px(r.right), px(r.bottom), dialog,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), win32::ThisModule(), nullptr);
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return hwnd;
    };
    child(L"STATIC", Wide(request.text), SS_LEFT | SS_NOPREFIX, -1, {10, 10, 260, 70});
    child(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, {280, 10, 70, 24});
    child(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, {280, 40, 70, 24});
    HWND edit = child(L"EDIT", Wide(request.defaultText), WS_TABSTOP | ES_AUTOHSCROLL, kEdit, {10, 95, 340, 22},
                      WS_EX_CLIENTEDGE);

    const bool disable = owner && IsWindowEnabled(owner);
    if (disable) EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOW);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    if (standInAnswer) {
        // Typed over the selected default text, then OK; or Cancel.
        if (*standInAnswer)
            SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(**standInAnswer).c_str()));
        PostMessageW(dialog, WM_COMMAND, *standInAnswer ? IDOK : IDCANCEL, 0);
    }
    MSG message;
    while (!state.done) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(int(message.wParam));
            break;
        }
        if (IsDialogMessageW(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (disable) EnableWindow(owner, TRUE);
    DestroyWindow(dialog);
    return state.answer;
}

std::optional<std::string> Win32Toolkit::BrowseForFolder(const DialogRequest& request) {
    const std::wstring title = Wide(request.title);
    BROWSEINFOW browse{};
    browse.hwndOwner = DialogOwner(*this, request.owner);
    browse.lpszTitle = title.c_str();
    browse.ulFlags = UINT(request.flags);
    PIDLIST_ABSOLUTE root = nullptr;
    if (request.root && !request.root->empty())
        if (SUCCEEDED(SHParseDisplayName(Wide(*request.root).c_str(), nullptr, &root, 0, nullptr)))
            browse.pidlRoot = root;
    std::optional<std::string> standInAnswer;
    PickerAnswer answer;
    if (standIn_) {
        standInAnswer = standIn_->AnswerPicker(request);
        if (standInAnswer) answer.folder = Wide(*standInAnswer);
        browse.lpfn = AnswerPicker;
        browse.lParam = reinterpret_cast<LPARAM>(&answer);
    }
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (openPicker.timer) KillTimer(nullptr, openPicker.timer);
    openPicker = {};
    if (root) CoTaskMemFree(root);
    if (!chosen) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const bool named = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    if (!named) return std::nullopt;
    // The shell gives a drive root as "C:\" and every other folder without its backslash.
    std::wstring folder(path);
    while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    if (standInAnswer && !SameFolder(folder, *answer.folder)) {
        standIn_->Unexpected("picker answer \"" + *standInAnswer + "\" is not a folder the picker offers (it chose \"" +
                             Narrow(folder) + "\")");
        return std::nullopt;
    }
    return Narrow(folder);
}

}  // namespace platform::toolkit
