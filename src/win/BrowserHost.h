#pragma once
// The system's WebBrowser control hosted in one child window of the main
// window (the banner strip), filling it and following its size. Everything
// happens on the window thread, which the host joins to OLE while the control
// lives. Where the control or the HTML engine it shows pages with is missing,
// or the control does not take the address, Navigate() says so and leaves the
// strip as it was, for the caller's fallback.

#include <windows.h>

#include <exdisp.h>
#include <ole2.h>
#include <wrl/client.h>

#include <string>

namespace pk10::win {

class BrowserHost {
  public:
    BrowserHost() = default;
    BrowserHost(const BrowserHost&) = delete;
    BrowserHost& operator=(const BrowserHost&) = delete;
    ~BrowserHost();

    // Hosts the control in `strip` on the first call, then starts loading
    // `url` and returns without waiting for the page. False when the control
    // cannot be hosted or does not start the navigation; nothing is hosted then.
    bool Navigate(HWND strip, const std::wstring& url);

    // Offers a key message for a window inside the strip to the page (its own
    // shortcuts, Tab between its links) before the dialog sees it; true when
    // the page took it. False at once for any other message, or with nothing hosted.
    bool TranslateKey(MSG& message);

    // Closes and releases the control and leaves OLE; before the strip's
    // window is destroyed. Nothing happens when nothing is hosted.
    void Close();

  private:
    bool Host(HWND strip);
    // Fits the control to the strip's client area.
    void Fit();
    static LRESULT CALLBACK StripProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);

    HWND strip_ = nullptr;
    bool oleJoined_ = false;
    bool subclassed_ = false;
    Microsoft::WRL::ComPtr<IOleClientSite> site_;
    Microsoft::WRL::ComPtr<IOleObject> object_;
    Microsoft::WRL::ComPtr<IWebBrowser2> browser_;
};

}  // namespace pk10::win
