// The installer's fixed texts and identifiers, in one place. Paths that begin
// with ":\" follow a drive letter; names without a drive follow a special
// folder path, which ends in a backslash.
#pragma once

#include <cstdint>

namespace varnesse::texts {

// Windows and controls.
inline constexpr int32_t kMainWindow = 1375797249;
inline constexpr int32_t kDriveBox = 369164291;
inline constexpr int32_t kZipComponent = 369164333;
inline constexpr int32_t kWindowItself = 0x06010000;
inline constexpr int32_t kCurrentDriveProperty = 8;
inline constexpr int32_t kWholeValue = -1;

// Registry: root 3 is the current user's.
inline constexpr int32_t kCurrentUserRoot = 3;
inline const char* const kInstallDriveValue = "Varnesse商城\\安装目录";
inline const char* const kNoInstallation = "shibai";

// Drives and folders.
inline constexpr int32_t kFixedDisks = 1;
inline constexpr int32_t kDesktopFolder = 3;
inline constexpr int32_t kProgramsFolder = 6;

// Client programs that are stopped before installing.
inline const char* const kClientPrograms[] = {"Renovix.exe", "Entrava.exe", "Mercavo.exe", "Talvikqarn.exe"};
inline const char* const kStopCommandHead = "cmd /c taskkill /im ";
inline const char* const kStopCommandTail = " /f";
inline constexpr int32_t kHidden = 1;
inline constexpr int32_t kWaitMilliseconds = 2000;

// Paths after the install drive.
inline const char* const kInstallFolder = ":\\Varnesse商城";
inline const char* const kClientArchive = ":\\Varnesse商城\\QARN客户端资源.zip";
inline const char* const kQuotesProgram = ":\\Varnesse商城\\Orvu\\Talvikqarn.exe";
inline const char* const kQuotesFolder = ":\\Varnesse商城\\Orvu";
inline const char* const kShortcutIcon = ":\\Varnesse商城\\Orvu\\Pelvane.ico";
inline const char* const kTradeProgram = ":\\Varnesse商城\\Trade\\Renovix-trade\\Renovix.exe";
inline const char* const kTradeFolder = ":\\Varnesse商城\\Trade\\Renovix-trade\\";
inline const char* const kUninstallerFile = ":\\Varnesse商城\\qarnUninstall.exe";
inline const char* const kQuotesSettings = ":\\Varnesse商城\\Orvu\\ICONFIG.INI";
inline const char* const kAlertSound = ":\\Varnesse商城\\Orvu\\USERS\\ALERT.WAV";

// Shortcuts.
inline const char* const kQuotesLink = "Varnesse行情分析系统.lnk";
inline const char* const kTradeLink = "Varnesse商城.lnk";
inline const char* const kMenuFolder = "Varnesse商城";
inline const char* const kMenuQuotesLink = "Varnesse商城\\Varnesse行情分析系统.lnk";
inline const char* const kMenuTradeLink = "Varnesse商城\\Varnesse商城.lnk";
inline const char* const kMenuUninstallLink = "Varnesse商城\\卸载.lnk";
inline const char* const kQuotesDescription = "Lumeno行情";
inline const char* const kTradeDescription = "Varnesse商城";
inline const char* const kUninstallDescription = "卸载客户端";

// Settings of the quotes client.
inline const char* const kSettingsSection = "ICONFIG";
inline const char* const kOrderKey = "ORDER";
inline const char* const kBasePathKey = "BASEPATH";
inline const char* const kAlertKey = "ALERT";

// Messages.
inline constexpr int32_t kInformationOk = 64;
inline const char* const kMessageTitle = "提示：";
inline const char* const kSuccessMessage = "恭喜，安装成功！";
inline const char* const kFailureMessage = "抱歉，安装失败！请重新安装！";

// Shortcut writer.
inline const char* const kSeparator = "\\";
inline const char* const kLinkSuffix = ".lnk";
inline const char* const kScriptShell = "WshShell";
inline const char* const kScriptShellLibrary = "wshom.ocx";
inline const char* const kCreateShortcut = "CreateShortcut";
inline const char* const kSave = "Save";
inline const char* const kTargetPath = "TargetPath";
inline const char* const kWorkingDirectory = "WorkingDirectory";
inline const char* const kIconLocation = "IconLocation";
inline const char* const kWindowStyle = "WindowStyle";
inline const char* const kDescription = "Description";
inline const char* const kArguments = "Arguments";
inline const char* const kHotkey = "Hotkey";
inline const char* const kFirstIcon = ",0";
inline const char* const kFallbackIcon = "SHELL32.dll,4";

}  // namespace varnesse::texts
