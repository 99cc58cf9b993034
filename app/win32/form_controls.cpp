// Win32 controls from the layout tables.
#include "app/win32/form_controls.hpp"

#include "platform/windows/wide_text.hpp"

namespace ls::app::win32 {
namespace {

struct ClassAndStyle {
    const wchar_t* windowClass;
    DWORD style;
};

ClassAndStyle classAndStyle(ControlKind kind) {
    switch (kind) {
        case ControlKind::Frame:
            return {L"BUTTON", BS_GROUPBOX};
        case ControlKind::Label:
            // Shortened in the middle by the window itself; the tooltip shows the whole text.
            return {L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY};
        case ControlKind::BoldLabel:
            return {L"STATIC", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS | SS_NOTIFY};
        case ControlKind::Radio:
            return {L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP};
        case ControlKind::CheckBox:
            // Only the template can grey a box; the window toggles it on clicks itself.
            return {L"BUTTON", BS_3STATE | WS_TABSTOP | WS_GROUP};
        case ControlKind::Button:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP};
        case ControlKind::DefaultButton:
            return {L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP};
        case ControlKind::List:
            return {L"LISTBOX",
                    LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP};
    }
    return {L"STATIC", SS_LEFT};
}

}  // namespace

void registerFormClass(HINSTANCE instance, WNDPROC proc, const wchar_t* className) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
}

int screenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

FormFonts formFonts(int dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(8, dpi, 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    // The dialog font of the system, Tahoma or Segoe UI behind the alias.
    wcscpy(font.lfFaceName, L"MS Shell Dlg 2");
    FormFonts fonts;
    fonts.normal.reset(CreateFontIndirectW(&font));
    font.lfWeight = FW_BOLD;
    fonts.bold.reset(CreateFontIndirectW(&font));
    return fonts;
}

void createControls(HWND parent, std::span<const Control> controls, const FormFonts& fonts,
                    int dpi) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    bool firstRadio = true;
    for (const auto& control : controls) {
        auto [windowClass, style] = classAndStyle(control.kind);
        // The order buttons form one group: the first starts it, Tab enters at the chosen one.
        if (control.kind == ControlKind::Radio && firstRadio) {
            style |= WS_GROUP;
            firstRadio = false;
        }
        const HWND child = CreateWindowExW(
            0, windowClass, platform::windows::wide(control.caption).c_str(),
            WS_CHILD | WS_VISIBLE | style, pixels(control.place.left, dpi),
            pixels(control.place.top, dpi), pixels(control.place.width, dpi),
            pixels(control.place.height, dpi), parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
        const bool bold =
            control.kind == ControlKind::DefaultButton || control.kind == ControlKind::BoldLabel;
        SendMessageW(child, WM_SETFONT,
                     reinterpret_cast<WPARAM>(bold ? fonts.bold.get() : fonts.normal.get()), FALSE);
    }
}

std::wstring elideMiddle(HWND control, const std::wstring& text) {
    RECT client;
    GetClientRect(control, &client);
    const int width = client.right - client.left;
    const HDC dc = GetDC(control);
    if (!dc) return text;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    const auto fits = [&](const std::wstring& candidate) {
        SIZE size{};
        GetTextExtentPoint32W(dc, candidate.c_str(), static_cast<int>(candidate.size()), &size);
        return size.cx <= width;
    };
    const auto shortened = [&](std::size_t keep) {
        const std::size_t head = (keep + 1) / 2;
        return text.substr(0, head) + L"…" + text.substr(text.size() - (keep - head));
    };
    std::wstring result = text;
    if (!fits(text)) {
        // The most characters that still fit, found by halving.
        std::size_t low = 0, high = text.size();
        while (low < high) {
            const std::size_t middle = (low + high + 1) / 2;
            if (fits(shortened(middle))) {
                low = middle;
            } else {
                high = middle - 1;
            }
        }
        result = shortened(low);
    }
    if (previous) SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return result;
}

SIZE windowSize(const TwipsRect& client, DWORD style, DWORD exStyle, int dpi) {
    RECT rect{0, 0, pixels(client.width, dpi), pixels(client.height, dpi)};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace ls::app::win32
