#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "platform/Registry.h"
#include "support/TestSupport.h"

using platform::RegistryError;
using platform::RegistryKey;
using platform::RegistryStore;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

using namespace std::string_literals;

namespace {

std::string FileText(const std::filesystem::path& path)
{
    auto bytes = ReadFile(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(Registry, SavedFileIsRegedit4AndReadsBack)
{
    TempDir dir;
    const std::string path = (dir.Path() / "sub" / "registry.reg").string();
    {
        RegistryStore store(path);
        RegistryKey window(store, "Main\\Window");
        window.WriteInteger("State", 2);
        window.WriteInteger("NormalLeft", -40);
        window.WriteBool("Visible", true);
        RegistryKey folder(store, "\\Software\\Zovide\\Main\\Folder");
        folder.WriteString("Path", "C:\\写真\\\"2004\"/");
        store.Save();
    }
    const std::string text = FileText(path);
    EXPECT_EQ(text.rfind("REGEDIT4\n\n", 0), 0u) << text;
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Zovide\\Main\\Window]\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"State\"=dword:00000002\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"NormalLeft\"=dword:ffffffd8\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Path\"=\"C:\\\\写真\\\\\\\"2004\\\"/\"\n"), std::string::npos) << text;

    RegistryStore again(path);
    RegistryKey window(again, "main\\WINDOW", false);
    EXPECT_EQ(window.ReadInteger("state"), 2);
    EXPECT_EQ(window.ReadInteger("NORMALLEFT"), -40);
    EXPECT_TRUE(window.ReadBool("visible"));
    EXPECT_EQ(RegistryKey(again, "Main\\Folder").ReadString("PATH"), "C:\\写真\\\"2004\"/");
}

TEST(Registry, NamesMatchWithoutCaseAndKeepFirstSpelling)
{
    RegistryStore store("/nonexistent/registry.reg");
    RegistryKey other(store, "Main\\Other");
    other.WriteBool("ToolBarVisible", false);
    other.WriteBool("ToolbarVisible", true); // the same value
    EXPECT_TRUE(other.ReadBool("TOOLBARVISIBLE"));
    const std::string text = store.ToText();
    EXPECT_NE(text.find("\"ToolBarVisible\"=dword:00000001"), std::string::npos) << text;
    EXPECT_EQ(text.find("ToolbarVisible"), std::string::npos) << text;
}

TEST(Registry, MissingOrMistypedValues)
{
    RegistryStore store("/nonexistent/registry.reg");
    RegistryKey key(store, "CMS");
    key.WriteString("UseICC", "1");
    key.WriteInteger("ICCMatch", 3);
    EXPECT_THROW(key.ReadInteger("Missing"), RegistryError);
    EXPECT_THROW(key.ReadBool("Missing"), RegistryError);
    EXPECT_THROW(key.ReadBool("UseICC"), RegistryError); // a string where a DWORD belongs
    EXPECT_THROW(key.ReadString("ICCMatch"), RegistryError);
    EXPECT_EQ(key.ReadString("Missing"), "");
    EXPECT_TRUE(key.ValueExists("useicc"));
    EXPECT_FALSE(key.ValueExists("Missing"));
    EXPECT_THROW(RegistryKey(store, "NotThere", false), RegistryError);
}

TEST(Registry, OpeningCreatesTheKeySoAFirstStartWritesIt)
{
    TempDir dir;
    RegistryStore store((dir.Path() / "registry.reg").string());
    RegistryKey key(store, "Histogram\\DockBar");
    EXPECT_TRUE(store.HasKey("histogram\\dockbar"));
    store.Save();
    EXPECT_NE(FileText(dir.Path() / "registry.reg").find("[HKEY_CURRENT_USER\\Software\\Zovide\\Histogram\\DockBar]"),
        std::string::npos);
}

TEST(Registry, StringsWithControlAndStrayBytesSurviveARoundTrip)
{
    RegistryStore store("/nonexistent/registry.reg");
    const std::string odd = std::string("a\tb\nc\x82\xA0 d", 9) + "\\";
    RegistryKey(store, "Other").WriteString("DefaultFolder", odd);
    const std::string text = store.ToText();
    for (unsigned char c : text)
        EXPECT_TRUE(c >= 0x20 || c == '\n') << text;
    RegistryStore again("/nonexistent/registry.reg");
    again.FromText(text);
    EXPECT_EQ(RegistryKey(again, "Other").ReadString("DefaultFolder"), odd);
}

// Each text holds a damaged line for "Bad" and a good value "Good" that must survive.
TEST(Registry, DamagedFilesReadAsMissingValues)
{
    const std::string head = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Zovide\\Other]\n";
    const std::string good = "\"Good\"=dword:00000007\n";
    const std::vector<std::string> damaged = {
        head + "\"Bad\"=dword:0000001\n" + good, // short hex
        head + "\"Bad\"=dword:0000000g\n" + good, // bad hex
        head + "\"Bad\"=dword:000000001\n" + good, // too long
        head + "\"Bad\"=hex:01,02\n" + good, // another type
        head + "\"Bad\"=\"unterminated\n" + good, // truncated string
        head + "\"Bad\"=\"a\\qb\"\n" + good, // unknown escape
        head + "\"Bad\"=\"\xC3\x28\"\n" + good, // invalid UTF-8
        head + "\"Bad\"=\"x\"trailing\n" + good, // junk after the value
        head + "\"Bad\"=\"a\0b\"\n"s + good, // binary junk
        head + "Bad=dword:00000001\n" + good, // unquoted name
        head + "\xFF\xFE\x00\x01garbage\n"s + good,
        head + "[HKEY_CURRENT_USER\\Software\\Zovide\\Other\n" + good, // broken section: Good ends up nowhere
        head + good + "\"Bad\"=dword:0000", // truncated at the end
    };
    for (size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        RegistryStore store("/nonexistent/registry.reg");
        ASSERT_NO_THROW(store.FromText(damaged[i]));
        RegistryKey key(store, "Other");
        EXPECT_FALSE(key.ValueExists("Bad"));
        EXPECT_THROW(key.ReadInteger("Bad"), RegistryError);
        EXPECT_EQ(key.ReadString("Bad"), "");
        if (i != 11) {
            EXPECT_EQ(key.ReadInteger("Good"), 7);
        }
    }
}

// Lines the store does not parse, other hives' keys and unchanged values come
// back exactly as they were; a changed value is rewritten in its own line and
// a new one joins its key's section.
TEST(Registry, SavingKeepsWhatItDoesNotParse)
{
    const std::string before = "REGEDIT4\r\n"
                               "; written by hand\n"
                               "\n"
                               "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
                               "\"Foreign\"=dword:00000001\n"
                               "\n"
                               "[HKEY_CURRENT_USER\\Software\\Zovide\\Main\\Window]\n"
                               "\"Blob\"=hex:01,02,\\\n"
                               "  03,04\n"
                               "\"List\"=hex(7):61,00,00,00\n"
                               "\"Kept\"=\"a\\x41\\\\b\"\n"
                               "\"State\"=dword:00000001\r\n"
                               "\"Bad\"=dword:0000001\n"
                               "\xFF\xFE garbage\n"
                               "\n"
                               "[HKEY_CURRENT_USER\\Software\\Zovide\\Other\n"
                               "\"Lost\"=dword:00000002\n";
    TempDir dir;
    const auto path = dir.Path() / "registry.reg";
    WriteFile(path, std::vector<uint8_t>(before.begin(), before.end()));
    RegistryStore store(path.string());
    RegistryKey window(store, "Main\\Window");
    EXPECT_EQ(window.ReadString("Kept"), "aA\\b");
    window.WriteString("Kept", "aA\\b"); // the same value: its line stays as written
    window.WriteInteger("State", 2);
    window.WriteInteger("NormalLeft", 10);
    RegistryKey(store, "CMS").WriteBool("UseICC", true);
    store.Save();

    std::string expected = before;
    const auto replace = [&](const std::string& from, const std::string& to) {
        const size_t at = expected.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        expected.replace(at, from.size(), to);
    };
    replace("\"State\"=dword:00000001\r\n", "\"State\"=dword:00000002\r\n");
    replace("\xFF\xFE garbage\n", "\xFF\xFE garbage\n\"NormalLeft\"=dword:0000000a\n");
    expected += "\n[HKEY_CURRENT_USER\\Software\\Zovide\\CMS]\n\"UseICC\"=dword:00000001\n";
    EXPECT_EQ(FileText(path), expected);

    // Saving what was just read changes nothing.
    RegistryStore again(path.string());
    again.Save();
    EXPECT_EQ(FileText(path), expected);
    EXPECT_EQ(RegistryKey(again, "Main\\Window").ReadInteger("State"), 2);
}

// A key's default value is the value with the empty name, `@=` in the file.
TEST(Registry, DefaultValueOfAKey)
{
    RegistryStore store("/nonexistent/registry.reg");
    store.FromText("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Zovide\\Panel\\Groups]\n@=\"first\"\n\"x\"=\"y\"\n"
                   "[HKEY_CURRENT_USER\\Software\\Zovide\\Panel\\Count]\n@=dword:00000003\n");
    RegistryKey groups(store, "Panel\\Groups");
    EXPECT_TRUE(groups.ValueExists(""));
    EXPECT_EQ(groups.ReadString(""), "first");
    EXPECT_EQ(groups.ReadString("x"), "y");
    EXPECT_EQ(RegistryKey(store, "Panel\\Count").ReadInteger(""), 3);
    groups.WriteString("", "se\"cond");
    RegistryKey fresh(store, "Panel\\New");
    EXPECT_FALSE(fresh.ValueExists(""));
    EXPECT_EQ(fresh.ReadString(""), "");
    EXPECT_THROW(fresh.ReadInteger(""), RegistryError);
    fresh.WriteInteger("", -1);
    fresh.WriteString("Name", "n");
    const std::string text = store.ToText();
    EXPECT_NE(text.find("]\n@=\"se\\\"cond\"\n\"x\"=\"y\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Panel\\New]\n@=dword:ffffffff\n\"Name\"=\"n\"\n"), std::string::npos) << text;

    RegistryStore again("/nonexistent/registry.reg");
    again.FromText(text);
    EXPECT_EQ(RegistryKey(again, "Panel\\Groups").ReadString(""), "se\"cond");
    EXPECT_EQ(RegistryKey(again, "Panel\\New").ReadInteger(""), -1);
    EXPECT_EQ(RegistryKey(again, "Panel\\Count").ReadInteger(""), 3);
}

// A settings file that is a symbolic link (into a dotfiles folder) stays one.
TEST(Registry, SaveWritesThroughASymbolicLink)
{
    namespace fs = std::filesystem;
    TempDir dir;
    fs::create_directories(dir.Path() / "dotfiles");
    WriteFile(dir.Path() / "dotfiles" / "registry.reg", std::string());
    fs::create_symlink("dotfiles/registry.reg", dir.Path() / "registry.reg");
    RegistryStore store((dir.Path() / "registry.reg").string());
    RegistryKey(store, "Other").WriteInteger("v", 5);
    store.Save();
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "registry.reg"));
    EXPECT_NE(FileText(dir.Path() / "dotfiles" / "registry.reg").find("\"v\"=dword:00000005"), std::string::npos);
}

TEST(Registry, GarbageFileLoadsEmpty)
{
    TempDir dir;
    std::vector<uint8_t> junk(4096);
    for (size_t i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<uint8_t>(i * 37 + 11);
    WriteFile(dir.Path() / "registry.reg", junk);
    RegistryStore store((dir.Path() / "registry.reg").string());
    EXPECT_THROW(RegistryKey(store, "Main\\Window").ReadInteger("State"), RegistryError);
}

TEST(Registry, SaveIntoReadOnlyFolderThrowsAndKeepsTheOldFile)
{
    TempDir dir;
    const auto path = dir.Path() / "registry.reg";
    {
        RegistryStore store(path.string());
        RegistryKey(store, "Other").WriteInteger("setup_thumbmode", 1);
        store.Save();
    }
    const std::string before = FileText(path);
    ::chmod(dir.Path().c_str(), 0555);
    const auto trySave = [&] {
        RegistryStore store(path.string());
        RegistryKey(store, "Other").WriteInteger("setup_thumbmode", 0);
        try {
            store.Save();
        } catch (const RegistryError&) {
            return true;
        }
        return false;
    };
    if (::geteuid() != 0) {
        EXPECT_TRUE(trySave());
    } else {
        // Root writes anywhere: try as an ordinary user in a child process.
        pid_t child = ::fork();
        if (child == 0)
            ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && trySave() ? 0 : 1);
        int status = -1;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ::chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(FileText(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(Registry, SaveOverAFolderInTheWayThrows)
{
    // Runs as root too: the target name is taken by a non-empty folder.
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / "registry.reg" / "x");
    RegistryStore store((dir.Path() / "registry.reg").string());
    RegistryKey(store, "Other").WriteInteger("v", 1);
    EXPECT_THROW(store.Save(), RegistryError);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1); // no temporary left
}

TEST(Registry, DefaultPathFollowsTheEnvironment)
{
    testsupport::EnvGuard home("HOME", "/home/u");
    {
        testsupport::EnvGuard settings("VOVIRO_SETTINGS_DIR", "/some/where");
        testsupport::EnvGuard xdg("XDG_CONFIG_HOME", "/xdg");
        EXPECT_EQ(RegistryStore::DefaultPath(), "/some/where/registry.reg");
    }
    testsupport::EnvGuard settings("VOVIRO_SETTINGS_DIR", nullptr);
    {
        testsupport::EnvGuard xdg("XDG_CONFIG_HOME", "/xdg");
        EXPECT_EQ(RegistryStore::DefaultPath(), "/xdg/Zovide/registry.reg");
    }
    testsupport::EnvGuard xdg("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(RegistryStore::DefaultPath(), "/home/u/.config/Zovide/registry.reg");
}

} // namespace
