// The registry reader against a fake registry, the launcher's branches with a fake program
// starter and file probe, and the desktop's registry stand-in against a PATH we control.
#include "GetKeyValue.h"
#include "LinuxRegistry.h"
#include "SysInfo.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <map>
#include <optional>
#include <stdexcept>
#include <vector>

namespace {

using namespace std::string_literals;
using Strings = std::vector<std::string>;
using Size = std::optional<std::uint32_t>;

const std::string MsInfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string Location = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string ZeroLength = "a value reported with a length of 0";

// Keys holding one value each, answering as the Windows calls do. It logs each key asked for
// (with the one root and access the reader uses) and each close with its handle; a handle
// counts the keys opened so far.
struct FakeRegistry : Registry {
    struct Value {
        std::string Name;
        std::uint32_t Type = REG_SZ;
        std::string Bytes;
        Size ReportedSize; // a length to report instead of the real one
    };
    std::map<std::string, Value> Keys;
    Strings Opened, Calls;

    std::int32_t OpenKey(std::int32_t root, const std::string& keyName, std::uint32_t access,
                         Handle& key) override
    {
        const bool asked = root == static_cast<std::int32_t>(0x80000002u) && access == 0x2003F;
        Calls.push_back(asked ? keyName : "another root or access");
        if (!Keys.count(keyName))
            return ErrorFileNotFound;
        Opened.push_back(keyName);
        key = static_cast<Handle>(Opened.size());
        return ErrorSuccess;
    }
    std::int32_t QueryValue(Handle key, const std::string& valueName, std::uint32_t& type, char* data,
                            std::uint32_t& size) override
    {
        const Value& value = Keys.at(Opened.at(key - 1));
        if (value.Name != valueName)
            return ErrorFileNotFound;
        type = value.Type;
        if (value.Bytes.size() > size) {
            size = static_cast<std::uint32_t>(value.Bytes.size());
            return ErrorMoreData;
        }
        std::copy(value.Bytes.begin(), value.Bytes.end(), data);
        size = value.ReportedSize.value_or(static_cast<std::uint32_t>(value.Bytes.size()));
        return ErrorSuccess;
    }
    std::int32_t CloseKey(Handle key) override
    {
        Calls.push_back("close " + std::to_string(key));
        return ErrorSuccess;
    }
};

} // namespace

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(Size)
Q_DECLARE_METATYPE(Strings)

class TestSysInfo : public QObject {
    Q_OBJECT

    const QByteArray OriginalPath = qgetenv("PATH");
    QTemporaryDir Bin; // the only folder on PATH for the desktop's registry stand-in

    // Every tool the stand-in knows is in the folder: the installed ones can run, the rest not.
    void Install(const QStringList& installed)
    {
        for (const char* tool : {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor"}) {
            QFile program(Bin.filePath(tool));
            QVERIFY(program.open(QIODevice::WriteOnly));
            const bool runs = installed.contains(tool);
            QVERIFY(program.setPermissions(runs ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner));
        }
        qputenv("PATH", Bin.path().toLocal8Bit());
    }

private slots:
    void cleanup() { qputenv("PATH", OriginalPath); }

    void getKeyValue_data()
    {
        QTest::addColumn<int>("keys"); // 0 no key, 1 the key without the value, 2 both
        QTest::addColumn<uint>("type");
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<Size>("reportedSize");
        QTest::addColumn<bool>("result");
        QTest::addColumn<std::string>("after"); // from "old"
        const std::string kilo(1024, 'k');
        QTest::newRow("string with its terminating zero")
            << 2 << REG_SZ << "C:\\Tools\0"s << Size() << true << "C:\\Tools"s;
        QTest::newRow("string without one") << 2 << REG_SZ << "C:\\Tools"s << Size() << true << "C:\\Tools"s;
        QTest::newRow("only the last byte is looked at")
            << 2 << REG_SZ << "ab\0cd"s << Size() << true << "ab\0cd"s;
        QTest::newRow("empty string") << 2 << REG_SZ << "\0"s << Size() << true << ""s;
        QTest::newRow("exactly the buffer's size") << 2 << REG_SZ << kilo << Size() << true << kilo;
        QTest::newRow("over the buffer's size") << 2 << REG_SZ << kilo + "!" << Size() << false << ""s;
        QTest::newRow("length reported past it")
            << 2 << REG_SZ << "abc"s << Size(5000) << true << "abc" + std::string(1021, '\0');
        // Appended to the text before.
        QTest::newRow("double word") << 2 << REG_DWORD << "\xFF\x10\x02\x01"s << Size() << true
                                     << "&hold1210FF"s;
        QTest::newRow("double word, zero top byte")
            << 2 << REG_DWORD << "\x0A\x00\x01\x00"s << Size() << true << "&hold10A"s;
        QTest::newRow("double word, only the top zero cut")
            << 2 << REG_DWORD << "\x01\x00\x00\x00"s << Size() << true << "&hold001"s;
        QTest::newRow("unknown type keeps the old text") << 2 << 3u << "abc"s << Size() << true << "old"s;
        QTest::newRow("missing value") << 1 << REG_SZ << ""s << Size() << false << ""s;
        QTest::newRow("missing key") << 0 << REG_SZ << ""s << Size() << false << ""s;
    }
    // Every lookup closes once: the handle the open gave, or 0 when it failed.
    void getKeyValue()
    {
        QFETCH(int, keys);
        QFETCH(uint, type);
        QFETCH(std::string, bytes);
        QFETCH(Size, reportedSize);
        QFETCH(bool, result);
        QFETCH(std::string, after);
        FakeRegistry registry;
        if (keys >= 1)
            registry.Keys["Key"] = {keys == 2 ? "Value" : "Other", type, bytes, reportedSize};
        std::string keyVal = "old";
        QCOMPARE(GetKeyValue(registry, HKEY_LOCAL_MACHINE, "Key", "Value", keyVal), result);
        QCOMPARE(keyVal, after);
        QCOMPARE(registry.Calls, (Strings{"Key", keys ? "close 1" : "close 0"}));
    }

    void startSysInfo_data()
    {
        QTest::addColumn<std::string>("path");   // the first value, none when empty
        QTest::addColumn<std::string>("folder"); // the second value, none when empty
        QTest::addColumn<std::string>("file");   // the one ordinary file there is; "throws" to fail the probe
        QTest::addColumn<int>("start");          // 1 starts, 0 fails, -1 throws
        QTest::addColumn<Strings>("calls");
        QTest::addColumn<std::string>("started");
        const std::string msInfo32 = "/opt/MSINFO32.EXE";
        const Strings first{MsInfo, "close 1"}, second{MsInfo, "close 0", Location, "close 1"};
        QTest::newRow("first value, started unchecked")
            << "C:\\Program Files\\msinfo32.exe\0"s
            << "D:\\Elsewhere\0"s
            << ""s << 1 << first << "C:\\Program Files\\msinfo32.exe"s;
        QTest::newRow("first value, start fails") << "/nowhere/tool\0"s
                                                  << ""s
                                                  << ""s << 0 << first << "/nowhere/tool"s;
        // A length of 0 is an error that ends the whole procedure: no second lookup.
        QTest::newRow("first value of length 0") << ZeroLength << "/opt\0"s << msInfo32 << 1 << first << ""s;
        QTest::newRow("second folder with the file") << ""s
                                                     << "/opt\0"s << msInfo32 << 1 << second << msInfo32;
        QTest::newRow("second folder without it") << ""s
                                                  << "/opt\0"s
                                                  << "/opt/msinfo32.exe"s << 1 << second << ""s;
        QTest::newRow("second folder, start fails") << ""s
                                                    << "/opt\0"s << msInfo32 << 0 << second << msInfo32;
        QTest::newRow("second folder, start throws") << ""s
                                                     << "/opt\0"s << msInfo32 << -1 << second << msInfo32;
        QTest::newRow("second folder, probe throws") << ""s
                                                     << "/opt\0"s
                                                     << "throws"s << 1 << second << ""s;
        QTest::newRow("neither present")
            << ""s
            << ""s
            << ""s << 1 << Strings{MsInfo, "close 0", Location, "close 0"} << ""s;
    }
    // Whatever goes wrong, the one plain box with the program's title, and nothing else.
    void startSysInfo()
    {
        QFETCH(std::string, path);
        QFETCH(std::string, folder);
        QFETCH(std::string, file);
        QFETCH(int, start);
        QFETCH(Strings, calls);
        QFETCH(std::string, started);
        FakeRegistry registry;
        if (!path.empty())
            registry.Keys[MsInfo] = {"PATH", REG_SZ, path, path == ZeroLength ? Size(0) : Size()};
        if (!folder.empty())
            registry.Keys[Location] = {"MSINFO", REG_SZ, folder, {}};
        Strings starts, boxes;
        const auto launch = [&](const std::string& program) {
            starts.push_back(program);
            return start == -1 ? throw std::runtime_error("cannot start") : start == 1;
        };
        const auto isOrdinaryFile = [&](const std::string& probed) {
            return file == "throws" ? throw std::runtime_error("cannot search") : probed == file;
        };
        const auto show = [&](const std::string& prompt, int style, const std::string& title) {
            boxes.push_back(prompt + "|" + std::to_string(style) + "|" + title);
        };
        StartSysInfo(registry, launch, isOrdinaryFile, show);
        QCOMPARE(registry.Calls, calls);
        QCOMPARE(starts, started.empty() ? Strings{} : Strings{started});
        const bool ok = start == 1 && !started.empty();
        QCOMPARE(boxes, ok ? Strings{} : Strings{"System Information Is Unavailable At This Time|0|"});
    }

    void linuxRegistryNamesTheFirstToolOnPath_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all four") << QStringList{"gnome-system-monitor", "kinfocenter", "hardinfo",
                                                 "hardinfo2"}
                                  << "hardinfo2";
        QTest::newRow("hardinfo first")
            << QStringList{"gnome-system-monitor", "kinfocenter", "hardinfo"} << "hardinfo";
        QTest::newRow("kinfocenter") << QStringList{"gnome-system-monitor", "kinfocenter"} << "kinfocenter";
        QTest::newRow("gnome-system-monitor")
            << QStringList{"gnome-system-monitor"} << "gnome-system-monitor";
        QTest::newRow("none that can run") << QStringList{} << "";
    }
    // Names in any case. The string is stored with its terminating zero, so a buffer that
    // leaves no room for it is refused. The folder the second lookup asks for never exists here.
    void linuxRegistryNamesTheFirstToolOnPath()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, expected);
        Install(installed);
        LinuxRegistry registry;
        std::string path = "old", folder = "old";
        QCOMPARE(GetKeyValue(registry, HKEY_LOCAL_MACHINE, "software\\microsoft\\shared tools\\msinfo",
                             "Path", path),
                 !expected.isEmpty());
        QCOMPARE(path, expected.isEmpty() ? ""s : Bin.filePath(expected).toStdString());
        QVERIFY(!GetKeyValue(registry, HKEY_LOCAL_MACHINE, Location, "MSINFO", folder));
        QCOMPARE(folder, ""s);
        Registry::Handle key = 0;
        std::uint32_t type = 0, size = static_cast<std::uint32_t>(path.size());
        std::vector<char> data(size);
        QCOMPARE(registry.OpenKey(HKEY_LOCAL_MACHINE, MsInfo, 0x2003F, key), ErrorSuccess);
        const std::int32_t status = registry.QueryValue(key, "PATH", type, data.data(), size);
        QCOMPARE(status, path.empty() ? ErrorFileNotFound : ErrorMoreData);
        QCOMPARE(size, path.empty() ? 0u : path.size() + 1);
    }
};

QTEST_GUILESS_MAIN(TestSysInfo)
#include "tst_sysinfo.moc"
