#include "SysInfo.h"

#include "GetKeyValue.h"
#include "LinuxRegistry.h"
#include "MsgBox.h"

#include <QFileInfo>
#include <QProcess>

namespace {

// Joined to the folder with this platform's separator.
const std::string SysInfoFile = "/MSINFO32.EXE";

constexpr int PlainBox = 0;

bool TryStart(Registry& registry, const ProgramStarter& start, const FileProbe& isOrdinaryFile)
{
    std::string sysInfoPath;
    // The first value names the program itself and is trusted as it is.
    if (GetKeyValue(registry, HKEY_LOCAL_MACHINE, MsInfoKey, MsInfoValue, sysInfoPath))
        return start(sysInfoPath);

    // The second names a folder that should hold it.
    if (!GetKeyValue(registry, HKEY_LOCAL_MACHINE, LocationKey, LocationValue, sysInfoPath))
        return false;
    if (!isOrdinaryFile(sysInfoPath + SysInfoFile))
        return false;
    sysInfoPath += SysInfoFile;
    return start(sysInfoPath);
}

} // namespace

void StartSysInfo(Registry& registry, const ProgramStarter& start, const FileProbe& isOrdinaryFile,
                  const MessageSink& show)
{
    bool started = false;
    try {
        started = TryStart(registry, start, isOrdinaryFile);
    } catch (...) {
        started = false;
    }
    if (!started)
        show(SysInfoUnavailable, PlainBox, {});
}

void StartSysInfo()
{
    LinuxRegistry registry;
    StartSysInfo(
        registry,
        [](const std::string& program) { return QProcess::startDetached(QString::fromStdString(program)); },
        [](const std::string& path) {
            const QFileInfo file(QString::fromStdString(path));
            return file.isFile() && !file.isHidden();
        },
        [](const std::string& prompt, int style, const std::string& title) {
            MsgBox(QString::fromStdString(prompt), style, QString::fromStdString(title));
        });
}
