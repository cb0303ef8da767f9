#include "win/BrowserHost.h"

#include <commctrl.h>
#include <mshtml.h>
#include <oleauto.h>

#include "win/BrowserSite.h"

namespace pk10::win {
namespace {

using Microsoft::WRL::ComPtr;

// The strip's subclass, for its size changes.
constexpr UINT_PTR kStripSubclassId = 1;

// The control shows web pages through the HTML document object; without it (a
// Windows without the engine, Wine without its Gecko part switched on) the
// control stays blank, so it is not worth hosting.
bool HtmlEngineThere() {
    ComPtr<IClassFactory> factory;
    return SUCCEEDED(CoGetClassObject(__uuidof(HTMLDocument), CLSCTX_INPROC_SERVER, nullptr,
                                      IID_PPV_ARGS(&factory)));
}

}  // namespace

BrowserHost::~BrowserHost() {
    Close();
}

bool BrowserHost::Navigate(HWND strip, const std::wstring& url) {
    if (!browser_ && !Host(strip)) {
        return false;
    }
    BSTR address = SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
    if (address == nullptr) {
        Close();
        return false;
    }
    VARIANT none;
    VariantInit(&none);
    const HRESULT started = browser_->Navigate(address, &none, &none, &none, &none);
    SysFreeString(address);
    if (FAILED(started)) {
        Close();
        return false;
    }
    return true;
}

bool BrowserHost::Host(HWND strip) {
    const HRESULT joined = OleInitialize(nullptr);
    if (FAILED(joined)) {
        return false;  // the thread is in another apartment already
    }
    oleJoined_ = true;
    strip_ = strip;
    if (!HtmlEngineThere() ||
        FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&object_)))) {
        Close();
        return false;
    }
    site_.Attach(BrowserSite::Create(strip, GetAncestor(strip, GA_ROOT)));
    RECT area;
    GetClientRect(strip, &area);
    // The strip keeps its own painting off the control's area.
    SetWindowLongPtrW(strip, GWL_STYLE, GetWindowLongPtrW(strip, GWL_STYLE) | WS_CLIPCHILDREN);
    if (FAILED(object_->SetClientSite(site_.Get())) ||
        FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, strip, &area)) ||
        FAILED(object_.As(&browser_))) {
        Close();
        return false;
    }
    subclassed_ = SetWindowSubclass(strip, StripProc, kStripSubclassId,
                                    reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    Fit();
    return true;
}

void BrowserHost::Fit() {
    ComPtr<IOleInPlaceObject> inPlace;
    if (object_ && SUCCEEDED(object_.As(&inPlace))) {
        RECT area;
        GetClientRect(strip_, &area);
        inPlace->SetObjectRects(&area, &area);
    }
}

bool BrowserHost::TranslateKey(MSG& message) {
    if (!object_ || message.message < WM_KEYFIRST || message.message > WM_KEYLAST ||
        !IsChild(strip_, message.hwnd)) {
        return false;
    }
    ComPtr<IOleInPlaceActiveObject> active;
    return SUCCEEDED(object_.As(&active)) && active->TranslateAccelerator(&message) == S_OK;
}

LRESULT CALLBACK BrowserHost::StripProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self) {
    if (message == WM_SIZE) {
        reinterpret_cast<BrowserHost*>(self)->Fit();
    } else if (message == WM_NCDESTROY) {
        // The strip went first after all: the control has no window left to live in.
        reinterpret_cast<BrowserHost*>(self)->Close();
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void BrowserHost::Close() {
    if (subclassed_) {
        RemoveWindowSubclass(strip_, StripProc, kStripSubclassId);
        subclassed_ = false;
    }
    browser_.Reset();
    if (object_) {
        ComPtr<IOleInPlaceObject> inPlace;
        if (SUCCEEDED(object_.As(&inPlace))) {
            inPlace->InPlaceDeactivate();
        }
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
        object_.Reset();
    }
    site_.Reset();
    strip_ = nullptr;
    if (oleJoined_) {
        oleJoined_ = false;
        OleUninitialize();
    }
}

}  // namespace pk10::win
