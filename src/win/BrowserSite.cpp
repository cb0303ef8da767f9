#include "win/BrowserSite.h"

namespace pk10::win {

BrowserSite* BrowserSite::Create(HWND window, HWND frame) {
    return new BrowserSite(window, frame);
}

STDMETHODIMP BrowserSite::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
        *object = static_cast<IOleClientSite*>(this);
    } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite)) {
        *object = static_cast<IOleInPlaceSite*>(this);
    } else if (IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame)) {
        *object = static_cast<IOleInPlaceFrame*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) BrowserSite::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) BrowserSite::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

// The page is never stored: there is nothing to save and no moniker to name it by.
STDMETHODIMP BrowserSite::SaveObject() {
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker != nullptr) {
        *moniker = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::GetContainer(IOleContainer** container) {
    if (container != nullptr) {
        *container = nullptr;
    }
    return E_NOINTERFACE;
}

// The control is always in view in its strip.
STDMETHODIMP BrowserSite::ShowObject() {
    return S_OK;
}

STDMETHODIMP BrowserSite::OnShowWindow(BOOL) {
    return S_OK;
}

STDMETHODIMP BrowserSite::RequestNewObjectLayout() {
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::GetWindow(HWND* window) {
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = window_;
    return S_OK;
}

STDMETHODIMP BrowserSite::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::CanInPlaceActivate() {
    return S_OK;
}

STDMETHODIMP BrowserSite::OnInPlaceActivate() {
    return S_OK;
}

STDMETHODIMP BrowserSite::OnUIActivate() {
    return S_OK;
}

STDMETHODIMP BrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                           LPRECT position, LPRECT clip,
                                           LPOLEINPLACEFRAMEINFO frameInfo) {
    if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr ||
        frameInfo == nullptr) {
        return E_POINTER;
    }
    // This object is the frame too; the strip has no document window of its own.
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    GetClientRect(window_, position);
    *clip = *position;
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = frame_;
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP BrowserSite::Scroll(SIZE) {
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::OnUIDeactivate(BOOL) {
    return S_OK;
}

STDMETHODIMP BrowserSite::OnInPlaceDeactivate() {
    return S_OK;
}

STDMETHODIMP BrowserSite::DiscardUndoState() {
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::DeactivateAndUndo() {
    return E_NOTIMPL;
}

// The strip decides the control's size; the host refits it when the strip changes.
STDMETHODIMP BrowserSite::OnPosRectChange(LPCRECT) {
    return S_OK;
}

// No toolbars: the control gets no border space.
STDMETHODIMP BrowserSite::GetBorder(LPRECT) {
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP BrowserSite::RequestBorderSpace(LPCBORDERWIDTHS) {
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP BrowserSite::SetBorderSpace(LPCBORDERWIDTHS) {
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) {
    return S_OK;
}

// No menus of the control's join the window's.
STDMETHODIMP BrowserSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::SetMenu(HMENU, HOLEMENU, HWND) {
    return S_OK;
}

STDMETHODIMP BrowserSite::RemoveMenus(HMENU) {
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::SetStatusText(LPCOLESTR) {
    return S_OK;
}

STDMETHODIMP BrowserSite::EnableModeless(BOOL) {
    return S_OK;
}

// The window has no accelerators of its own to offer the control.
STDMETHODIMP BrowserSite::TranslateAccelerator(LPMSG, WORD) {
    return S_FALSE;
}

}  // namespace pk10::win
