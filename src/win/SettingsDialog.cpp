#include "win/SettingsDialog.h"

#include "win/ResourceIds.h"
#include "win/WideText.h"

namespace pk10::win {
namespace {

struct DialogState {
    const ServerFields& shown;
    SettingsStore& store;
    SettingsAnswer answer;
};

std::string FieldText(HWND window, int id) {
    HWND field = GetDlgItem(window, id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

void ShowField(HWND window, int fieldId, int noteId, const ServerField& field) {
    SetDlgItemTextW(window, fieldId, Widen(field.address).c_str());
    SetDlgItemTextW(window, noteId, Widen(FixedServerNote(field)).c_str());
    EnableWindow(GetDlgItem(window, fieldId), field.fixedBy.empty() ? TRUE : FALSE);
}

INT_PTR CALLBACK SettingsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        const auto* state = reinterpret_cast<DialogState*>(lParam);
        ShowField(window, PK10_IDC_RESULTS_SERVER, PK10_IDC_RESULTS_NOTE, state->shown.results);
        ShowField(window, PK10_IDC_MAKER_SERVER, PK10_IDC_MAKER_NOTE, state->shown.maker);
        return TRUE;
    }
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(window, DWLP_USER));
    if (state == nullptr || message != WM_COMMAND) {
        return FALSE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(window, IDCANCEL);
        return TRUE;
    }
    if (LOWORD(wParam) != IDOK) {
        return FALSE;
    }
    const std::string results = FieldText(window, PK10_IDC_RESULTS_SERVER);
    const std::string maker = FieldText(window, PK10_IDC_MAKER_SERVER);
    const std::string reason = SaveServerFields(state->shown, results, maker, state->store);
    if (!reason.empty()) {
        SetDlgItemTextW(window, PK10_IDC_SETTINGS_REASON, Widen(reason).c_str());
        return TRUE;
    }
    state->answer = {true, results, maker};
    EndDialog(window, IDOK);
    return TRUE;
}

}  // namespace

SettingsAnswer RunSettingsDialog(HINSTANCE instance, HWND owner, const ServerFields& shown,
                                 SettingsStore& store) {
    DialogState state{shown, store, {}};
    DialogBoxParamW(instance, MAKEINTRESOURCEW(PK10_IDD_SETTINGS), owner, SettingsProc,
                    reinterpret_cast<LPARAM>(&state));
    return state.answer;
}

}  // namespace pk10::win
