#pragma once
// Every text of the window, written once. The texts are marked for Qt's
// translation tools under the context "Tessaly"; Ui() translates one for
// display, so a translation can follow without touching the window code.
// Texts that layers below the shell define (effect captions, project and
// publishing messages) go through Ui() the same way when they are shown.

#include <QCoreApplication>
#include <QString>

#include <string_view>

namespace tessaly::shell {

// The text translated for display (context "Tessaly").
QString Ui(const char* text);
QString Ui(std::string_view text);

namespace text {

inline constexpr const char* ProgramName = QT_TRANSLATE_NOOP("Tessaly", "Tessaly");

// Tabs and wizard buttons.
inline constexpr const char* TabHome = QT_TRANSLATE_NOOP("Tessaly", "主页");
inline constexpr const char* TabSize = QT_TRANSLATE_NOOP("Tessaly", "大小");
inline constexpr const char* TabBackground = QT_TRANSLATE_NOOP("Tessaly", "背景");
inline constexpr const char* TabShape = QT_TRANSLATE_NOOP("Tessaly", "外形");
inline constexpr const char* TabPicture = QT_TRANSLATE_NOOP("Tessaly", "图像");
inline constexpr const char* TabText = QT_TRANSLATE_NOOP("Tessaly", "文字");
inline constexpr const char* TabAnimation = QT_TRANSLATE_NOOP("Tessaly", "动画");
inline constexpr const char* TabSave = QT_TRANSLATE_NOOP("Tessaly", "保存");
inline constexpr const char* Previous = QT_TRANSLATE_NOOP("Tessaly", "上一步");
inline constexpr const char* Next = QT_TRANSLATE_NOOP("Tessaly", "下一步");

// Tool panel.
inline constexpr const char* ToolPanel = QT_TRANSLATE_NOOP("Tessaly", "工具菜单");
inline constexpr const char* NudgeUp = QT_TRANSLATE_NOOP("Tessaly", "上移");
inline constexpr const char* NudgeDown = QT_TRANSLATE_NOOP("Tessaly", "下移");
inline constexpr const char* NudgeLeft = QT_TRANSLATE_NOOP("Tessaly", "左移");
inline constexpr const char* NudgeRight = QT_TRANSLATE_NOOP("Tessaly", "右移");
inline constexpr const char* Delete = QT_TRANSLATE_NOOP("Tessaly", "删除");
inline constexpr const char* Undelete = QT_TRANSLATE_NOOP("Tessaly", "撤销删除");
inline constexpr const char* CentreHorizontally = QT_TRANSLATE_NOOP("Tessaly", "水平居中");
inline constexpr const char* CentreVertically = QT_TRANSLATE_NOOP("Tessaly", "垂直居中");
inline constexpr const char* Reorder = QT_TRANSLATE_NOOP("Tessaly", "重新排序");
inline constexpr const char* Play = QT_TRANSLATE_NOOP("Tessaly", "播放");
inline constexpr const char* Stop = QT_TRANSLATE_NOOP("Tessaly", "停止");

// Home tab.
inline constexpr const char* HomeStart = QT_TRANSLATE_NOOP("Tessaly", "开始");
inline constexpr const char* HomeNew = QT_TRANSLATE_NOOP("Tessaly", "新建");
inline constexpr const char* HomeOpen = QT_TRANSLATE_NOOP("Tessaly", "打开");
inline constexpr const char* HomeOptions = QT_TRANSLATE_NOOP("Tessaly", "选项");
inline constexpr const char* HomeHelp = QT_TRANSLATE_NOOP("Tessaly", "帮助");
inline constexpr const char* HomeAbout = QT_TRANSLATE_NOOP("Tessaly", "关于");
inline constexpr const char* HomeWebSite = QT_TRANSLATE_NOOP("Tessaly", "网站");

// Main menu.
inline constexpr const char* MenuFile = QT_TRANSLATE_NOOP("Tessaly", "文件(&F)");
inline constexpr const char* MenuNew = QT_TRANSLATE_NOOP("Tessaly", "新建(&N)");
inline constexpr const char* MenuOpen = QT_TRANSLATE_NOOP("Tessaly", "打开(&O)...");
inline constexpr const char* MenuSave = QT_TRANSLATE_NOOP("Tessaly", "保存(&S)");
inline constexpr const char* MenuMail = QT_TRANSLATE_NOOP("Tessaly", "电子邮件");
inline constexpr const char* MenuFtp = QT_TRANSLATE_NOOP("Tessaly", "FTP发布");
inline constexpr const char* MenuExit = QT_TRANSLATE_NOOP("Tessaly", "退出(&X)");
inline constexpr const char* MenuOptions = QT_TRANSLATE_NOOP("Tessaly", "选项(&O)");
inline constexpr const char* MenuPreferences = QT_TRANSLATE_NOOP("Tessaly", "参数设置(&P)");
inline constexpr const char* MenuReorder = QT_TRANSLATE_NOOP("Tessaly", "重新排序");
inline constexpr const char* MenuHtml = QT_TRANSLATE_NOOP("Tessaly", "HTML/JavaScript");
inline constexpr const char* MenuHtmlCode = QT_TRANSLATE_NOOP("Tessaly", "生成HTML代码");
inline constexpr const char* MenuEdit = QT_TRANSLATE_NOOP("Tessaly", "编辑(&E)");
inline constexpr const char* MenuUndo = QT_TRANSLATE_NOOP("Tessaly", "撤销");
inline constexpr const char* MenuRedo = QT_TRANSLATE_NOOP("Tessaly", "重做");
inline constexpr const char* MenuHelp = QT_TRANSLATE_NOOP("Tessaly", "帮助");
inline constexpr const char* MenuHelpTopics = QT_TRANSLATE_NOOP("Tessaly", "帮助主题");
inline constexpr const char* MenuWebSite = QT_TRANSLATE_NOOP("Tessaly", "网站");
inline constexpr const char* MenuFaq = QT_TRANSLATE_NOOP("Tessaly", "常见问题");
inline constexpr const char* MenuTutorials = QT_TRANSLATE_NOOP("Tessaly", "在线教程");
inline constexpr const char* MenuQuickStart = QT_TRANSLATE_NOOP("Tessaly", "快速指导");
inline constexpr const char* MenuCheckUpdate = QT_TRANSLATE_NOOP("Tessaly", "检查更新");
inline constexpr const char* MenuAbout = QT_TRANSLATE_NOOP("Tessaly", "关于");

// The preview's context menu.
inline constexpr const char* ContextReorder = QT_TRANSLATE_NOOP("Tessaly", "Re-Order Items");
inline constexpr const char* ContextDelete = QT_TRANSLATE_NOOP("Tessaly", "&Delete");
inline constexpr const char* ContextChangeBackground = QT_TRANSLATE_NOOP("Tessaly", "Change Background");

// Size tab.
inline constexpr const char* SizePresets = QT_TRANSLATE_NOOP("Tessaly", "常用横幅大小");
inline constexpr const char* SizeCustom = QT_TRANSLATE_NOOP("Tessaly", "自定义大小");
inline constexpr const char* SizePresetFormat = QT_TRANSLATE_NOOP("Tessaly", "%1 X %2");
inline constexpr const char* SizeWidth = QT_TRANSLATE_NOOP("Tessaly", "宽度");
inline constexpr const char* SizeHeight = QT_TRANSLATE_NOOP("Tessaly", "高度");
inline constexpr const char* WidthRangeMessage = QT_TRANSLATE_NOOP("Tessaly", "宽度的值必须在下列的范围之内:10->");
inline constexpr const char* WidthLeaveRangeMessage = QT_TRANSLATE_NOOP("Tessaly", "宽度的值必须在下列范围之内: 10 ->");
inline constexpr const char* HeightRangeMessage = QT_TRANSLATE_NOOP("Tessaly", "高度的值必须在下列的范围之内:10-> ");

// Background tab.
inline constexpr const char* BackgroundColorBox = QT_TRANSLATE_NOOP("Tessaly", "颜色");
inline constexpr const char* BackgroundGradientBox = QT_TRANSLATE_NOOP("Tessaly", "渐变色");
inline constexpr const char* BackgroundImageBox = QT_TRANSLATE_NOOP("Tessaly", "背景图像");
inline constexpr const char* ChooseColor = QT_TRANSLATE_NOOP("Tessaly", "选择颜色");
inline constexpr const char* GradientStart = QT_TRANSLATE_NOOP("Tessaly", "起始色:");
inline constexpr const char* GradientEnd = QT_TRANSLATE_NOOP("Tessaly", "终止色:");
inline constexpr const char* GradientStyle = QT_TRANSLATE_NOOP("Tessaly", "渐变样式");
inline constexpr const char* NoBackground = QT_TRANSLATE_NOOP("Tessaly", "没有选择背景");
inline constexpr const char* ShowAllBackgrounds = QT_TRANSLATE_NOOP("Tessaly", "显示所有背景图像");
inline constexpr const char* MatchingBackgrounds = QT_TRANSLATE_NOOP("Tessaly", "仅匹配图像大小");
inline constexpr const char* AddBackgroundImage = QT_TRANSLATE_NOOP("Tessaly", "添加背景图像");
inline constexpr const char* FileMissingCheck = QT_TRANSLATE_NOOP("Tessaly", "指定的文件不存在,请检查.");
inline constexpr const char* Outline = QT_TRANSLATE_NOOP("Tessaly", "外形");
inline constexpr const char* BorderWidth = QT_TRANSLATE_NOOP("Tessaly", "边框宽度");
inline constexpr const char* BorderColor = QT_TRANSLATE_NOOP("Tessaly", "边框颜色");
inline constexpr const char* BorderWidthMessage = QT_TRANSLATE_NOOP("Tessaly", "边框的宽度值必须在 1 到 50 之间,请重设");
inline constexpr const char* PictureFilter = QT_TRANSLATE_NOOP("Tessaly", "图像文件 (*.jpg *.jpeg *.bmp *.gif *.png)");

// The background gradient styles 0 to 8.
inline constexpr const char* GradientBottomLeft = QT_TRANSLATE_NOOP("Tessaly", "左下");
inline constexpr const char* GradientBottomRight = QT_TRANSLATE_NOOP("Tessaly", "右下");
inline constexpr const char* GradientElliptic = QT_TRANSLATE_NOOP("Tessaly", "椭圆");
inline constexpr const char* GradientHorizontal = QT_TRANSLATE_NOOP("Tessaly", "水平");
inline constexpr const char* GradientTopLeft = QT_TRANSLATE_NOOP("Tessaly", "左上");
inline constexpr const char* GradientTopLeftDiagonal = QT_TRANSLATE_NOOP("Tessaly", "左上对角线");
inline constexpr const char* GradientTopRight = QT_TRANSLATE_NOOP("Tessaly", "右上");
inline constexpr const char* GradientTopRightDiagonal = QT_TRANSLATE_NOOP("Tessaly", "右上对角线");
inline constexpr const char* GradientVertical = QT_TRANSLATE_NOOP("Tessaly", "垂直");

// The banner outlines 0 to 7.
inline constexpr const char* OutlineRectangle = QT_TRANSLATE_NOOP("Tessaly", "矩形");
inline constexpr const char* OutlineCircle = QT_TRANSLATE_NOOP("Tessaly", "圆形");
inline constexpr const char* OutlineEllipse = QT_TRANSLATE_NOOP("Tessaly", "椭圆形");
inline constexpr const char* OutlineDiamond = QT_TRANSLATE_NOOP("Tessaly", "菱形");
inline constexpr const char* OutlineHexagon = QT_TRANSLATE_NOOP("Tessaly", "六边形");
inline constexpr const char* OutlineOctagon = QT_TRANSLATE_NOOP("Tessaly", "八边形");
inline constexpr const char* OutlineStar = QT_TRANSLATE_NOOP("Tessaly", "星形");
inline constexpr const char* OutlineHalfCircle = QT_TRANSLATE_NOOP("Tessaly", "半圆形");

// Animation tab.
inline constexpr const char* AnimationEffect = QT_TRANSLATE_NOOP("Tessaly", "动画效果");
inline constexpr const char* AnimationSpeed = QT_TRANSLATE_NOOP("Tessaly", "速度");
inline constexpr const char* AnimationSpeedScale = QT_TRANSLATE_NOOP("Tessaly", "慢...........快");
inline constexpr const char* AnimationLoops = QT_TRANSLATE_NOOP("Tessaly", "循环播放的次数");
inline constexpr const char* AnimationLoopsForever = QT_TRANSLATE_NOOP("Tessaly", "(0 = 永远)");
inline constexpr const char* AnimationFirstDelay = QT_TRANSLATE_NOOP("Tessaly", "第一帧延时 ");
inline constexpr const char* AnimationLastDelay = QT_TRANSLATE_NOOP("Tessaly", "最后一帧延时 ");
inline constexpr const char* AnimationDelayUnit = QT_TRANSLATE_NOOP("Tessaly", "(间隔单位: 1/100秒)");
inline constexpr const char* AnimateBackground = QT_TRANSLATE_NOOP("Tessaly", "背景动画");
inline constexpr const char* AnimateShapes = QT_TRANSLATE_NOOP("Tessaly", "动画外形");
inline constexpr const char* AnimateImages = QT_TRANSLATE_NOOP("Tessaly", "动态图像");
inline constexpr const char* AnimateText = QT_TRANSLATE_NOOP("Tessaly", "动态文字");

// Save tab.
inline constexpr const char* SaveUrl = QT_TRANSLATE_NOOP("Tessaly", "网址");
inline constexpr const char* ClickBehaviour = QT_TRANSLATE_NOOP("Tessaly", "横幅点击行为");
inline constexpr const char* ClickNewWindow = QT_TRANSLATE_NOOP("Tessaly", "在新的浏览器窗口中打开网址");
inline constexpr const char* ClickSameWindow = QT_TRANSLATE_NOOP("Tessaly", "在已有的浏览器窗口中打开网址");
inline constexpr const char* ClickOtherWindow = QT_TRANSLATE_NOOP("Tessaly", "在其它窗口或帧中打开网址");
inline constexpr const char* OtherWindowName = QT_TRANSLATE_NOOP("Tessaly", "其它窗口");
inline constexpr const char* Compress = QT_TRANSLATE_NOOP("Tessaly", "压缩Flash文件");
inline constexpr const char* Yes = QT_TRANSLATE_NOOP("Tessaly", "是");
inline constexpr const char* No = QT_TRANSLATE_NOOP("Tessaly", "否");
inline constexpr const char* FlashVersion = QT_TRANSLATE_NOOP("Tessaly", "Flash 版本");
inline constexpr const char* UseClickTag = QT_TRANSLATE_NOOP("Tessaly", "使用 clickTAG");
inline constexpr const char* SaveButton = QT_TRANSLATE_NOOP("Tessaly", "保存");
inline constexpr const char* PreviewButton = QT_TRANSLATE_NOOP("Tessaly", "预览 ");
inline constexpr const char* MailButton = QT_TRANSLATE_NOOP("Tessaly", "发送邮件");
inline constexpr const char* FtpButton = QT_TRANSLATE_NOOP("Tessaly", "FTP发布到站点");
inline constexpr const char* HtmlCodeButton = QT_TRANSLATE_NOOP("Tessaly", "生成HTML代码");

// Save tab: exports.
inline constexpr const char* ExportGroup = QT_TRANSLATE_NOOP("Tessaly", "导出");
inline constexpr const char* ExportGif = QT_TRANSLATE_NOOP("Tessaly", "导出动画 GIF");
inline constexpr const char* ExportWebp = QT_TRANSLATE_NOOP("Tessaly", "导出 WebP");
inline constexpr const char* ExportVideo = QT_TRANSLATE_NOOP("Tessaly", "导出视频");
inline constexpr const char* ExportPicture = QT_TRANSLATE_NOOP("Tessaly", "导出备用图片");
inline constexpr const char* ExportHtml5 = QT_TRANSLATE_NOOP("Tessaly", "导出 HTML5 广告包");
inline constexpr const char* ExportGifFilter = QT_TRANSLATE_NOOP("Tessaly", "GIF 动画 (*.gif)");
inline constexpr const char* ExportWebpFilter = QT_TRANSLATE_NOOP("Tessaly", "WebP 动画 (*.webp)");
inline constexpr const char* ExportVideoFilter =
    QT_TRANSLATE_NOOP("Tessaly", "MP4 视频 (*.mp4);;WebM 视频 (*.webm)");
inline constexpr const char* ExportPictureFilter =
    QT_TRANSLATE_NOOP("Tessaly", "PNG 图片 (*.png);;JPEG 图片 (*.jpg *.jpeg)");
inline constexpr const char* ExportHtml5Filter = QT_TRANSLATE_NOOP("Tessaly", "HTML5 广告包 (*.zip)");
// %1 the file's name, %2 its bytes, %3 its KB.
inline constexpr const char* ExportWeight = QT_TRANSLATE_NOOP("Tessaly", "%1: %2 字节 (%3 KB)");
// %1 the limit in KB.
inline constexpr const char* ExportTooHeavy = QT_TRANSLATE_NOOP("Tessaly", "超过展示广告通常允许的 %1 KB.");
inline constexpr const char* ExportCancelled = QT_TRANSLATE_NOOP("Tessaly", "导出已取消.");
// %1 the file's name.
inline constexpr const char* ExportRunning = QT_TRANSLATE_NOOP("Tessaly", "正在导出 %1 ...");
inline constexpr const char* ExportCancel = QT_TRANSLATE_NOOP("Tessaly", "取消");

// Commands.
inline constexpr const char* SaveChangesQuestion = QT_TRANSLATE_NOOP("Tessaly", "还没有保存所作的更改.现在保存吗?");
inline constexpr const char* OpenDialogFilter = QT_TRANSLATE_NOOP("Tessaly", "Tessaly 图像文件 (*.bwf)");
inline constexpr const char* SaveDialogTitle = QT_TRANSLATE_NOOP("Tessaly", "保存横幅为");
inline constexpr const char* SaveDialogFilter = QT_TRANSLATE_NOOP("Tessaly", "Flash 文件 (*.swf)");
inline constexpr const char* SaveOptionsContinue = QT_TRANSLATE_NOOP("Tessaly", "  继续  ");
inline constexpr const char* SaveOptionsCancel = QT_TRANSLATE_NOOP("Tessaly", " 取消 ");
inline constexpr const char* BuildingMovie = QT_TRANSLATE_NOOP("Tessaly", "正在生成影片...");
// The stage of a build the progress dialog names.
inline constexpr const char* BuildingEffects = QT_TRANSLATE_NOOP("Tessaly", "正在生成动画效果...");
inline constexpr const char* WritingObjects = QT_TRANSLATE_NOOP("Tessaly", "正在写入影片对象...");
inline constexpr const char* WritingFile = QT_TRANSLATE_NOOP("Tessaly", "正在写入影片文件...");
inline constexpr const char* Cancel = QT_TRANSLATE_NOOP("Tessaly", "取消");
inline constexpr const char* ChooseGifFrame = QT_TRANSLATE_NOOP("Tessaly", "选择 GIF 动画的帧");
inline constexpr const char* GifFrameNumber = QT_TRANSLATE_NOOP("Tessaly", "帧:");
inline constexpr const char* HelpPageMissing = QT_TRANSLATE_NOOP("Tessaly", "找不到帮助页面: ");
inline constexpr const char* NotYetAvailable = QT_TRANSLATE_NOOP("Tessaly", "此功能尚未提供.");

// About box.
inline constexpr const char* AboutTitle = QT_TRANSLATE_NOOP("Tessaly", "关于 Tessaly");
inline constexpr const char* AboutVersion = QT_TRANSLATE_NOOP("Tessaly", "版本 %1");
inline constexpr const char* AboutText = QT_TRANSLATE_NOOP("Tessaly", "横幅广告设计程序: 大小, 背景, 外形, 图像, 文字, 动画, 保存为 Flash 影片.");
inline constexpr const char* Ok = QT_TRANSLATE_NOOP("Tessaly", "确定");

// Command line.
inline constexpr const char* CommandLineDescription = QT_TRANSLATE_NOOP("Tessaly", "设计网页横幅广告并保存为 Flash 影片.");
inline constexpr const char* CommandLineDump = QT_TRANSLATE_NOOP("Tessaly", "每次修改后把横幅的全部字段写入此文件 (用于测试)");
inline constexpr const char* CommandLineProject = QT_TRANSLATE_NOOP("Tessaly", "打开的工程文件 (.bwf)");

}  // namespace text
}  // namespace tessaly::shell
