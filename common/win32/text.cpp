#include "common/win32/text.h"

namespace win {
namespace {
constexpr UINT kKoreanCodePage = 949;
}

std::wstring Widen(std::string_view cp949) {
    if (cp949.empty()) return {};
    int length = MultiByteToWideChar(kKoreanCodePage, 0, cp949.data(), static_cast<int>(cp949.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kKoreanCodePage, 0, cp949.data(), static_cast<int>(cp949.size()), out.data(), length);
    return out;
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    int length = WideCharToMultiByte(kKoreanCodePage, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kKoreanCodePage, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), length, nullptr, nullptr);
    return out;
}

std::string GetWindowTextCp949(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    length = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return Narrow(text);
}

void SetWindowTextCp949(HWND window, std::string_view text) {
    SetWindowTextW(window, Widen(text).c_str());
}

} // namespace win
