// The template dialog as a modal window with its own message loop.
#include "app/win32/template_dialog.hpp"

#include "app/win32/form_controls.hpp"
#include "platform/windows/wide_text.hpp"

namespace ls::app::win32 {
namespace {

constexpr const wchar_t* kClassName = L"LieferscheinDlgVorlagen";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;

struct DialogState {
    bool done = false;
    std::size_t chosen = 0;
};

void choose(HWND dialog) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    const auto row = SendDlgItemMessageW(dialog, kIdTemplates, LB_GETCURSEL, 0, 0);
    state->chosen = row == LB_ERR ? 0 : static_cast<std::size_t>(row);
    state->done = true;
}

LRESULT CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(dialog, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            break;
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (id == kIdOk || id == kIdCancel || (id == kIdTemplates && code == LBN_DBLCLK)) {
                choose(dialog);
                return 0;
            }
            break;
        }
        case WM_CLOSE:
            // The close box chooses too: a run needs a template.
            choose(dialog);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(dialog, message, wParam, lParam);
}

}  // namespace

std::size_t chooseTemplate(HWND owner, const std::vector<std::string>& names) {
    const auto instance = GetModuleHandleW(nullptr);
    registerFormClass(instance, dialogProc, kClassName);
    const int dpi = screenDpi();
    const auto fonts = formFonts(dpi);
    const auto size = windowSize(kDialogClient, kStyle, kExStyle, dpi);

    // Centred on the owner, or on the screen without one.
    RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner) GetWindowRect(owner, &around);
    const int x = around.left + (around.right - around.left - size.cx) / 2;
    const int y = around.top + (around.bottom - around.top - size.cy) / 2;

    DialogState state;
    const HWND dialog =
        CreateWindowExW(kExStyle, kClassName, platform::windows::wide(kDialogCaption).c_str(),
                        kStyle, x, y, size.cx, size.cy, owner, nullptr, instance, &state);
    if (!dialog) return 0;
    createControls(dialog, kDialogControls, fonts, dpi);
    const HWND list = GetDlgItem(dialog, kIdTemplates);
    for (const auto& name : names)
        SendMessageW(list, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(platform::windows::wide(name).c_str()));
    SendMessageW(list, LB_SETCURSEL, 0, 0);

    const bool ownerEnabled = owner && IsWindowEnabled(owner);
    if (ownerEnabled) EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    SetFocus(list);

    MSG message;
    while (!state.done) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: pass the quit on to the main loop.
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        // Enter and Escape choose from any control of the dialog.
        if (message.message == WM_KEYDOWN &&
            (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE) &&
            (message.hwnd == dialog || IsChild(dialog, message.hwnd))) {
            choose(dialog);
            continue;
        }
        if (IsDialogMessageW(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (ownerEnabled) EnableWindow(owner, TRUE);
    DestroyWindow(dialog);
    if (owner) SetForegroundWindow(owner);
    return state.chosen < names.size() ? state.chosen : 0;
}

}  // namespace ls::app::win32
