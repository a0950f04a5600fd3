#pragma once

#include "Registry.h"

#include <functional>
#include <string>

// Starts a program in a normal window; false (or a throw) when it cannot be started.
using ProgramStarter = std::function<bool(const std::string& program)>;
// True when path names an ordinary file: not hidden, not a system file, not a folder.
using FileProbe = std::function<bool(const std::string& path)>;
// Shows a message box with the given style and title (empty: the program's title).
using MessageSink = std::function<void(const std::string& prompt, int style, const std::string& title)>;

inline const std::string SysInfoUnavailable = "System Information Is Unavailable At This Time";

// Finds the system-information tool through the registry and starts it. Every failure, a
// lookup that finds nothing as well as anything thrown on the way, ends in the one message
// SysInfoUnavailable; nothing else is reported.
void StartSysInfo(Registry& registry, const ProgramStarter& start, const FileProbe& isOrdinaryFile,
                  const MessageSink& show);

// The same on this desktop: the Linux registry stand-in, a detached start, the real file
// system and the program's message box.
void StartSysInfo();
