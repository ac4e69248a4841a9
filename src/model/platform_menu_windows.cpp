#include "model/platform.h"

#include <windows.h>

namespace platform {

bool appendSystemMenuItem(std::uintptr_t window, unsigned command, const std::string& text)
{
    HMENU menu = ::GetSystemMenu(reinterpret_cast<HWND>(window), FALSE);
    if (!menu || text.empty())
        return false;
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr)
        && ::AppendMenuW(menu, MF_STRING, command, wide.c_str());
}

unsigned chosenSystemMenuCommand(const void* message)
{
    const MSG* msg = static_cast<const MSG*>(message);
    return msg->message == WM_SYSCOMMAND ? unsigned(msg->wParam & 0xFFF0) : 0;
}

}  // namespace platform
