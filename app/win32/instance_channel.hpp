// A second start and the running window talk by WM_COPYDATA: the second start asks the window
// to hand over; an idle window agrees and closes, a busy one sends back why not.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace ls::app::win32 {

// The main window's class; the second start finds the running window by it.
inline constexpr const wchar_t* kMainWindowClass = L"LieferscheinFStart";

// The running window's side, from its window procedure. nullopt when the message is no
// request of a second start. answer: empty to hand over (the window then closes as its
// close button would), else the refusal the second start shows.
std::optional<LRESULT> answerHandover(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      const std::function<std::string()>& answer);

// The second start's side. Empty when the running window agreed (it is closing) or when no
// window runs; the refusal otherwise; nullopt when the window did not answer in time.
std::optional<std::string> requestHandover(DWORD timeoutMs = 5000);

}  // namespace ls::app::win32
