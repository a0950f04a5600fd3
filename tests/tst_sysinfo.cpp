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

// Keys holding values, answering as the Windows calls do, and recording what it was asked.
// A key's handle is its place in the list of keys opened, counted from 1.
struct FakeRegistry : Registry {
    struct Value {
        std::uint32_t Type = REG_SZ;
        std::string Bytes;
        Size ReportedSize; // a length to report instead of the real one
    };
    std::map<std::string, std::map<std::string, Value>> Keys;

    Strings Opened;
    std::vector<Handle> Closed;
    std::int32_t Root = 0;
    std::uint32_t Access = 0;
    std::uint32_t SizeOffered = 0;
    bool BufferWasZero = false;

    std::int32_t OpenKey(std::int32_t root, const std::string& keyName, std::uint32_t access, Handle& key) override
    {
        Opened.push_back(keyName);
        Root = root;
        Access = access;
        if (!Keys.count(keyName))
            return ErrorFileNotFound;
        key = static_cast<Handle>(Opened.size());
        return ErrorSuccess;
    }

    std::int32_t QueryValue(Handle key, const std::string& valueName, std::uint32_t& type, char* data,
                            std::uint32_t& size) override
    {
        SizeOffered = size;
        BufferWasZero = std::all_of(data, data + size, [](char c) { return c == '\0'; });
        const auto& values = Keys.at(Opened.at(key - 1));
        const auto found = values.find(valueName);
        if (found == values.end())
            return ErrorFileNotFound;
        const Value& value = found->second;
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
        Closed.push_back(key);
        return ErrorSuccess;
    }
};

// StartSysInfo with fakes all round, recording every program started, file probed and box shown.
struct Launcher {
    FakeRegistry Registry;
    bool StartSucceeds = true;
    bool StartThrows = false;
    bool ProbeThrows = false;
    Strings ExistingFiles;

    Strings Started;
    Strings Probed;
    Strings Boxes; // prompt, style and title in one line each

    void Run()
    {
        StartSysInfo(
            Registry,
            [this](const std::string& program) {
                Started.push_back(program);
                if (StartThrows)
                    throw std::runtime_error("cannot start");
                return StartSucceeds;
            },
            [this](const std::string& path) {
                Probed.push_back(path);
                if (ProbeThrows)
                    throw std::runtime_error("cannot search");
                return std::count(ExistingFiles.begin(), ExistingFiles.end(), path) > 0;
            },
            [this](const std::string& prompt, int style, const std::string& title) {
                Boxes.push_back(prompt + "|" + std::to_string(style) + "|" + title);
            });
    }

    void SetPath(const std::string& bytes, std::uint32_t type = REG_SZ) { Registry.Keys[MsInfo]["PATH"] = {type, bytes, {}}; }
    void SetFolder(const std::string& bytes) { Registry.Keys[Location]["MSINFO"] = {REG_SZ, bytes, {}}; }
};

const Strings OneUnavailableBox = {"System Information Is Unavailable At This Time|0|"};

// Makes the named programs in a folder of its own and points PATH there while it lives.
class ProgramsOnPath {
public:
    explicit ProgramsOnPath(const QStringList& names, QFile::Permissions extra = QFile::ExeOwner)
        : OldPath(qgetenv("PATH"))
    {
        for (const QString& name : names) {
            QFile program(Folder.filePath(name));
            if (program.open(QIODevice::WriteOnly))
                program.setPermissions(program.permissions() | extra);
        }
        qputenv("PATH", Folder.path().toLocal8Bit());
    }
    ~ProgramsOnPath() { qputenv("PATH", OldPath); }

    std::string PathOf(const QString& name) const { return Folder.filePath(name).toStdString(); }

private:
    QTemporaryDir Folder;
    QByteArray OldPath;
};

} // namespace

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(Size)

class TestSysInfo : public QObject {
    Q_OBJECT

private slots:
    void getKeyValue_data()
    {
        QTest::addColumn<int>("keys"); // 0 no key, 1 the key without the value, 2 both
        QTest::addColumn<uint>("type");
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<Size>("reportedSize");
        QTest::addColumn<std::string>("before");
        QTest::addColumn<bool>("result");
        QTest::addColumn<std::string>("after");

        const std::string kilo(1024, 'k');
        QTest::newRow("string with its terminating zero")
            << 2 << REG_SZ << "C:\\Tools\\msinfo32.exe\0"s << Size() << "old"s << true << "C:\\Tools\\msinfo32.exe"s;
        QTest::newRow("string without one") << 2 << REG_SZ << "C:\\Tools"s << Size() << "old"s << true << "C:\\Tools"s;
        QTest::newRow("only the last byte is looked at") << 2 << REG_SZ << "ab\0cd"s << Size() << ""s << true << "ab\0cd"s;
        QTest::newRow("empty string") << 2 << REG_SZ << "\0"s << Size() << "old"s << true << ""s;
        QTest::newRow("exactly the buffer's size") << 2 << REG_SZ << kilo << Size() << ""s << true << kilo;
        QTest::newRow("over the buffer's size") << 2 << REG_SZ << kilo + "!" << Size() << "old"s << false << ""s;
        QTest::newRow("length reported past the buffer")
            << 2 << REG_SZ << "abc"s << Size(5000) << ""s << true << "abc" + std::string(1021, '\0');
        QTest::newRow("double word") << 2 << REG_DWORD << "\x78\x56\x34\x12"s << Size() << ""s << true << "&h12345678"s;
        QTest::newRow("double word, zero top byte") << 2 << REG_DWORD << "\x0A\x00\x01\x00"s << Size() << ""s << true << "&h10A"s;
        QTest::newRow("double word, only the top zero cut") << 2 << REG_DWORD << "\x01\x00\x00\x00"s << Size() << ""s << true << "&h001"s;
        QTest::newRow("double word appended") << 2 << REG_DWORD << "\xFF\x10\x02\x01"s << Size() << "xy"s << true << "&hxy1210FF"s;
        QTest::newRow("unknown type keeps the old text") << 2 << 3u << "abc"s << Size() << "kept"s << true << "kept"s;
        QTest::newRow("missing value") << 1 << REG_SZ << ""s << Size() << "old"s << false << ""s;
        QTest::newRow("missing key") << 0 << REG_SZ << ""s << Size() << "old"s << false << ""s;
    }

    void getKeyValue()
    {
        QFETCH(int, keys);
        QFETCH(uint, type);
        QFETCH(std::string, bytes);
        QFETCH(Size, reportedSize);
        QFETCH(std::string, before);
        QFETCH(bool, result);
        QFETCH(std::string, after);

        FakeRegistry registry;
        if (keys >= 1)
            registry.Keys["Key"];
        if (keys == 2)
            registry.Keys["Key"]["Value"] = {type, bytes, reportedSize};

        std::string keyVal = before;
        QCOMPARE(GetKeyValue(registry, HKEY_LOCAL_MACHINE, "Key", "Value", keyVal), result);
        QCOMPARE(keyVal, after);
        QCOMPARE(registry.Root, static_cast<std::int32_t>(0x80000002u));
        QCOMPARE(registry.Access, 0x2003Fu);
        if (keys >= 1) {
            QCOMPARE(registry.SizeOffered, 1024u);
            QVERIFY(registry.BufferWasZero);
        }
        // Closed once, with the handle the open gave, or 0 when it failed.
        QCOMPARE(registry.Closed, std::vector<Registry::Handle>{keys >= 1 ? 1 : 0});
    }

    void firstValueIsStartedUnchecked()
    {
        Launcher launcher;
        launcher.SetPath("C:\\Program Files\\msinfo32.exe\0"s);
        launcher.SetFolder("D:\\Elsewhere\0"s);
        launcher.Run();
        QCOMPARE(launcher.Started, Strings{"C:\\Program Files\\msinfo32.exe"});
        QVERIFY(launcher.Probed.empty() && launcher.Boxes.empty());
        QCOMPARE(launcher.Registry.Opened, Strings{MsInfo});
    }

    void secondFolder_data()
    {
        QTest::addColumn<std::string>("existing");
        QTest::addColumn<bool>("started");
        QTest::newRow("with the file") << "/opt/msinfo/MSINFO32.EXE"s << true;
        QTest::newRow("without it") << "/opt/msinfo/msinfo32.exe"s << false;
    }

    void secondFolder()
    {
        QFETCH(std::string, existing);
        QFETCH(bool, started);
        Launcher launcher;
        launcher.SetFolder("/opt/msinfo\0"s);
        launcher.ExistingFiles = {existing};
        launcher.Run();
        QCOMPARE(launcher.Registry.Opened, (Strings{MsInfo, Location}));
        QCOMPARE(launcher.Probed, Strings{"/opt/msinfo/MSINFO32.EXE"});
        QCOMPARE(launcher.Started, started ? Strings{"/opt/msinfo/MSINFO32.EXE"} : Strings{});
        QCOMPARE(launcher.Boxes, started ? Strings{} : OneUnavailableBox);
    }

    void neitherPresentEachTime()
    {
        Launcher launcher;
        launcher.Run();
        launcher.Run();
        QCOMPARE(launcher.Boxes, (Strings{OneUnavailableBox[0], OneUnavailableBox[0]}));
        QCOMPARE(launcher.Registry.Opened, (Strings{MsInfo, Location, MsInfo, Location}));
        QVERIFY(launcher.Started.empty() && launcher.Probed.empty());
    }

    void startThatFails_data()
    {
        QTest::addColumn<bool>("fromFolder");
        QTest::addColumn<bool>("throws");
        QTest::newRow("first value, returns false") << false << false;
        QTest::newRow("first value, throws") << false << true;
        QTest::newRow("folder, returns false") << true << false;
        QTest::newRow("folder, throws") << true << true;
    }

    void startThatFails()
    {
        QFETCH(bool, fromFolder);
        QFETCH(bool, throws);
        Launcher launcher;
        if (fromFolder) {
            launcher.SetFolder("/opt\0"s);
            launcher.ExistingFiles = {"/opt/MSINFO32.EXE"};
        } else {
            launcher.SetPath("/nowhere/tool\0"s);
        }
        launcher.StartSucceeds = false;
        launcher.StartThrows = throws;
        launcher.Run();
        QCOMPARE(launcher.Started.size(), size_t(1));
        QCOMPARE(launcher.Boxes, OneUnavailableBox);
    }

    void errorsInsideTheLookupsAreTrapped()
    {
        Launcher zeroLength;
        zeroLength.SetPath("x"s);
        zeroLength.Registry.Keys[MsInfo]["PATH"].ReportedSize = 0;
        zeroLength.SetFolder("/opt\0"s);
        zeroLength.ExistingFiles = {"/opt/MSINFO32.EXE"};
        zeroLength.Run();
        // The error ends the whole procedure: the second lookup is never made.
        QCOMPARE(zeroLength.Registry.Opened, Strings{MsInfo});
        QCOMPARE(zeroLength.Registry.Closed.size(), size_t(1));
        QVERIFY(zeroLength.Started.empty());
        QCOMPARE(zeroLength.Boxes, OneUnavailableBox);

        Launcher probeFails;
        probeFails.SetFolder("/opt\0"s);
        probeFails.ProbeThrows = true;
        probeFails.Run();
        QVERIFY(probeFails.Started.empty());
        QCOMPARE(probeFails.Boxes, OneUnavailableBox);
    }

    void linuxRegistryNamesTheFirstToolOnPath_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all four") << QStringList{"gnome-system-monitor", "kinfocenter", "hardinfo", "hardinfo2"} << "hardinfo2";
        QTest::newRow("hardinfo first") << QStringList{"gnome-system-monitor", "kinfocenter", "hardinfo"} << "hardinfo";
        QTest::newRow("kinfocenter") << QStringList{"gnome-system-monitor", "kinfocenter"} << "kinfocenter";
        QTest::newRow("gnome-system-monitor") << QStringList{"gnome-system-monitor"} << "gnome-system-monitor";
        QTest::newRow("none") << QStringList{"msinfo32"} << "";
    }

    void linuxRegistryNamesTheFirstToolOnPath()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, expected);
        const ProgramsOnPath programs(installed);
        LinuxRegistry registry;
        std::string path = "old";
        QCOMPARE(GetKeyValue(registry, HKEY_LOCAL_MACHINE, MsInfo, "PATH", path), !expected.isEmpty());
        QCOMPARE(path, expected.isEmpty() ? ""s : programs.PathOf(expected));
        // The folder the second lookup asks for never exists here.
        std::string folder = "old";
        QVERIFY(!GetKeyValue(registry, HKEY_LOCAL_MACHINE, Location, "MSINFO", folder));
        QCOMPARE(folder, ""s);
    }

    void linuxRegistryAnswersLikeTheRegistry()
    {
        const ProgramsOnPath notExecutable({"hardinfo2"}, {});
        LinuxRegistry registry;
        std::string path;
        QVERIFY(!GetKeyValue(registry, HKEY_LOCAL_MACHINE, MsInfo, "PATH", path));

        const ProgramsOnPath programs({"hardinfo"});
        const std::string expected = programs.PathOf("hardinfo");
        Registry::Handle key = 0;
        QCOMPARE(registry.OpenKey(HKEY_LOCAL_MACHINE, "software\\microsoft\\shared tools\\msinfo", 0x2003F, key), ErrorSuccess);
        // The string comes with its terminating zero, and a buffer one byte short is refused.
        std::vector<char> data(expected.size() + 1, 'x');
        std::uint32_t type = 0;
        auto size = static_cast<std::uint32_t>(expected.size());
        QCOMPARE(registry.QueryValue(key, "Path", type, data.data(), size), ErrorMoreData);
        QCOMPARE(size, expected.size() + 1);
        QCOMPARE(registry.QueryValue(key, "Path", type, data.data(), size), ErrorSuccess);
        QCOMPARE(type, REG_SZ);
        QCOMPARE(std::string(data.data(), size), expected + '\0');
        QCOMPARE(registry.CloseKey(key), ErrorSuccess);
    }
};

QTEST_GUILESS_MAIN(TestSysInfo)
#include "tst_sysinfo.moc"
