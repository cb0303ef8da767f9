// The container interfaces the banner's web control asks its host for.

#include "win/BrowserSite.h"

#include <gtest/gtest.h>

namespace pk10::win {
namespace {

TEST(BrowserSite, AnswersForEachContainerInterfaceWithOneIdentity) {
    // Any two windows do: the site only hands them on.
    const HWND strip = GetDesktopWindow();
    const HWND topLevel = GetShellWindow();
    BrowserSite* site = BrowserSite::Create(strip, topLevel);
    IUnknown* identity = nullptr;
    ASSERT_EQ(site->QueryInterface(IID_PPV_ARGS(&identity)), S_OK);
    for (const IID& iid : {IID_IOleClientSite, IID_IOleWindow, IID_IOleInPlaceSite,
                           IID_IOleInPlaceUIWindow, IID_IOleInPlaceFrame}) {
        IUnknown* asked = nullptr;
        ASSERT_EQ(site->QueryInterface(iid, reinterpret_cast<void**>(&asked)), S_OK);
        IUnknown* back = nullptr;
        ASSERT_EQ(asked->QueryInterface(IID_PPV_ARGS(&back)), S_OK);
        EXPECT_EQ(back, identity);
        back->Release();
        asked->Release();
    }
    void* other = &other;
    EXPECT_EQ(site->QueryInterface(IID_IDispatch, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);

    IOleInPlaceFrame* frame = nullptr;
    // Set to something, to see it cleared.
    IOleInPlaceUIWindow* document = static_cast<IOleInPlaceFrame*>(site);
    RECT position{};
    RECT clip{};
    OLEINPLACEFRAMEINFO info{};
    info.cb = sizeof(info);
    ASSERT_EQ(site->GetWindowContext(&frame, &document, &position, &clip, &info), S_OK);
    EXPECT_NE(frame, nullptr);
    EXPECT_EQ(document, nullptr);
    EXPECT_EQ(info.hwndFrame, topLevel);
    EXPECT_EQ(info.cAccelEntries, 0U);
    HWND window = nullptr;
    ASSERT_EQ(site->GetWindow(&window), S_OK);
    EXPECT_EQ(window, strip);
    frame->Release();
    identity->Release();
    EXPECT_EQ(site->Release(), 0U);
}

}  // namespace
}  // namespace pk10::win
