#pragma once
// The main window's template: its size, caption and every control in the order
// of creation, with positions in dialog units. The window builds itself from
// this table; the tests check the window against it.

#include <array>

#include "pk10plan/ProgramVersion.h"

namespace pk10::ui {

enum class ControlKind {
    ReadOnlyPane,  // multi-line, read-only
    EditablePane,  // multi-line, editable
    LineEdit,
    StaticText,
    PositionButton,  // radio button of one Position
    ModeButton,      // radio button "经典模式" / "智能模式"
    PushButton,
    Banner,
};

enum class RadioGroup { None, A, B };

struct ControlTemplate {
    int id;  // -1 for the static texts, which have none
    ControlKind kind;
    const char* caption;  // UTF-8; empty when the control has none
    int x, y, width, height;
    RadioGroup group;
    int position;  // the Position (1..10) of a Position button, else 0
};

inline constexpr int kPlanDlgWidth = 690;
inline constexpr int kPlanDlgHeight = 465;
inline constexpr const char* kPlanDlgCaption =
    "VarnokPK10北京赛车预测计划软件定位胆专版     版本号：V" PK10_PROGRAM_VERSION;

inline constexpr int kDrawPaneId = 1000;
inline constexpr int kPlanPaneId = 1001;
inline constexpr int kSizeFieldId = 1007;
inline constexpr int kSpanFieldId = 1008;
inline constexpr int kClassicModeId = 1012;
inline constexpr int kSmartModeId = 1013;
inline constexpr int kReplanButtonId = 1014;
inline constexpr int kPromoButtonId = 1015;
inline constexpr int kBannerId = 1017;

inline constexpr std::array<ControlTemplate, 22> kPlanDlgControls = {{
    {1000, ControlKind::ReadOnlyPane, "", 17, 168, 178, 264, RadioGroup::None, 0},
    {1001, ControlKind::EditablePane, "", 203, 167, 450, 264, RadioGroup::None, 0},
    {1002, ControlKind::PositionButton, "第一名", 20, 143, 36, 14, RadioGroup::A, 1},
    {1003, ControlKind::PositionButton, "第四名", 182, 140, 44, 19, RadioGroup::A, 4},
    {1004, ControlKind::PositionButton, "第五名", 233, 140, 43, 20, RadioGroup::A, 5},
    {1005, ControlKind::PositionButton, "第二名", 73, 141, 40, 18, RadioGroup::A, 2},
    {1006, ControlKind::PositionButton, "第三名", 128, 142, 41, 15, RadioGroup::A, 3},
    {1007, ControlKind::LineEdit, "", 401, 105, 62, 18, RadioGroup::None, 0},
    {1008, ControlKind::LineEdit, "", 509, 104, 62, 19, RadioGroup::None, 0},
    {-1, ControlKind::StaticText, "码数->", 360, 107, 28, 14, RadioGroup::None, 0},
    {-1, ControlKind::StaticText, "期数->", 473, 108, 30, 12, RadioGroup::None, 0},
    {1012, ControlKind::ModeButton, "经典模式", 196, 107, 49, 13, RadioGroup::B, 0},
    {1013, ControlKind::ModeButton, "智能模式", 286, 106, 53, 14, RadioGroup::B, 0},
    {1014, ControlKind::PushButton, "计划不稳时点我", 554, 127, 71, 21, RadioGroup::None, 0},
    {1017, ControlKind::Banner, "", 7, 6, 676, 93, RadioGroup::None, 0},
    {1015, ControlKind::PushButton, "开通高奖金信誉平台", 19, 105, 131, 24, RadioGroup::None, 0},
    {1010, ControlKind::PositionButton, "第六名", 286, 142, 45, 15, RadioGroup::B, 6},
    {1011, ControlKind::PositionButton, "第七名", 341, 142, 41, 16, RadioGroup::B, 7},
    {1018, ControlKind::PositionButton, "第八名", 391, 141, 46, 18, RadioGroup::B, 8},
    {1019, ControlKind::PositionButton, "第九名", 445, 141, 44, 20, RadioGroup::B, 9},
    {1020, ControlKind::PositionButton, "第十名", 496, 141, 41, 19, RadioGroup::B, 10},
    // The line along the bottom, with our contact address.
    {-1, ControlKind::StaticText,
     "pk10plan 仅供娱乐与研究，不构成投注建议。  问题与建议：support@pk10plan.example", 17, 441,
     615, 12, RadioGroup::None, 0},
}};

// The About box.
inline constexpr int kAboutDlgWidth = 235;
inline constexpr int kAboutDlgHeight = 55;
inline constexpr const char* kAboutDlgCaption = "关于 Varnok时时彩软件";
inline constexpr const char* kAboutDlgText = "Varnok时时彩软件 1.0 版";
inline constexpr const char* kAboutOkCaption = "确定";
// The About item of the window's context menu (F1 opens the box too).
inline constexpr const char* kAboutMenuText = "关于 Varnok时时彩软件(&A)...";

}  // namespace pk10::ui
