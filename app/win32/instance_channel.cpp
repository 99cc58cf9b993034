// WM_COPYDATA between two starts of the program.
#include "app/win32/instance_channel.hpp"

namespace ls::app::win32 {
namespace {

// dwData of the two messages; the text travels as UTF-8.
constexpr ULONG_PTR kRequest = 0x4C534831;  // "LSH1"
constexpr ULONG_PTR kRefusal = 0x4C535231;  // "LSR1"
constexpr LRESULT kAgreed = 1;
constexpr LRESULT kRefused = 2;

constexpr const wchar_t* kAnswerClass = L"LieferscheinHandoverAnswer";

LRESULT CALLBACK answerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        auto* refusal = reinterpret_cast<std::string*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (data && refusal && data->dwData == kRefusal) {
            refusal->assign(static_cast<const char*>(data->lpData), data->cbData);
            return TRUE;
        }
        return FALSE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::optional<LRESULT> answerHandover(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      const std::function<std::string()>& answer) {
    if (message != WM_COPYDATA) return std::nullopt;
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!data || data->dwData != kRequest) return std::nullopt;
    const auto refusal = answer();
    if (refusal.empty()) {
        // Closed from the message loop, after the second start has its answer.
        PostMessageW(window, WM_CLOSE, 0, 0);
        return kAgreed;
    }
    COPYDATASTRUCT reply{};
    reply.dwData = kRefusal;
    reply.cbData = static_cast<DWORD>(refusal.size());
    reply.lpData = const_cast<char*>(refusal.data());
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(reinterpret_cast<HWND>(wParam), WM_COPYDATA,
                        reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(&reply),
                        SMTO_ABORTIFHUNG, 2000, &ignored);
    return kRefused;
}

std::optional<std::string> requestHandover(DWORD timeoutMs) {
    const HWND running = FindWindowW(kMainWindowClass, nullptr);
    if (!running) return std::string();

    const auto instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = answerProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kAnswerClass;
    RegisterClassExW(&windowClass);
    std::string refusal;
    // A message-only window receives the refusal while this start waits for the answer.
    const HWND answerWindow = CreateWindowExW(0, kAnswerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                              nullptr, instance, &refusal);

    COPYDATASTRUCT request{};
    request.dwData = kRequest;
    DWORD_PTR result = 0;
    const bool answered =
        SendMessageTimeoutW(running, WM_COPYDATA, reinterpret_cast<WPARAM>(answerWindow),
                            reinterpret_cast<LPARAM>(&request), SMTO_ABORTIFHUNG, timeoutMs,
                            &result) != 0;
    if (answerWindow) DestroyWindow(answerWindow);
    if (!answered) return std::nullopt;
    if (result == static_cast<DWORD_PTR>(kAgreed)) return std::string();
    if (refusal.empty()) refusal = "Lieferschein läuft bereits; bitte warten oder abbrechen.";
    return refusal;
}

}  // namespace ls::app::win32
