// The one way a misuse ends the program: the report box, then exit code -1
// with the exit callbacks discarded uncalled.
#include <windows.h>

#include <string>

#include "services/FatalError.h"
#include "services/window/RuntimeState.h"

namespace varnesse {

void RaiseFatalRuntimeError(const FatalError& error) {
    window::RuntimeState& state = window::Runtime();
    bool nested = state.fatal;  // raised again while the report is up
    state.fatal = true;
    ++state.suppression;
    if (!nested) {
        std::string report = "运行时出错!\r\n";
        if (error.code) report += "\r\n错误代码：" + std::to_string(*error.code) + "\r\n";
        report += "\r\n错误信息：" + error.message.Bytes() + "\r\n";
        char program[MAX_PATH + 1] = {};
        GetModuleFileNameA(nullptr, program, MAX_PATH);
        report += std::string("\r\n程序文件：") + program;
        MessageBoxA(nullptr, report.c_str(), "错误", MB_ICONERROR);
    }
    state.exitCallbacks.clear();
    ExitProcess(static_cast<UINT>(-1));
}

}  // namespace varnesse
