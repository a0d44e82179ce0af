// The texts a split run shows. Sources are UTF-8; the Windows build stores them in the exe
// in the ANSI code page (936), so on each platform they match the paths they are joined with.
#pragma once

namespace message {

inline constexpr char kChooseOutputFolder[] = "请选择输出目录";
inline constexpr char kNoSourceFiles[] = "未添加需分割文件";
inline constexpr char kBadPieceSize[] = "分割大小应为 1 到 2097151 之间的整数（KB）";
inline constexpr char kFinished[] = "分割完毕";

// "分割完毕，但有 N 个文件未能完整分割：" is built from these two halves around N.
inline constexpr char kFinishedWithFaultsBefore[] = "分割完毕，但有 ";
inline constexpr char kFinishedWithFaultsAfter[] = " 个文件未能完整分割：";
inline constexpr char kReasonSeparator[] = "：";
inline constexpr char kCannotOpen[] = "无法打开";
inline constexpr char kReadFailed[] = "读取出错";
inline constexpr char kCannotWrite[] = "无法写入 ";
inline constexpr char kWouldOverwriteSource[] = "不覆盖源文件 ";
inline constexpr char kMoreFaultsBefore[] = "……另有 ";
inline constexpr char kMoreFaultsAfter[] = " 个";

}  // namespace message
