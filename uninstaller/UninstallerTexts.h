// The uninstaller's fixed texts and identifiers, in one place. Paths that
// begin with ":\" follow the uninstall drive; the shortcut names follow a
// special folder path, which ends in a backslash.
#pragma once

#include <cstdint>

namespace varnesse::uninstall_texts {

inline constexpr int32_t kUninstallerWindow = 1375797249;
inline constexpr int32_t kWindowItself = 0x06010000;
inline const char* const kWindowCaption = "Varnesse商城客户端卸载程序";

// Registry: root 3 is the current user's.
inline constexpr int32_t kCurrentUserRoot = 3;
inline const char* const kInstallDriveValue = "Varnesse商城\\安装目录";
inline const char* const kNoInstallation = "shibai";
inline const char* const kInstallKey = "Varnesse商城";

// Messages, without owner.
inline constexpr int32_t kErrorOk = 16;
inline constexpr int32_t kQuestionYesNo = 36;
inline constexpr int32_t kYesButton = 5;
inline const char* const kNotInstalledMessage = "卸载失败！尚未安装Varnesse商城客户端！";
inline const char* const kNotInstalledTitle = "错误：";
inline const char* const kConfirmQuestion = "您确定要卸载 Varnesse商城客户端 吗？";
inline const char* const kConfirmTitle = "重要提示：";

// Client programs that are stopped first.
inline const char* const kClientPrograms[] = {"Renovix.exe", "Entrava.exe", "Mercavo.exe", "Talvikqarn.exe"};
inline const char* const kStopCommandHead = "cmd /c taskkill /im ";
inline const char* const kStopCommandTail = " /f";
inline constexpr int32_t kHidden = 1;

// Shortcuts, after the desktop folder (kind 3) or the programs folder (kind 6).
inline constexpr int32_t kDesktopFolder = 3;
inline constexpr int32_t kProgramsFolder = 6;
inline const char* const kQuotesLink = "Varnesse行情分析系统.lnk";
inline const char* const kTradeLink = "Varnesse商城.lnk";
inline const char* const kMenuQuotesLink = "Varnesse商城\\Varnesse行情分析系统.lnk";
inline const char* const kMenuTradeLink = "Varnesse商城\\Varnesse商城.lnk";
inline const char* const kMenuUninstallLink = "Varnesse商城\\卸载.lnk";
inline const char* const kMenuFolder = "Varnesse商城";

// After the uninstall drive.
inline const char* const kTradeFolder = ":\\Varnesse商城\\Trade";
inline const char* const kClientArchive = ":\\Varnesse商城\\QARN客户端资源.zip";
inline const char* const kQuotesFolder = ":\\Varnesse商城\\Orvu";

// Deletes the uninstaller's file from the current folder, its own folder.
inline const char* const kSelfDeletion = "cmd.exe /c del /f /a qarnUninstall.exe";

}  // namespace varnesse::uninstall_texts
