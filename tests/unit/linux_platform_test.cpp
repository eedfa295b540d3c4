// The Linux backend on a temporary folder: what the file system says, file identity, replacing
// files safely (temporary names, links, FIFOs, read-only files, the file size limit), the
// player's folders and the running-program check.
#include <gtest/gtest.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "platform/linux/linux.h"
#include "platform/ui/window.h"

namespace fs = std::filesystem;
using Presence = platform::Files::Presence;

class LinuxPlatform : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("scourix-linux-" + std::to_string(getpid()));
        fs::create_directories(root / "dir");
        put("dir/a.osf", "taunt");
    }
    void TearDown() override {
        fs::remove_all(root);
        for (const auto& [name, value] : saved)
            value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    // The player's variables as they were before the test.
    std::vector<std::pair<const char*, std::optional<std::string>>> saved = [] {
        std::vector<std::pair<const char*, std::optional<std::string>>> v;
        for (const char* n : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS",
                              "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            const char* x = std::getenv(n);
            v.emplace_back(n, x ? std::optional<std::string>(x) : std::nullopt);
        }
        return v;
    }();
    void put(const std::string& rel, const std::string& bytes) {
        ASSERT_TRUE(files.write(path(rel), bytes));
    }
    // The logic's spelling: folders separated by "\".
    std::string path(const std::string& rel) {
        std::string p = (root / rel).string();
        for (char& c : p)
            if (c == '/') c = '\\';
        return p;
    }
    fs::path root;
    lnx::Files files;
};

TEST_F(LinuxPlatform, PresenceIsMissingOnlyWhenTheSystemSaysNothingIsThere) {
    fs::create_symlink(root / "gone", root / "dangling");
    fs::create_symlink(root / "loop", root / "loop");
    const struct {
        std::string rel;
        Presence want;
    } cases[] = {
        {"dir\\a.osf", Presence::File},
        {"dir", Presence::Folder},
        {"dir\\b.osf", Presence::Missing},
        {"dir\\a.osf\\x", Presence::Missing}, // ENOTDIR
        {"dangling", Presence::Unknown},
        {"loop", Presence::Unknown},                 // ELOOP
        {std::string(5000, 'x'), Presence::Unknown}, // ENAMETOOLONG
    };
    for (const auto& c : cases) EXPECT_EQ(files.presence(path(c.rel)), c.want) << c.rel;
}

TEST_F(LinuxPlatform, IdentityFollowsTheFileNotItsName) {
    put("dir/b.osf", "taunt");
    fs::create_hard_link(root / "dir/a.osf", root / "linked.osf");
    auto a = files.info(path("dir\\a.osf")), b = files.info(path("dir\\b.osf"));
    auto l = files.info(path("linked.osf"));
    ASSERT_TRUE(a && b && l);
    EXPECT_TRUE(a->sameFileAs(*l));
    EXPECT_FALSE(a->sameFileAs(*b));
    EXPECT_EQ(a->size, 5u);
    EXPECT_FALSE(files.info(path("none")));
}

TEST_F(LinuxPlatform, WritesKeepRightsAndRenamesNeverReplace) {
    fs::permissions(root / "dir/a.osf", fs::perms::owner_read | fs::perms::owner_write);
    put("dir/a.osf", "new");
    EXPECT_EQ(fs::status(root / "dir/a.osf").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(fs::exists(root / "dir/a.osf.new~"));
    put("b.osf", "other");
    EXPECT_FALSE(files.rename(path("b.osf"), path("dir\\a.osf")));
    std::string bytes;
    ASSERT_TRUE(files.read(path("dir\\a.osf"), bytes));
    EXPECT_EQ(bytes, "new");
    EXPECT_TRUE(files.rename(path("b.osf"), path("dir\\c.osf")));
    // A copy keeps the time of its source, as the backup shows the player.
    const auto then = fs::last_write_time(root / "dir/c.osf") - std::chrono::hours(24);
    fs::last_write_time(root / "dir/c.osf", then);
    ASSERT_TRUE(files.copy(path("dir\\c.osf"), path("copy.osf")));
    EXPECT_EQ(fs::last_write_time(root / "copy.osf"), then);
}

// Names as an old archive unpacks them (Windows-1252, CP437, broken UTF-8) are listed, copied,
// renamed and removed with their bytes as they are; a name that differs in one byte is another
// file.
TEST_F(LinuxPlatform, NamesKeepTheirBytesWhateverTheirEncoding) {
    const std::string odd[] = {"Gr\xfc\xdf"
                               "e.osf",
                               "Alt\x81\xe1.osf",
                               "D3\xc3\x28"
                               "bad.osf",
                               "Z\xc3.osf"};
    for (const std::string& name : odd) {
        SCOPED_TRACE(name);
        put("dir/" + name, name);
        std::vector<std::string> listed;
        ASSERT_TRUE(files.list(path("dir"), "*.osf", listed));
        EXPECT_EQ(std::count(listed.begin(), listed.end(), name), 1);
        EXPECT_EQ(files.presence(path("dir\\" + name.substr(0, name.size() - 5) + "\xff.osf")),
                  Presence::Missing);
        ASSERT_TRUE(files.copy(path("dir\\" + name), path("copy-" + name)));
        ASSERT_TRUE(files.rename(path("copy-" + name), path("moved-" + name)));
        std::string bytes;
        ASSERT_TRUE(files.read(path("moved-" + name), bytes));
        EXPECT_EQ(bytes, name);
        ASSERT_TRUE(files.remove(path("dir\\" + name)));
        EXPECT_TRUE(fs::exists(root / "dir/a.osf")) << "only that file removed";
        EXPECT_TRUE(fs::exists(root / ("moved-" + name)));
    }
    // A name with a backslash would be read as a path into "a": it is not listed.
    fs::create_directories(root / "dir/a");
    std::ofstream(root / "dir/a/b.osf") << "in a";
    std::ofstream(root / "dir/a\\b.osf") << "beside a";
    std::vector<std::string> listed;
    ASSERT_TRUE(files.list(path("dir"), "*.osf", listed));
    EXPECT_EQ(listed, std::vector<std::string>{"a.osf"});
}

// What a folder holds besides the given names: a temporary file left behind shows here.
std::vector<std::string> others(const fs::path& folder, std::set<std::string> known) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder))
        if (!known.count(e.path().filename().string())) out.push_back(e.path().filename());
    return out;
}

TEST_F(LinuxPlatform, ReplacingTouchesNoOtherFileAndFollowsLinks) {
    // Files that carry the temporary name of older versions: the player's own, and a link.
    put("u.ini.new~", "the player's own");
    put("other.txt", "other");
    fs::create_symlink("other.txt", root / "t.ini.new~");
    put("u.ini", "old u");
    put("t.ini", "old t");
    // A settings file kept elsewhere and linked, through a link of a link.
    fs::create_directories(root / "dotfiles");
    put("dotfiles/v.ini", "old v");
    fs::create_symlink("dotfiles/v.ini", root / "w.ini");
    fs::create_symlink(root / "w.ini", root / "v.ini");
    put("u.ini", "new u");
    put("t.ini", "new t");
    put("v.ini", "new v");
    std::string bytes;
    for (const auto& [rel, want] :
         std::vector<std::pair<std::string, std::string>>{{"u.ini.new~", "the player's own"},
                                                          {"other.txt", "other"},
                                                          {"u.ini", "new u"},
                                                          {"t.ini", "new t"},
                                                          {"dotfiles/v.ini", "new v"}}) {
        ASSERT_TRUE(files.read(path(rel), bytes)) << rel;
        EXPECT_EQ(bytes, want) << rel;
    }
    EXPECT_TRUE(fs::is_symlink(root / "t.ini.new~"));
    EXPECT_FALSE(fs::is_symlink(root / "t.ini"));
    EXPECT_TRUE(fs::is_symlink(root / "v.ini"));
    EXPECT_EQ(fs::read_symlink(root / "w.ini"), "dotfiles/v.ini");
    EXPECT_EQ(others(root, {"dir", "dotfiles", "u.ini", "u.ini.new~", "t.ini", "t.ini.new~",
                            "other.txt", "v.ini", "w.ini"}),
              std::vector<std::string>{});
    EXPECT_EQ(others(root / "dotfiles", {"v.ini"}), std::vector<std::string>{});
    // A copy streams in blocks: one larger than any whole-file read is copied whole.
    std::string big(3 * platform::Files::kReadLimit + 123, 'x');
    for (std::size_t i = 0; i < big.size(); i += 4096) big[i] = char('a' + i % 26);
    put("big.osf", big);
    ASSERT_TRUE(files.copy(path("big.osf"), path("dir\\big.osf")));
    EXPECT_FALSE(files.read(path("dir\\big.osf"), bytes)) << "a whole-file read has a bound";
    ASSERT_TRUE(files.read(path("dir\\big.osf"), bytes, big.size()));
    EXPECT_TRUE(bytes == big);
}

// A FIFO or a device named like a settings file is unreadable at once, and neither replaced nor
// copied; a read-only file is neither replaced nor removed, by the superuser either.
TEST_F(LinuxPlatform, OddAndReadOnlyFilesAreLeftAsTheyAre) {
    ASSERT_EQ(mkfifo((root / "fifo.ini").c_str(), 0644), 0);
    put("ro.ini", "read-only");
    fs::permissions(root / "ro.ini", fs::perms::owner_read | fs::perms::group_read);
    put("b.osf", "b");
    std::string bytes;
    for (const char* rel : {"fifo.ini", "ro.ini"}) {
        const std::string p = path(rel);
        const bool fifo = std::string(rel) == "fifo.ini";
        EXPECT_EQ(files.read(p, bytes), !fifo) << rel;
        EXPECT_EQ(files.fileSize(p).has_value(), !fifo) << rel;
        EXPECT_FALSE(files.write(p, "new")) << rel;
        EXPECT_FALSE(files.copy(path("b.osf"), p)) << rel;
        EXPECT_FALSE(files.replace(path("b.osf"), p)) << rel;
    }
    EXPECT_FALSE(files.copy(path("fifo.ini"), path("copy.osf")));
    EXPECT_FALSE(files.read("/dev/zero", bytes));
    EXPECT_FALSE(files.remove(path("ro.ini")));
    EXPECT_TRUE(fs::is_fifo(root / "fifo.ini"));
    ASSERT_TRUE(files.read(path("ro.ini"), bytes));
    EXPECT_EQ(bytes, "read-only");
    EXPECT_EQ(others(root, {"dir", "fifo.ini", "ro.ini", "b.osf"}), std::vector<std::string>{});
    // Write bits that are not the user's own: the group may write, the owner (this user, or the
    // superuser for a user without privileges, who is neither owner nor in its group) may not. The
    // superuser passes every access check, so as root the check runs as user 65534, who then also
    // owns ours.ini and ours.osf (as this user does otherwise): ours.ini, with the bits of
    // theirs.ini, stays; ours.osf, which its owner may write, goes.
    put("theirs.ini", "theirs");
    put("ours.ini", "ours");
    put("ours.osf", "ours");
    fs::permissions(root, fs::perms::all);
    for (const char* rel : {"theirs.ini", "ours.ini"})
        fs::permissions(root / rel, fs::perms::owner_read | fs::perms::group_read |
                                        fs::perms::group_write | fs::perms::others_read);
    if (geteuid() == 0) {
        for (const char* rel : {"ours.ini", "ours.osf"}) {
            ASSERT_EQ(chown((root / rel).c_str(), 65534, 65534), 0);
        }
    }
    const pid_t other = fork();
    if (other == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 ||
                               setuid(65534) != 0 || access(root.c_str(), W_OK) != 0))
            _exit(99);
        lnx::Files as;
        int refusedAll = 0;
        for (const char* rel : {"theirs.ini", "ours.ini"}) {
            const std::string p = path(rel);
            refusedAll |= as.write(p, "new") | as.copy(path("b.osf"), p) << 1 |
                          as.replace(path("b.osf"), p) << 2 | as.remove(p) << 3;
        }
        _exit(refusedAll | !as.remove(path("ours.osf")) << 4);
    }
    int refused = 0;
    ASSERT_EQ(waitpid(other, &refused, 0), other);
    EXPECT_TRUE(WIFEXITED(refused) && WEXITSTATUS(refused) == 0) << "status " << refused;
    ASSERT_TRUE(files.read(path("theirs.ini"), bytes));
    EXPECT_EQ(bytes, "theirs");
    ASSERT_TRUE(files.read(path("ours.ini"), bytes));
    EXPECT_EQ(bytes, "ours");
    EXPECT_TRUE(fs::exists(root / "b.osf"));
    EXPECT_EQ(others(root, {"dir", "fifo.ini", "ro.ini", "b.osf", "theirs.ini", "ours.ini"}),
              std::vector<std::string>{});
    // A write past the file size limit fails like a full disk: the program goes on, the old file
    // stays whole, no temporary file is left.
    put("u.ini", "old");
    const pid_t child = fork();
    if (child == 0) {
        const rlimit small{4096, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &small);
        const bool written = files.write(path("u.ini"), std::string(10000, 'n'));
        _exit(written ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    ASSERT_TRUE(files.read(path("u.ini"), bytes));
    EXPECT_EQ(bytes, "old");
    EXPECT_EQ(
        others(root, {"dir", "fifo.ini", "ro.ini", "b.osf", "theirs.ini", "ours.ini", "u.ini"}),
        std::vector<std::string>{});
}

TEST_F(LinuxPlatform, PlayersFoldersFollowXdgThenHome) {
    const std::string home = root.string();
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", "relative/ignored", 1);
    lnx::Host host;
    EXPECT_EQ(host.userDataFolder(), home + "/.local/share");
    setenv("XDG_DATA_HOME", (home + "/data/").c_str(), 1);
    EXPECT_EQ(host.userDataFolder(), home + "/data");
    unsetenv("XDG_CONFIG_HOME");
    lnx::App app({});
    EXPECT_EQ(app.programFolder(), home + "/.config/scourix");
    EXPECT_TRUE(fs::is_directory(home + "/.config/scourix"));
}

// The interface language as gettext finds it: the first variable set and not empty.
TEST_F(LinuxPlatform, InterfaceLanguageIsTheFirstVariableThatNamesOne) {
    const struct {
        const char *language, *all, *messages, *lang, *expected;
    } cases[] = {
        {"fr_FR:de", "it_IT.UTF-8", "es", "de_DE", "fr_FR"},
        {"", "", "es_ES.UTF-8", "de_DE", "es_ES.UTF-8"},
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", "de_DE.UTF-8"},
        {":it", "C", nullptr, nullptr, "it"},
        {nullptr, "C", "de", nullptr, "C"},
        {nullptr, nullptr, nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        const std::pair<const char*, const char*> vars[] = {{"LANGUAGE", c.language},
                                                            {"LC_ALL", c.all},
                                                            {"LC_MESSAGES", c.messages},
                                                            {"LANG", c.lang}};
        for (const auto& [name, value] : vars) value ? setenv(name, value, 1) : unsetenv(name);
        EXPECT_EQ(lnx::Host().uiLanguage(), c.expected) << c.expected;
    }
}

TEST_F(LinuxPlatform, RunningIsAskedOfProcAndArgumentsSplitAsTheGameSplitsThem) {
    EXPECT_EQ(lnx::splitArguments("-Launched -pilot \"Joe Doe\"  -nointro "),
              (std::vector<std::string>{"-Launched", "-pilot", "Joe Doe", "-nointro"}));
    fs::copy_file("/bin/sleep", root / "Descent3");
    fs::copy_file("/bin/sleep", root / "dir/Descent3");
    lnx::Host host;
    lnx::Shell shell;
    ASSERT_FALSE(host.running(path("Descent3")));
    ASSERT_TRUE(shell.open(path("Descent3"), "30", path("dir"), platform::ShowMode::Normal));
    bool seen = false;
    for (int i = 0; i < 500 && !seen; ++i) {
        seen = host.running(path("Descent3"));
        if (!seen) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(seen);
    EXPECT_FALSE(host.running(path("dir\\Descent3")));
    EXPECT_FALSE(shell.open(path("none"), "", "", platform::ShowMode::Normal));
    // A process tells its program, also once the file is gone; ids 0 and -1 name no process
    // (a signal to them reaches a whole group).
    EXPECT_EQ(fs::path(host.processProgram(getpid())).filename(), "unit_tests");
    for (std::int32_t pid : {0, -1}) {
        EXPECT_FALSE(host.processRunning(pid)) << pid;
        EXPECT_EQ(host.processProgram(pid), "") << pid;
    }
    fs::remove(root / "Descent3");
    int found = 0;
    for (const auto& e : fs::directory_iterator("/proc")) {
        std::error_code ec;
        if (fs::read_symlink(e.path() / "exe", ec) != (root / "Descent3").string() + " (deleted)")
            continue;
        const int pid = std::atoi(e.path().filename().c_str());
        EXPECT_EQ(host.processProgram(pid), (root / "Descent3").string());
        kill(pid, SIGKILL);
        ++found;
    }
    EXPECT_EQ(found, 1);
}

struct Folders : ui::Window {
    explicit Folders(platform::Files& f) : ui::Window("folders", 1000, 1000), files(f) {}
    platform::Files& files;
    ui::DriveList drive{*this, "drive", files};
    ui::DirList dirs{*this, "dirs", files};
};

TEST_F(LinuxPlatform, FolderListsWalkFromTheRootAndDrivesAreMountPoints) {
    fs::create_directories(root / "dir/sub");
    Folders w(files);
    ASSERT_TRUE(w.dirs.setPath(root.string() + "/dir/"));
    EXPECT_EQ(w.dirs.path(), root.string() + "/dir");
    EXPECT_EQ(w.dirs.entries().front(), "/");
    EXPECT_EQ(w.dirs.entries()[w.dirs.openIndex() - 1], root.string());
    EXPECT_EQ(w.dirs.entries().back(), root.string() + "/dir/sub");
    w.dirs.setListIndex(0);
    ASSERT_TRUE(w.dirs.openHighlighted());
    EXPECT_EQ(w.dirs.path(), "/");
    EXPECT_EQ(w.dirs.openIndex(), 0);

    const std::vector<std::string> drives = files.drives();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front(), "/");
    ASSERT_TRUE(w.drive.setDrive(root.string() + "/dir"));
    EXPECT_TRUE(ui::holds(w.drive.drive(), root.string()));
    EXPECT_EQ(ui::driveOf({"/", "/media/usb", "/media/usb2"}, "/media/usb2/x"), "/media/usb2");
    EXPECT_EQ(ui::driveOf({"/", "/media/usb"}, "/media/usb2"), "/");

    // Programs are the regular files the player may execute, whatever their names.
    put("dir/run", "#!/bin/sh\n");
    put("dir/tool.exe", "MZ");
    fs::permissions(root / "dir/run", fs::perms::owner_all);
    fs::create_directories(root / "dir/bin.exe");
    std::vector<std::string> names;
    ASSERT_TRUE(files.list(path("dir"), platform::kPrograms, names));
    EXPECT_EQ(names, std::vector<std::string>{"run"});
}

TEST_F(LinuxPlatform, DesktopEntriesStartTheInstalledProgramAndReplaceNothing) {
    setenv("XDG_DATA_HOME", (root.string() + "/data").c_str(), 1);
    lnx::Shortcuts links;
    const std::string link = path("Gatefire" + links.extension());
    ASSERT_TRUE(links.create(link, path("config\\gatefire.exe")));
    std::string entry;
    ASSERT_TRUE(files.read(link, entry));
    EXPECT_NE(entry.find("\nName=Gatefire\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nExec=\"" + lnx::installFolder() + "/gatefire\"\n"), std::string::npos)
        << entry;
    EXPECT_NE(fs::status(root / "Gatefire.desktop").permissions() & fs::perms::owner_exec,
              fs::perms::none);
    EXPECT_TRUE(fs::exists(root / "data/applications/Gatefire.desktop"));
    put("Scourix.desktop", "the player's own");
    EXPECT_FALSE(links.create(path("Scourix.desktop"), path("config\\scourix.exe")));
    ASSERT_TRUE(files.read(path("Scourix.desktop"), entry));
    EXPECT_EQ(entry, "the player's own");
    // A new player's missing desktop is made; a program the package's own menu entry starts
    // gets no second one.
    fs::create_directories(root / "usr/games");
    fs::create_directories(root / "usr/share/applications");
    put("usr/games/scourix", "program");
    fs::permissions(root / "usr/games/scourix", fs::perms::owner_all);
    put("usr/share/applications/scourix.desktop", "the package's");
    setenv("XDG_DATA_DIRS", (root.string() + "/usr/share/").c_str(), 1);
    ASSERT_TRUE(links.create(path("home\\Desktop\\Scourix.desktop"), path("usr\\games\\scourix")));
    EXPECT_TRUE(fs::exists(root / "home/Desktop/Scourix.desktop"));
    EXPECT_FALSE(fs::exists(root / "data/applications/Scourix.desktop"));
}
