#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <atomic>
#include <thread>

#include "app/win32/resource_ids.h"
#include "app/win32/system_look.h"
#include "packer/reporter.h"
#include "platform/platform_error.h"

namespace brelvik {

namespace {

const wchar_t kWindowClass[] = L"BrelvikPackReport";
constexpr UINT kFinished = WM_APP + 1;  // posted by the worker when the task has returned
constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollMilliseconds = 100;
constexpr int kBarSteps = 1000;
// Sizes at 96 dots per inch.
constexpr int kWidth = 560, kRunningHeight = 120, kFinishedHeight = 320;
constexpr int kMargin = 10, kTextHeight = 20, kBarHeight = 18;
constexpr int kButtonWidth = 88, kButtonHeight = 26;

// The edit control breaks lines only at CR LF.
std::wstring With_crlf(const std::wstring& text) {
    std::wstring crlf;
    for (const wchar_t c : text) {
        if (c == L'\n') {
            crlf += L'\r';
        }
        crlf += c;
    }
    return crlf;
}

// The packing runs on a worker thread; the window polls its progress, so it stays responsive
// however long one member takes. Cancel, Escape and the close box all ask the task to stop;
// the window closes once the task has returned and the user has read the summary.
class ReportWindow {
  public:
    static void Register() {
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                           ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&classes);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &ReportWindow::Window_proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kWindowClass;
        windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(BRELVIK_ICON_ID));
        if (!RegisterClassExW(&windowClass)) {
            throw Last_error(kWindowClass);
        }
    }

    ReportWindow(const PackTask& task, const std::wstring& archive)
        : font_(Message_font()), dpi_(System_dpi()) {
        Create(archive);
        worker_ = std::thread([this, task] {
            result_ = task(progress_);
            finished_ = true;
            PostMessageW(hwnd_, kFinished, 0, 0);
        });
        SetTimer(hwnd_, kPollTimer, kPollMilliseconds, nullptr);
    }

    ~ReportWindow() {
        progress_.cancel = true;
        if (worker_.joinable()) {
            worker_.join();
        }
        if (IsWindow(hwnd_)) {
            DestroyWindow(hwnd_);
        }
        DeleteObject(font_);
    }

    ReportWindow(const ReportWindow&) = delete;
    ReportWindow& operator=(const ReportWindow&) = delete;

    // Shows the window as its starter asked and runs it until it is closed.
    int Run() {
        ShowWindow(hwnd_, SW_SHOWDEFAULT);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (!IsDialogMessageW(hwnd_, &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        return Exit_code(result_);
    }

  private:
    int Px(int size) const { return MulDiv(size, dpi_, 96); }

    void Create(const std::wstring& archive) {
        const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
        RECT frame{0, 0, Px(kWidth), Px(kRunningHeight)};
        AdjustWindowRectEx(&frame, style, FALSE, 0);
        hwnd_ =
            CreateWindowExW(0, kWindowClass, Report_title(archive).c_str(), style, CW_USEDEFAULT,
                            CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                            nullptr, nullptr, GetModuleHandleW(nullptr), this);
        if (hwnd_ == nullptr) {
            throw Last_error(kWindowClass);
        }
        status_ = Child(WC_STATICW, Packing_text(archive), SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 0);
        bar_ = Child(PROGRESS_CLASSW, L"", 0, 0, 0);
        SendMessageW(bar_, PBM_SETRANGE32, 0, kBarSteps);
        summary_ = Child(WC_EDITW, L"",
                         ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL |
                             WS_HSCROLL | WS_TABSTOP,
                         WS_EX_CLIENTEDGE, 0);
        ShowWindow(summary_, SW_HIDE);
        // IDCANCEL: Escape and Enter reach it through the dialog keys.
        button_ = Child(WC_BUTTONW, L"Cancel", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, IDCANCEL);
        Lay_out();
    }

    HWND Child(const wchar_t* windowClass, const std::wstring& text, DWORD style, DWORD exStyle,
               int id) {
        const HWND child = CreateWindowExW(
            exStyle, windowClass, text.c_str(), style | WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
        if (child == nullptr) {
            throw Last_error(windowClass);
        }
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return child;
    }

    void Lay_out() {
        RECT client;
        GetClientRect(hwnd_, &client);
        const int width = client.right - Px(2 * kMargin);
        const int below = Px(kMargin + kTextHeight);
        const int buttonTop = client.bottom - Px(kMargin + kButtonHeight);
        MoveWindow(status_, Px(kMargin), Px(kMargin), width, Px(kTextHeight), TRUE);
        MoveWindow(bar_, Px(kMargin), below, width, Px(kBarHeight), TRUE);
        MoveWindow(summary_, Px(kMargin), below, width, buttonTop - Px(kMargin) - below, TRUE);
        MoveWindow(button_, client.right - Px(kMargin + kButtonWidth), buttonTop, Px(kButtonWidth),
                   Px(kButtonHeight), TRUE);
    }

    void Show_progress() {
        const std::uint64_t total = progress_.total, done = progress_.done;
        if (total > 0) {
            SendMessageW(bar_, PBM_SETPOS,
                         static_cast<WPARAM>(std::min(done, total) * kBarSteps / total), 0);
        }
    }

    void Finish() {
        KillTimer(hwnd_, kPollTimer);
        worker_.join();
        Write_summary(result_);
        SetWindowTextW(status_, Outcome_text(Exit_code(result_)).c_str());
        SetWindowTextW(summary_, With_crlf(Summary_text(result_, kShownSkipped)).c_str());
        ShowWindow(bar_, SW_HIDE);
        ShowWindow(summary_, SW_SHOW);
        SetWindowTextW(button_, L"Close");
        EnableWindow(button_, TRUE);
        SetFocus(button_);
        if (IsIconic(hwnd_)) {
            // Started minimised: the taskbar says that the report is there to read.
            FlashWindow(hwnd_, TRUE);
        } else if (!IsZoomed(hwnd_)) {
            RECT frame{0, 0, Px(kWidth), Px(kFinishedHeight)};
            AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
            RECT now;
            GetWindowRect(hwnd_, &now);
            SetWindowPos(hwnd_, nullptr, 0, 0, now.right - now.left, frame.bottom - frame.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    // Stops at the next chunk; the summary then says that nothing was changed.
    void Close_or_cancel() {
        if (finished_) {
            DestroyWindow(hwnd_);
            return;
        }
        progress_.cancel = true;
        EnableWindow(button_, FALSE);
    }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_SIZE:
                Lay_out();
                return 0;
            case WM_TIMER:
                Show_progress();
                return 0;
            case kFinished:
                Finish();
                return 0;
            case WM_COMMAND:
                // Enter elsewhere than on the button closes the report, but stops no pack.
                if (LOWORD(wParam) == IDCANCEL || (LOWORD(wParam) == IDOK && finished_)) {
                    Close_or_cancel();
                }
                return 0;
            case WM_CLOSE:
                Close_or_cancel();
                return 0;
            case WM_DESTROY:
                PostQuitMessage(0);
                return 0;
            default:
                return DefWindowProcW(hwnd_, message, wParam, lParam);
        }
    }

    static LRESULT CALLBACK Window_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<ReportWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self == nullptr || self->hwnd_ == nullptr) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        return self->Handle(message, wParam, lParam);
    }

    PackProgress progress_;
    PackResult result_;
    std::atomic<bool> finished_{false};
    HFONT font_;
    int dpi_;
    HWND hwnd_ = nullptr, status_ = nullptr, bar_ = nullptr, summary_ = nullptr, button_ = nullptr;
    std::thread worker_;
};

}  // namespace

int Pack_in_window(const PackTask& task, const std::wstring& archive) {
    try {
        ReportWindow::Register();
        ReportWindow window(task, archive);
        return window.Run();
    } catch (const PlatformError&) {
        // No window can be made: the packing is done all the same, reported on standard error.
        return Pack_to_stderr(task);
    }
}

}  // namespace brelvik
