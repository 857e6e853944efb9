// The installed game: installed into a scratch prefix (DESTDIR), run headless from
// another folder as a user whose home is a scratch folder. It reads its content
// from the prefix, writes only into the user's folders, and its metainfo passes its
// validator.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int Shell(const std::string& cmd) {
    const int rc = std::system(cmd.c_str());
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

std::set<std::string> Files_Under(const fs::path& dir) {
    std::set<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        files.insert(fs::relative(e.path(), dir).string());
    return files;
}

class Install_Test : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("veltran_install_" + std::to_string(getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "home");
        fs::create_directories(root / "elsewhere");
        ASSERT_EQ(Shell("DESTDIR='" + (root / "dest").string() + "' cmake --install '" +
                        VELTRAN_BUILD_DIR + "' --prefix /usr > /dev/null"),
                  0);
        prefix = root / "dest" / "usr";
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root, prefix;
};

TEST_F(Install_Test, TheInstalledGameWritesOnlyIntoTheUsersFolders) {
    ASSERT_TRUE(fs::exists(prefix / "bin/veltran"));
    ASSERT_TRUE(fs::exists(prefix / "share/veltran/HScripts/Bytie.txt"));
    ASSERT_TRUE(fs::exists(prefix / "share/icons/hicolor/48x48/apps/veltran.png"));
    ASSERT_TRUE(fs::exists(prefix / "share/man/man6/veltran.6"));
    const std::set<std::string> before = Files_Under(root / "dest");
    // A new game, the first book, МУЗЫКА for a screenshot.
    std::ofstream(root / "script.txt")
        << "wait 300\nclick 320 210\nwait 600\nkey ESCAPE\nwait 1000\nclick 592 405\nwait 500\n";
    const fs::path home = root / "home";
    const int status =
        Shell("cd '" + (root / "elsewhere").string() + "' && env -u XDG_DATA_HOME " +
              "-u XDG_STATE_HOME -u XDG_CACHE_HOME HOME='" + home.string() + "' VELTRAN_SCRIPT='" +
              (root / "script.txt").string() + "' '" + (prefix / "bin/veltran").string() +
              "' 2> '" + (root / "err.txt").string() + "'");
    ASSERT_EQ(status, 0) << Read(root / "err.txt");
    const std::string log = Read(home / ".local/state/veltran/Report.txt");
    EXPECT_NE(log.find("\n Установленная игра: книги и картинки в "), std::string::npos);
    EXPECT_NE(log.find("\n Start New Game"), std::string::npos);
    EXPECT_TRUE(fs::exists(home / ".local/share/veltran/screen_shot/screen_shot_001.bmp"));
    EXPECT_TRUE(fs::exists(home / ".cache/veltran/sprites.wad"));
    EXPECT_TRUE(fs::is_directory(home / ".local/share/veltran/SAVE"));
    EXPECT_EQ(Files_Under(root / "dest"), before);
    EXPECT_TRUE(fs::is_empty(root / "elsewhere"));

    // The XDG folders are honoured, and one that cannot be written is named.
    const fs::path state = root / "state";
    fs::create_directories(state);
    fs::permissions(state, fs::perms::owner_read | fs::perms::owner_exec);
    std::ofstream(root / "script.txt") << "wait 100\n";
    const std::string run_xdg =
        "cd '" + (root / "elsewhere").string() + "' && HOME='" + (root / "home").string() +
        "' XDG_STATE_HOME='" + state.string() + "' XDG_DATA_HOME='" + (root / "data").string() +
        "' XDG_CACHE_HOME='" + (root / "cache").string() + "' VELTRAN_SCRIPT='" +
        (root / "script.txt").string() + "' '" + (prefix / "bin/veltran").string() + "' 2> '" +
        (root / "err.txt").string() + "'";
    if (geteuid() != 0) {  // root writes anywhere
        EXPECT_EQ(Shell(run_xdg), 1);
        EXPECT_NE(Read(root / "err.txt").find(state.string() + "/veltran"), std::string::npos)
            << Read(root / "err.txt");
    }
    fs::permissions(state, fs::perms::owner_all);
    EXPECT_EQ(Shell(run_xdg), 0) << Read(root / "err.txt");
    EXPECT_TRUE(fs::exists(state / "veltran/Report.txt"));
    EXPECT_TRUE(fs::exists(root / "cache/veltran/Bkfons.wad"));
    EXPECT_TRUE(fs::is_directory(root / "data/veltran/screen_shot"));
}

// The metainfo passes its validator (the package check validates the desktop
// entry); --help and --version speak UTF-8, and other arguments are refused.
TEST_F(Install_Test, TheDesktopFilesAndTheCommandLine) {
    if (Shell("command -v appstreamcli > /dev/null") == 0) {
        EXPECT_EQ(
            Shell("appstreamcli validate --no-net '" +
                  (prefix / "share/metainfo/io.github.veltran.Veltran.metainfo.xml").string() +
                  "' > /dev/null"),
            0);
    }
    const fs::path desktop = prefix / "share/applications/io.github.veltran.Veltran.desktop";
    const std::string entry = Read(desktop);
    EXPECT_NE(entry.find("Categories=Game;BlocksGame;"), std::string::npos);
    EXPECT_NE(entry.find("Name[ru]="), std::string::npos);
    EXPECT_NE(entry.find("Comment[ru]="), std::string::npos);
    const std::string exe = "'" + (prefix / "bin/veltran").string() + "'";
    ASSERT_EQ(Shell(exe + " --help > '" + (root / "help.txt").string() + "'"), 0);
    const std::string help = Read(root / "help.txt");
    EXPECT_NE(
        help.find("Usage: veltran [--fullscreen | --windowed] [--scale=sharp | --scale=whole]"),
        std::string::npos);
    EXPECT_NE(help.find("\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0"), std::string::npos);  // "игра", UTF-8
    ASSERT_EQ(Shell(exe + " --version > '" + (root / "version.txt").string() + "'"), 0);
    EXPECT_EQ(Read(root / "version.txt").rfind("veltran ", 0), 0u);
    EXPECT_EQ(Shell(exe + " --turbo 2> '" + (root / "err.txt").string() + "'"), 64);
    EXPECT_NE(Read(root / "err.txt").find("veltran --help"), std::string::npos);
}

}  // namespace
