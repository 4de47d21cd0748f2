#pragma once

#include "ui/ControlSpec.h"
#include "ui/catalogue/Credits.h"
#include "ui/catalogue/Schemes.h"

// The tables are laid out as rows, one control a row.
// clang-format off
namespace ui::catalogue {

// The rows are in creation order, which is also the stacking order: a later
// control shows above an earlier one where they overlap (the top bar `time`
// above `bar`, the side-bar buttons above `工作栏`).
inline constexpr ControlSpec kMainWindowControls[] = {
    // The frame: side bar, top bar and the page container.
    {.name = "工作栏", .kind = Kind::Label, .left = 0, .top = 0, .width = 152, .height = 480,
     .textColor = kBlack, .backColor = kWhite, .wrap = true},
    {.name = "图片框1", .kind = Kind::PictureBox, .left = 0, .top = 0, .width = 152, .height = 96,
     .backColor = kWhite, .frame = false, .pictureMode = PictureMode::Fit, .picture = Asset::LogoMark},
    {.name = "计分板", .kind = Kind::SuperButton, .left = 0, .top = 96, .width = 152, .height = 72,
     .text = "计分板", .font = Px(21), .scheme = kAccentGreyHoverScheme, .handler = Handler::OnScoreNavClick},
    {.name = "随机选人", .kind = Kind::SuperButton, .left = 0, .top = 203, .width = 152, .height = 72,
     .text = "随机选人/计时", .font = Px(21), .scheme = kAccentGreyHoverScheme, .handler = Handler::OnDrawNavClick},
    {.name = "关于", .kind = Kind::SuperButton, .left = 0, .top = 312, .width = 152, .height = 72,
     .text = "关于", .font = Px(21), .scheme = kAccentGreyHoverScheme, .handler = Handler::OnAboutNavClick},
    {.name = "具体倒计时1", .kind = Kind::TransparentLabel, .left = 0, .top = 392, .width = 152, .height = 40,
     .text = "具体倒计时", .font = Bold(21), .textColor = kBlack, .halign = HAlign::Center,
     .valign = VAlign::Center, .visible = false},
    {.name = "设置", .kind = Kind::SuperButton, .left = 0, .top = 448, .width = 152, .height = 24,
     .text = "设置", .font = Px(12), .scheme = kPlainScheme, .handler = Handler::OnSettingsNavClick},
    {.name = "时钟1", .kind = Kind::Timer, .left = 16, .top = 448, .interval = 1000,
     .handler = Handler::OnClockTick},
    {.name = "bar", .kind = Kind::Label, .left = 152, .top = 0, .width = 560, .height = 48,
     .textColor = kBlack, .backColor = kAccent, .wrap = true},
    {.name = "time", .kind = Kind::Label, .left = 152, .top = 0, .width = 288, .height = 48,
     .text = "正在获取时间，请稍后……", .font = Bold(19), .textColor = kWhite, .backColor = kAccent,
     .halign = HAlign::Center, .wrap = true},
    {.name = "超级按钮1", .kind = Kind::SuperButton, .left = 656, .top = 0, .width = 64, .height = 48,
     .text = "×", .font = SystemFace(35), .scheme = kCloseScheme, .handler = Handler::OnCloseMainClick},
    {.name = "选择", .kind = Kind::PageContainer, .left = 152, .top = 48, .width = 560, .height = 432,
     .font = Px(12), .items = "计分板\n随机选人/计时\n关于\n设置"},

    // Page 0: the group scores.
    {.name = "透明标签3", .kind = Kind::TransparentLabel, .container = "选择", .page = 0, .left = 0, .top = 0,
     .width = 560, .height = 56, .text = "计分板", .font = Bold(48, true), .textColor = kBlack,
     .halign = HAlign::Center, .valign = VAlign::Center},
    {.name = "组合框1", .kind = Kind::ComboBox, .container = "选择", .page = 0, .left = 456, .top = 16,
     .width = 80, .height = 22, .font = Bold(12), .visible = false, .comboStyle = ComboStyle::EditableDropDown,
     .items = "第一组\n第二组\n第三组\n第四组"},
    {.name = "透明标签4", .kind = Kind::TransparentLabel, .container = "选择", .page = 0, .left = 24, .top = 64,
     .width = 128, .height = 40, .text = "第一组", .font = Bold(29), .textColor = kBlack,
     .halign = HAlign::Left, .valign = VAlign::Center},
    {.name = "编辑框1", .kind = Kind::EditBox, .container = "选择", .page = 0, .left = 192, .top = 64,
     .width = 176, .height = 40, .text = "0", .font = Bold(29), .textColor = kBlack, .backColor = kWhite,
     .halign = HAlign::Center, .frame = false},
    {.name = "超级按钮4", .kind = Kind::SuperButton, .container = "选择", .page = 0, .left = 416, .top = 64,
     .width = 102, .height = 40, .text = "选择", .font = Px(29), .scheme = kAccentScheme,
     .handler = Handler::OnPickGroup1Click},
    {.name = "透明标签5", .kind = Kind::TransparentLabel, .container = "选择", .page = 0, .left = 24, .top = 128,
     .width = 128, .height = 40, .text = "第二组", .font = Bold(29), .textColor = kBlack,
     .halign = HAlign::Left, .valign = VAlign::Center},
    {.name = "编辑框2", .kind = Kind::EditBox, .container = "选择", .page = 0, .left = 192, .top = 128,
     .width = 176, .height = 40, .text = "0", .font = Bold(29), .textColor = kBlack, .backColor = kWhite,
     .halign = HAlign::Center, .frame = false},
    {.name = "超级按钮5", .kind = Kind::SuperButton, .container = "选择", .page = 0, .left = 416, .top = 128,
     .width = 102, .height = 40, .text = "选择", .font = Px(29), .scheme = kAccentScheme,
     .handler = Handler::OnPickGroup2Click},
    {.name = "透明标签6", .kind = Kind::TransparentLabel, .container = "选择", .page = 0, .left = 24, .top = 192,
     .width = 120, .height = 40, .text = "第三组", .font = Bold(29), .textColor = kBlack,
     .halign = HAlign::Left, .valign = VAlign::Center},
    {.name = "编辑框3", .kind = Kind::EditBox, .container = "选择", .page = 0, .left = 192, .top = 192,
     .width = 176, .height = 40, .text = "0", .font = Bold(29), .textColor = kBlack, .backColor = kWhite,
     .halign = HAlign::Center, .frame = false},
    {.name = "超级按钮6", .kind = Kind::SuperButton, .container = "选择", .page = 0, .left = 416, .top = 192,
     .width = 102, .height = 40, .text = "选择", .font = Px(29), .scheme = kAccentScheme,
     .handler = Handler::OnPickGroup3Click},
    {.name = "透明标签7", .kind = Kind::TransparentLabel, .container = "选择", .page = 0, .left = 24, .top = 256,
     .width = 144, .height = 40, .text = "第四组", .font = Bold(29), .textColor = kBlack,
     .halign = HAlign::Left, .valign = VAlign::Center},
    {.name = "编辑框4", .kind = Kind::EditBox, .container = "选择", .page = 0, .left = 192, .top = 256,
     .width = 176, .height = 40, .text = "0", .font = Bold(29), .textColor = kBlack, .backColor = kWhite,
     .halign = HAlign::Center, .frame = false},
    {.name = "超级按钮7", .kind = Kind::SuperButton, .container = "选择", .page = 0, .left = 416, .top = 256,
     .width = 102, .height = 40, .text = "选择", .font = Px(29), .scheme = kAccentScheme,
     .handler = Handler::OnPickGroup4Click},
    {.name = "超级按钮15", .kind = Kind::SuperButton, .container = "选择", .page = 0, .left = 8, .top = 312,
     .width = 72, .height = 72, .text = "归零", .font = Px(20), .scheme = kAccentScheme,
     .handler = Handler::OnScoreZeroClick},
    {.name = "超级按钮8", .kind = Kind::SuperButton, .container = "选择", .page = 0, .left = 96, .top = 312,
     .width = 88, .height = 32, .text = "+1", .font = Px(19), .scheme = kStepScheme,
     .handler = Handler::OnScorePlus1Click},
    {.name = "超级按钮9", .kind = Kind::SuperButton, .container = "选择", .page = 0, .left = 200, .top = 312,
     .width = 88, .height = 32, .text = "+5", .font = Px(21), .scheme = kStepScheme,
     .handler = Handler::OnScorePlus5Click},
    {.name = "超级按钮10", .kind = Kind::SuperButton, .container = "选择", .page = 0, .left = 304, .top = 312,
     .width = 88, .height = 32, .text = "+10", .font = Px(21), .scheme = kStepScheme,
     .handler = Handler::OnScorePlus10Click},
    {.name = "超级按钮11", .kind = Kind::SuperButton, .container = "选择", .page = 0, .left = 96, .top = 352,
     .width = 88, .height = 32, .text = "-1", .font = Px(21), .scheme = kStepScheme,
     .handler = Handler::OnScoreMinus1Click},
    {.name = "超级按钮12", .kind = Kind::SuperButton, .container = "选择", .page = 0, .left = 200, .top = 352,
     .width = 88, .height = 32, .text = "-5", .font = Px(21), .scheme = kStepScheme,
     .handler = Handler::OnScoreMinus5Click},
    {.name = "超级按钮13", .kind = Kind::SuperButton, .container = "选择", .page = 0, .left = 304, .top = 352,
     .width = 88, .height = 32, .text = "-10", .font = Px(21), .scheme = kStepScheme,
     .handler = Handler::OnScoreMinus10Click},
    {.name = "超级按钮14", .kind = Kind::SuperButton, .container = "选择", .page = 0, .left = 416, .top = 312,
     .width = 104, .height = 72, .text = "保存", .font = Px(21), .scheme = kAccentScheme,
     .handler = Handler::OnSaveScoresClick},

    // Page 1: the random draw and the countdown.
    {.name = "标签5", .kind = Kind::Label, .container = "选择", .page = 1, .left = 0, .top = 48, .width = 560,
     .height = 72, .text = "恭喜xx号xx被选中！", .font = Bold(35, true), .textColor = kBlack,
     .backColor = kWhite, .halign = HAlign::Center, .wrap = true},
    {.name = "随机选人开始", .kind = Kind::SuperButton, .container = "选择", .page = 1, .left = 112, .top = 152,
     .width = 208, .height = 56, .text = "随机选人", .font = Px(20), .scheme = kAccentGreyHoverScheme,
     .handler = Handler::OnStartDrawClick},
    {.name = "超级按钮18", .kind = Kind::SuperButton, .container = "选择", .page = 1, .left = 320, .top = 152,
     .width = 96, .height = 56, .text = "▼", .font = SystemFace(19), .scheme = kAccentGreyHoverScheme,
     .handler = Handler::OnPickNameListClick},
    {.name = "时钟2", .kind = Kind::Timer, .container = "选择", .page = 1, .left = 16, .top = 8, .interval = 0,
     .handler = Handler::OnCountdownTick},
    {.name = "标签6", .kind = Kind::Label, .container = "选择", .page = 1, .left = 40, .top = 240, .width = 96,
     .height = 48, .text = "倒计时：", .font = Bold(24), .textColor = kBlack, .backColor = kWhite, .wrap = true},
    {.name = "倒计时待转换框", .kind = Kind::EditBox, .container = "选择", .page = 1, .left = 144, .top = 240,
     .width = 160, .height = 48, .font = Px(24), .textColor = kBlack, .backColor = kWhite},
    {.name = "透明标签9", .kind = Kind::TransparentLabel, .container = "选择", .page = 1, .left = 328, .top = 240,
     .width = 48, .height = 48, .text = "分钟", .font = Bold(24), .textColor = kBlack, .halign = HAlign::Left,
     .valign = VAlign::Center},
    {.name = "开始倒计时", .kind = Kind::SuperButton, .container = "选择", .page = 1, .left = 400, .top = 240,
     .width = 128, .height = 48, .text = "开始倒计时", .font = Px(24), .scheme = kAccentGreyHoverScheme,
     .handler = Handler::OnStartCountdownClick},
    {.name = "具体倒计时", .kind = Kind::TransparentLabel, .container = "选择", .page = 1, .left = 8, .top = 312,
     .width = 552, .height = 88, .text = "具体倒计时", .font = Bold(56), .textColor = kBlack,
     .halign = HAlign::Center, .valign = VAlign::Center},

    // Page 2: about.
    {.name = "透明标签1", .kind = Kind::TransparentLabel, .container = "选择", .page = 2, .left = 112, .top = 24,
     .width = 344, .height = 48, .text = "关于", .font = Bold(48), .textColor = kBlack,
     .halign = HAlign::Center, .valign = VAlign::Center},
    // Reaches 48 px beyond the page's left edge; the page clips it.
    {.name = "图片框6", .kind = Kind::PictureBox, .container = "选择", .page = 2, .left = -48, .top = 112,
     .width = 192, .height = 136, .pictureMode = PictureMode::Fit, .picture = Asset::PublisherLogo},
    {.name = "透明标签10", .kind = Kind::TransparentLabel, .container = "选择", .page = 2, .left = 120, .top = 136,
     .width = 336, .height = 16, .text = "软件设计：" BREVANT_CREDIT_PROGRAMMER, .font = LightFace(10),
     .textColor = kBlack, .halign = HAlign::Center, .valign = VAlign::Center},
    {.name = "透明标签15", .kind = Kind::TransparentLabel, .container = "选择", .page = 2, .left = 120, .top = 176,
     .width = 336, .height = 16, .text = "配色设计：" BREVANT_CREDIT_COLOUR_DESIGN, .font = LightFace(10),
     .textColor = kBlack, .halign = HAlign::Center, .valign = VAlign::Center},
    {.name = "透明标签11", .kind = Kind::TransparentLabel, .container = "选择", .page = 2, .left = 120, .top = 216,
     .width = 336, .height = 16, .text = "出版方：" BREVANT_PUBLISHER_ZH, .font = LightFace(10),
     .textColor = kBlack, .halign = HAlign::Center, .valign = VAlign::Center},
    {.name = "透明标签12", .kind = Kind::TransparentLabel, .container = "选择", .page = 2, .left = 120, .top = 256,
     .width = 336, .height = 16, .text = "免费软件，欢迎支持", .font = Bold(12), .textColor = kBlack,
     .halign = HAlign::Center, .valign = VAlign::Center},
    {.name = "透明标签13", .kind = Kind::TransparentLabel, .container = "选择", .page = 2, .left = 128, .top = 296,
     .width = 336, .height = 16, .text = BREVANT_PRODUCT_LINE, .font = LightFace(10), .textColor = kRed,
     .halign = HAlign::Center, .valign = VAlign::Center},
    {.name = "透明标签14", .kind = Kind::TransparentLabel, .container = "选择", .page = 2, .left = 120, .top = 328,
     .width = 336, .height = 48, .text = "下载地址：\r\n\r\n" BREVANT_RELEASES_PAGE_URL, .font = LightFace(14),
     .textColor = Rgb(255, 128, 0), .halign = HAlign::Center, .valign = VAlign::Center, .wrap = true},
    // Above the page's top edge: created but never seen, and without an event.
    {.name = "超级按钮2", .kind = Kind::SuperButton, .container = "选择", .page = 2, .left = 272, .top = -32,
     .width = 32, .height = 24, .text = "×", .font = SystemFace(), .scheme = kOffPageScheme},
    {.name = "超级按钮3", .kind = Kind::SuperButton, .container = "选择", .page = 2, .left = 288, .top = -24,
     .width = 32, .height = 24, .font = SystemFace(), .scheme = kOffPageScheme},

    // Page 3: draw set-up and the entries to the settings windows.
    {.name = "透明标签2", .kind = Kind::TransparentLabel, .container = "选择", .page = 3, .left = 0, .top = 0,
     .width = 560, .height = 64, .text = "设置", .font = Bold(48), .textColor = kBlack,
     .halign = HAlign::Center, .valign = VAlign::Center},
    {.name = "分组框2", .kind = Kind::GroupBox, .container = "选择", .page = 3, .left = 8, .top = 64,
     .width = 536, .height = 88, .text = "随机选人相关", .font = LightFace(12), .backColor = kWhite},
    {.name = "人数_标签", .kind = Kind::TransparentLabel, .container = "分组框2", .left = 32, .top = 24,
     .width = 64, .height = 48, .text = "人数：", .font = Px(21), .textColor = kBlack, .halign = HAlign::Left,
     .valign = VAlign::Center},
    {.name = "编辑框5", .kind = Kind::EditBox, .container = "分组框2", .left = 120, .top = 24, .width = 80,
     .height = 48, .font = Px(21), .textColor = kBlack, .backColor = kWhite},
    {.name = "人数_标签1", .kind = Kind::TransparentLabel, .container = "分组框2", .left = 232, .top = 24,
     .width = 48, .height = 48, .text = "称呼：", .font = Px(21), .textColor = kBlack, .halign = HAlign::Left,
     .valign = VAlign::Center},
    {.name = "编辑框6", .kind = Kind::EditBox, .container = "分组框2", .left = 304, .top = 24, .width = 96,
     .height = 48, .font = Px(21), .textColor = kBlack, .backColor = kWhite},
    {.name = "超级按钮16", .kind = Kind::SuperButton, .container = "分组框2", .left = 424, .top = 24, .width = 96,
     .height = 48, .text = "保存", .font = Px(21), .scheme = kAccentScheme,
     .handler = Handler::OnSaveDrawSetupClick},
    {.name = "admin", .kind = Kind::SuperButton, .container = "选择", .page = 3, .left = 24, .top = 168,
     .width = 224, .height = 176, .text = "管理员设置", .font = Px(35), .scheme = kAccentScheme,
     .handler = Handler::OnAdminSettingsClick},
    {.name = "super_user", .kind = Kind::SuperButton, .container = "选择", .page = 3, .left = 304, .top = 168,
     .width = 224, .height = 176, .text = "超级用户设置", .font = Px(35), .scheme = kAccentScheme,
     .handler = Handler::OnRootSettingsClick},
};

inline constexpr WindowSpec kMainWindow{
    .id = WindowId::MainWindow, .name = "MainWindow", .width = 712, .height = 477, .border = Border::None,
    .systemMenu = false, .minimizeBox = false, .taskbar = true, .topmost = true, .dragAnywhere = true,
    .background = kWhite, .created = Handler::OnMainWindowCreated, .controls = kMainWindowControls};

}  // namespace ui::catalogue

namespace ui::MainWindow {
inline constexpr WindowId kWindow = WindowId::MainWindow;
inline constexpr ControlId 工作栏 = Control(kWindow, catalogue::kMainWindowControls, "工作栏");
inline constexpr ControlId 图片框1 = Control(kWindow, catalogue::kMainWindowControls, "图片框1");
inline constexpr ControlId 计分板 = Control(kWindow, catalogue::kMainWindowControls, "计分板");
inline constexpr ControlId 随机选人 = Control(kWindow, catalogue::kMainWindowControls, "随机选人");
inline constexpr ControlId 关于 = Control(kWindow, catalogue::kMainWindowControls, "关于");
inline constexpr ControlId 具体倒计时1 = Control(kWindow, catalogue::kMainWindowControls, "具体倒计时1");
inline constexpr ControlId 设置 = Control(kWindow, catalogue::kMainWindowControls, "设置");
inline constexpr ControlId 时钟1 = Control(kWindow, catalogue::kMainWindowControls, "时钟1");
inline constexpr ControlId bar = Control(kWindow, catalogue::kMainWindowControls, "bar");
inline constexpr ControlId time = Control(kWindow, catalogue::kMainWindowControls, "time");
inline constexpr ControlId 超级按钮1 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮1");
inline constexpr ControlId 选择 = Control(kWindow, catalogue::kMainWindowControls, "选择");
inline constexpr ControlId 透明标签3 = Control(kWindow, catalogue::kMainWindowControls, "透明标签3");
inline constexpr ControlId 组合框1 = Control(kWindow, catalogue::kMainWindowControls, "组合框1");
inline constexpr ControlId 透明标签4 = Control(kWindow, catalogue::kMainWindowControls, "透明标签4");
inline constexpr ControlId 编辑框1 = Control(kWindow, catalogue::kMainWindowControls, "编辑框1");
inline constexpr ControlId 超级按钮4 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮4");
inline constexpr ControlId 透明标签5 = Control(kWindow, catalogue::kMainWindowControls, "透明标签5");
inline constexpr ControlId 编辑框2 = Control(kWindow, catalogue::kMainWindowControls, "编辑框2");
inline constexpr ControlId 超级按钮5 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮5");
inline constexpr ControlId 透明标签6 = Control(kWindow, catalogue::kMainWindowControls, "透明标签6");
inline constexpr ControlId 编辑框3 = Control(kWindow, catalogue::kMainWindowControls, "编辑框3");
inline constexpr ControlId 超级按钮6 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮6");
inline constexpr ControlId 透明标签7 = Control(kWindow, catalogue::kMainWindowControls, "透明标签7");
inline constexpr ControlId 编辑框4 = Control(kWindow, catalogue::kMainWindowControls, "编辑框4");
inline constexpr ControlId 超级按钮7 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮7");
inline constexpr ControlId 超级按钮15 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮15");
inline constexpr ControlId 超级按钮8 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮8");
inline constexpr ControlId 超级按钮9 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮9");
inline constexpr ControlId 超级按钮10 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮10");
inline constexpr ControlId 超级按钮11 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮11");
inline constexpr ControlId 超级按钮12 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮12");
inline constexpr ControlId 超级按钮13 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮13");
inline constexpr ControlId 超级按钮14 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮14");
inline constexpr ControlId 标签5 = Control(kWindow, catalogue::kMainWindowControls, "标签5");
inline constexpr ControlId 随机选人开始 = Control(kWindow, catalogue::kMainWindowControls, "随机选人开始");
inline constexpr ControlId 超级按钮18 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮18");
inline constexpr ControlId 时钟2 = Control(kWindow, catalogue::kMainWindowControls, "时钟2");
inline constexpr ControlId 标签6 = Control(kWindow, catalogue::kMainWindowControls, "标签6");
inline constexpr ControlId 倒计时待转换框 = Control(kWindow, catalogue::kMainWindowControls, "倒计时待转换框");
inline constexpr ControlId 透明标签9 = Control(kWindow, catalogue::kMainWindowControls, "透明标签9");
inline constexpr ControlId 开始倒计时 = Control(kWindow, catalogue::kMainWindowControls, "开始倒计时");
inline constexpr ControlId 具体倒计时 = Control(kWindow, catalogue::kMainWindowControls, "具体倒计时");
inline constexpr ControlId 透明标签1 = Control(kWindow, catalogue::kMainWindowControls, "透明标签1");
inline constexpr ControlId 图片框6 = Control(kWindow, catalogue::kMainWindowControls, "图片框6");
inline constexpr ControlId 透明标签10 = Control(kWindow, catalogue::kMainWindowControls, "透明标签10");
inline constexpr ControlId 透明标签15 = Control(kWindow, catalogue::kMainWindowControls, "透明标签15");
inline constexpr ControlId 透明标签11 = Control(kWindow, catalogue::kMainWindowControls, "透明标签11");
inline constexpr ControlId 透明标签12 = Control(kWindow, catalogue::kMainWindowControls, "透明标签12");
inline constexpr ControlId 透明标签13 = Control(kWindow, catalogue::kMainWindowControls, "透明标签13");
inline constexpr ControlId 透明标签14 = Control(kWindow, catalogue::kMainWindowControls, "透明标签14");
inline constexpr ControlId 超级按钮2 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮2");
inline constexpr ControlId 超级按钮3 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮3");
inline constexpr ControlId 透明标签2 = Control(kWindow, catalogue::kMainWindowControls, "透明标签2");
inline constexpr ControlId 分组框2 = Control(kWindow, catalogue::kMainWindowControls, "分组框2");
inline constexpr ControlId 人数_标签 = Control(kWindow, catalogue::kMainWindowControls, "人数_标签");
inline constexpr ControlId 编辑框5 = Control(kWindow, catalogue::kMainWindowControls, "编辑框5");
inline constexpr ControlId 人数_标签1 = Control(kWindow, catalogue::kMainWindowControls, "人数_标签1");
inline constexpr ControlId 编辑框6 = Control(kWindow, catalogue::kMainWindowControls, "编辑框6");
inline constexpr ControlId 超级按钮16 = Control(kWindow, catalogue::kMainWindowControls, "超级按钮16");
inline constexpr ControlId admin = Control(kWindow, catalogue::kMainWindowControls, "admin");
inline constexpr ControlId super_user = Control(kWindow, catalogue::kMainWindowControls, "super_user");
}  // namespace ui::MainWindow
// clang-format on
