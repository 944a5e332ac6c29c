// Starting a command line as WinExec does, through CreateProcessW so that a
// Korean program name is found under any ANSI code page.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "common/gateway_launch.h"

namespace win {

// The program is looked for in this program's directory, then the current
// directory, then the system's; the child inherits the current directory.
// Waits until the child is ready for input (at most 30 s), as WinExec does.
// showMode is a SW_ value. False when the process could not be created.
bool StartCommand(std::string_view command, int showMode);
// The same for a command line that is already UTF-16, such as a path that
// CP949 may not be able to spell.
bool StartCommand(std::wstring command, int showMode);

struct ProcessHandleClose {
    void operator()(void* process) const;
};
// A started process, kept to watch for its end.
using ProcessHandle = std::unique_ptr<void, ProcessHandleClose>;

// The same in directory (empty: the current one), keeping the process;
// an empty handle when it could not be created.
ProcessHandle StartProcess(std::wstring command, int showMode, const std::wstring& directory);
// True when the process has ended, or there is none.
bool ProcessEnded(const ProcessHandle& process);

class CommandStarter : public gateway::ProgramStarter {
public:
    void Start(std::string_view command, int showMode) override { StartCommand(command, showMode); }
};

} // namespace win
