#include "win/ListView.h"

#include <commctrl.h>

#include "win/WideText.h"

namespace pk10::win {

void SetupList(HWND list, const std::vector<std::string>& headers,
               const std::vector<std::string>& rowTitles) {
    ListView_SetExtendedListViewStyle(
        list, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    RECT client;
    GetClientRect(list, &client);
    const int columns = static_cast<int>(headers.size()) + 1;
    const int width = (client.right - client.left - GetSystemMetrics(SM_CXVSCROLL)) / columns;
    for (int column = 0; column < columns; ++column) {
        std::wstring title = column == 0 ? L"" : Widen(headers[column - 1]);
        LVCOLUMNW header{};
        header.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        // The first column (the row titles) is always left-aligned.
        header.fmt = column == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        header.cx = width;
        header.pszText = title.data();
        header.iSubItem = column;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&header));
    }
    for (std::size_t row = 0; row < rowTitles.size(); ++row) {
        std::wstring title = Widen(rowTitles[row]);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(row);
        item.pszText = title.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void FillList(HWND list, const CellTexts& rows) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < rows[row].size(); ++column) {
            std::wstring text = Widen(rows[row][column]);
            LVITEMW item{};
            item.iSubItem = static_cast<int>(column) + 1;
            item.pszText = text.data();
            SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

}  // namespace pk10::win
