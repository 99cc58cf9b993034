// The main window and its run options.
#include "app/win32/main_window.hpp"

#include <commctrl.h>

#include "app/win32/form_controls.hpp"
#include "app/win32/instance_channel.hpp"
#include "app/win32/template_dialog.hpp"
#include "app/win32/window_position.hpp"
#include "platform/open_document.hpp"
#include "platform/windows/wide_text.hpp"

namespace ls::app::win32 {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Topmost at start-up, so that the window is not lost behind the calling application.
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_CONTROLPARENT;

constexpr std::array<int, 4> kCheckBoxes = {kIdLosweise, kIdDruck, kIdEinzeln, kIdVerdichtet};

std::wstring caption() {
    return L"TNV32-Lieferschein V " + std::to_wstring(LS_VERSION_MAJOR) + L"." +
           std::to_wstring(LS_VERSION_MINOR) + L"." + std::to_wstring(LS_VERSION_PATCH);
}

WPARAM checkValue(CheckState s) {
    switch (s) {
        case CheckState::Cleared:
            return BST_UNCHECKED;
        case CheckState::Greyed:
            return BST_INDETERMINATE;
        case CheckState::Set:
            break;
    }
    return BST_CHECKED;
}

CheckState checkState(HWND box) {
    switch (SendMessageW(box, BM_GETCHECK, 0, 0)) {
        case BST_UNCHECKED:
            return CheckState::Cleared;
        case BST_INDETERMINATE:
            return CheckState::Greyed;
        default:
            return CheckState::Set;
    }
}

}  // namespace

MainWindow::MainWindow(const CommandLine& commandLine)
    : dpi_(screenDpi()), fonts_(formFonts(dpi_)), model_(commandLine, *this) {
    const auto instance = GetModuleHandleW(nullptr);
    INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
    registerFormClass(instance, windowProc, kMainWindowClass);

    const auto size = windowSize(kMainClient, kStyle, kExStyle, dpi_);
    // Centred on the screen unless a position was stored.
    const POINT design{(GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2,
                       (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2};
    POINT place = LoadFormPos(design, dpi_);
    // A position stored on a screen that is no longer attached would hide the window.
    if (!MonitorFromPoint(place, MONITOR_DEFAULTTONULL)) place = design;
    window_ = CreateWindowExW(kExStyle, kMainWindowClass, caption().c_str(), kStyle, place.x,
                              place.y, size.cx, size.cy, nullptr, nullptr, instance, this);
    if (!window_) return;
    createControls(window_, kMainControls, fonts_, dpi_);

    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                               nullptr, instance, nullptr);
    if (tooltip_) {
        // Long enough lines for a whole path.
        SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(600, dpi_, 96));
        for (const int id : {kIdJobInvoice, kIdJobSource, kIdStatus}) {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = window_;
            tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window_, id));
            tool.lpszText = const_cast<wchar_t*>(L"");
            SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    showResultAvailable(false);
    SetFocus(GetDlgItem(window_, kIdOk));
}

MainWindow::~MainWindow() {
    if (window_) DestroyWindow(window_);
}

void MainWindow::show() {
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    SetFocus(GetDlgItem(window_, kIdOk));
}

bool MainWindow::load() {
    if (!model_.load()) return false;
    setTopmost(true);
    return true;
}

int MainWindow::run() {
    MSG message;
    while (!closed_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) break;
        if (preTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

bool MainWindow::preTranslate(MSG& message) {
    if (!window_ || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) return false;
    if (message.message == WM_KEYDOWN) {
        // Enter presses OK from any control, Escape presses Abbrechen, as on the office's forms.
        if (message.wParam == VK_RETURN) {
            if (IsWindowEnabled(GetDlgItem(window_, kIdOk))) okClicked();
            return true;
        }
        if (message.wParam == VK_ESCAPE) {
            model_.cancel();
            return true;
        }
    }
    return IsDialogMessageW(window_, &message) != 0;
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->window_) return DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto handled = answerHandover(window_, message, wParam, lParam,
                                            [this] { return model_.answerSecondStart(); })) {
        return *handled;
    }
    switch (message) {
        case WM_COMMAND:
            command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            // During a run the close box cancels it; the window stays until the run has stopped.
            if (!model_.mayClose()) return 0;
            if (!IsIconic(window_)) {
                RECT rect;
                GetWindowRect(window_, &rect);
                SaveFormPos({rect.left, rect.top}, dpi_);
            }
            ShowWindow(window_, SW_HIDE);
            closed_ = true;
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::command(int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case kIdOk:
            okClicked();
            break;
        case kIdCancel:
            model_.cancel();
            break;
        case kIdOpen:
            model_.openResult();
            break;
        case kIdOpenFolder:
            model_.openResultFolder();
            break;
        case kIdLosweise:
        case kIdDruck:
        case kIdEinzeln:
        case kIdVerdichtet:
            toggleCheckBox(id);
            break;
        default:
            break;
    }
}

// Only the template can grey a box; a click sets a cleared or greyed box and clears a set one.
void MainWindow::toggleCheckBox(int id) {
    const HWND box = GetDlgItem(window_, id);
    const bool set = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendMessageW(box, BM_SETCHECK, set ? BST_UNCHECKED : BST_CHECKED, 0);
}

void MainWindow::okClicked() {
    if (model_.running()) return;
    model_.ok(currentOptions());
    // The spreadsheet window may now stay in front of this one.
    setTopmost(false);
}

void MainWindow::ShowOptionen(const RunOptions& options) {
    const int index = options.EinzSort >= 1 && options.EinzSort <= 6 ? options.EinzSort - 1 : 0;
    CheckRadioButton(window_, kIdFirstOrder, kIdFirstOrder + 5, kIdFirstOrder + index);
    SendDlgItemMessageW(window_, kIdDruck, BM_SETCHECK, checkValue(options.lSofortDruck), 0);
    SendDlgItemMessageW(window_, kIdEinzeln, BM_SETCHECK, checkValue(options.lEinzeln), 0);
    SendDlgItemMessageW(window_, kIdVerdichtet, BM_SETCHECK, checkValue(options.lVerdichtet), 0);
    SendDlgItemMessageW(window_, kIdLosweise, BM_SETCHECK, checkValue(options.lLosweise), 0);
}

RunOptions MainWindow::currentOptions() const {
    RunOptions options;
    options.EinzSort = model_.session().settings().EinzSort;
    for (int i = 0; i < 6; ++i) {
        if (IsDlgButtonChecked(window_, kIdFirstOrder + i) == BST_CHECKED) {
            options.EinzSort = static_cast<std::int16_t>(i + 1);
            break;
        }
    }
    options.lLosweise = checkState(GetDlgItem(window_, kIdLosweise));
    options.lSofortDruck = checkState(GetDlgItem(window_, kIdDruck));
    options.lEinzeln = checkState(GetDlgItem(window_, kIdEinzeln));
    options.lVerdichtet = checkState(GetDlgItem(window_, kIdVerdichtet));
    return options;
}

void MainWindow::showMessage(std::string_view text) {
    const HWND owner = window_ && IsWindowVisible(window_) ? window_ : nullptr;
    MessageBoxW(owner, platform::windows::wide(text).c_str(), L"Lieferschein",
                MB_OK | MB_TOPMOST | MB_SETFOREGROUND);
}

std::size_t MainWindow::chooseTemplate(const std::vector<std::string>& names) {
    return win32::chooseTemplate(IsWindowVisible(window_) ? window_ : nullptr, names);
}

void MainWindow::setText(int id, const std::string& text) {
    SetDlgItemTextW(window_, id, platform::windows::wide(text).c_str());
}

void MainWindow::setElidedText(int id, const std::string& text) {
    SetDlgItemTextW(window_, id,
                    elideMiddle(GetDlgItem(window_, id), platform::windows::wide(text)).c_str());
}

// The whole text, a path above all, stays readable in the tooltip.
void MainWindow::setTooltip(int id, const std::string& text) {
    if (!tooltip_) return;
    const auto tip = platform::windows::wide(text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window_, id));
    tool.lpszText = const_cast<wchar_t*>(tip.c_str());
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::showJob(const std::string& invoice, const std::string& source) {
    // Two lines, each shortened on its own by its label; the tooltip holds the whole job.
    setText(kIdJobInvoice, invoice);
    setElidedText(kIdJobSource, source);
    const auto whole = source.empty() ? invoice : invoice + " · " + source;
    setTooltip(kIdJobInvoice, whole);
    setTooltip(kIdJobSource, whole);
}

void MainWindow::showStatus(const std::string& text) {
    setElidedText(kIdStatus, text);
    setTooltip(kIdStatus, text);
    UpdateWindow(GetDlgItem(window_, kIdStatus));
}

void MainWindow::enable(int id, bool enabled) {
    EnableWindow(GetDlgItem(window_, id), enabled ? TRUE : FALSE);
}

void MainWindow::showRunning(bool running) {
    for (int id = kIdFirstOrder; id < kIdFirstOrder + 6; ++id)
        enable(id, !running);
    for (const int id : kCheckBoxes)
        enable(id, !running);
    enable(kIdFrame1, !running);
    enable(kIdFrame2, !running);
    enable(kIdOk, !running);
    // Abbrechen keeps the focus during a run, so that Escape and Space reach it.
    if (running)
        SetFocus(GetDlgItem(window_, kIdCancel));
    else
        SetFocus(GetDlgItem(window_, kIdOk));
}

void MainWindow::showResultAvailable(bool available) {
    enable(kIdOpen, available);
    enable(kIdOpenFolder, available);
}

void MainWindow::processEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Kept for the main loop, which ends the program after the run.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (preTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool MainWindow::startDetached(const std::string& program, const std::string& file) {
    return platform::startDetached(program, file);
}

void MainWindow::closeWindow() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
}

void MainWindow::setTopmost(bool topmost) {
    SetWindowPos(window_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace ls::app::win32
