#include "common/win32/byte_limited_edit.h"

#include "common/cp949.h"
#include "common/win32/text.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <string>
#include <utility>

namespace win {
namespace {

constexpr UINT_PTR kSubclassId = 0x4C494D;  // "LIM"


// Bytes of the text outside the current selection: what stays when typing replaces it.
std::size_t BytesKeptOnReplace(HWND edit) {
    int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), length + 1)));
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start > end) std::swap(start, end);
    if (end > text.size()) end = static_cast<DWORD>(text.size());
    if (start > end) start = end;
    text.erase(start, end - start);
    return Narrow(text).size();
}

// Text that an input method committed went in without a WM_CHAR to check:
// what went past the limit is taken back from just before the caret, where it
// was inserted.
void TakeBackExcess(HWND edit, std::size_t maxBytes) {
    int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), length + 1)));
    std::size_t bytes = Narrow(text).size();
    if (bytes <= maxBytes) return;
    DWORD start = 0, caret = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&caret));
    std::size_t end = std::min<std::size_t>(caret, text.size());
    std::size_t cut = end;
    while (bytes > maxBytes && cut > 0) {
        bytes -= Narrow(std::wstring_view(text).substr(cut - 1, 1)).size();
        --cut;
    }
    text.erase(cut, end - cut);
    MessageBeep(MB_OK);
    SetWindowTextW(edit, text.c_str());
    SendMessageW(edit, EM_SETSEL, cut, cut);
}

std::wstring ClipboardText(HWND owner) {
    std::wstring text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

LRESULT CALLBACK LimitProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR limit) {
    const std::size_t maxBytes = static_cast<std::size_t>(limit);
    switch (message) {
    case WM_CHAR: {
        // Control characters (backspace, Ctrl+C ...) are editing, not text.
        if (wParam < 0x20) break;
        wchar_t typed = static_cast<wchar_t>(wParam);
        if (BytesKeptOnReplace(edit) + Narrow(std::wstring_view(&typed, 1)).size() > maxBytes) {
            MessageBeep(MB_OK);
            return 0;
        }
        break;
    }
    case WM_PASTE: {
        std::size_t room = maxBytes - std::min(maxBytes, BytesKeptOnReplace(edit));
        std::string pasted(cp949::CutToBytes(Narrow(ClipboardText(edit)), room));
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Widen(pasted).c_str()));
        return 0;
    }
    case WM_SETTEXT: {
        if (!lParam) break;
        std::string text = Narrow(reinterpret_cast<const wchar_t*>(lParam));
        if (text.size() <= maxBytes) break;
        std::wstring cut = Widen(cp949::CutToBytes(text, maxBytes));
        return DefSubclassProc(edit, message, wParam, reinterpret_cast<LPARAM>(cut.c_str()));
    }
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION: {
        LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
        // A composition still in progress is left alone until it is committed.
        if (message != WM_IME_COMPOSITION || ((lParam & GCS_RESULTSTR) && !(lParam & GCS_COMPSTR))) {
            TakeBackExcess(edit, maxBytes);
        }
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, LimitProcedure, kSubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

} // namespace

void LimitEditBytes(HWND edit, std::size_t maxBytes) {
    SetWindowSubclass(edit, LimitProcedure, kSubclassId, static_cast<DWORD_PTR>(maxBytes));
}

} // namespace win
