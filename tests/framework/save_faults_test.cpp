// Saving a sheet and a workbench table when the system refuses. Each fault is arranged in a scratch folder
// and the save runs in a child process, which can give up root's privileges (root writes anything) and
// mount a small file system of its own; the child reports what the save left, and the test checks it: the
// reason in Chinese, the unsaved marks unchanged, every file as it was and nothing left behind.
#include "formula1/formula1_window.h"
#include "support/window_fixture.h"

#include <gmock/gmock.h>

#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <map>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>

namespace qianyan {
namespace {

namespace fs = std::filesystem;

enum class Save { Sheet, Table };

const std::string sheetFile = "嵌岩桩计算书(依据JGJ94-2008)_文本.txt";
const std::string tableFile = "嵌岩桩优化计算原始结果(依据JGJ94-2008)_表格.txt";
constexpr uid_t personId = 65534;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Everything under root: each path with its kind, mode and (for a file) its bytes.
std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> entries;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error); !error && it != fs::end(it);
         it.increment(error)) {
        const fs::file_status status = it->symlink_status();
        std::string& entry = entries[fs::relative(it->path(), root).string()];
        entry = std::to_string(static_cast<int>(status.type())) + " " +
                std::to_string(static_cast<unsigned>(status.permissions()));
        if (fs::is_regular_file(status)) entry += " " + readBytes(it->path());
    }
    if (error) entries["(unreadable)"] = error.message();
    return entries;
}

// The person saving: root's files and folders are handed to an ordinary account the child becomes.
void giveToPerson(const fs::path& path) {
    if (::geteuid() != 0) return;
    ASSERT_EQ(::chown(path.c_str(), personId, personId), 0) << path;
}

bool becomePerson() {
    if (::geteuid() != 0) return true;
    return ::setgroups(0, nullptr) == 0 && ::setresgid(personId, personId, personId) == 0 &&
           ::setresuid(personId, personId, personId) == 0;
}

// What a save in the child left.
struct Report {
    std::vector<std::string> errors; // the texts of the error boxes
    bool marksKept = false;          // the unsaved marks and the save button as before
    bool filesKept = false;          // every file and folder as before the save, nothing added
    std::string detail;              // what differed, for the failure message
};

// Runs `save` in a child process and reads its report through a pipe.
Report inChild(const std::function<Report()>& save) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) throw std::runtime_error("pipe");
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::string text;
        try {
            const Report report = save();
            text = std::string(report.marksKept ? "1" : "0") + (report.filesKept ? "1" : "0") + report.detail;
            for (const std::string& e : report.errors) text += '\0' + e;
        } catch (const std::exception& e) {
            text = std::string("00child failed: ") + e.what();
        }
        for (std::size_t at = 0; at < text.size();) {
            const ssize_t n = ::write(pipeEnds[1], text.data() + at, text.size() - at);
            if (n <= 0) break;
            at += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    Report report;
    if (!WIFEXITED(status) || text.size() < 2) {
        report.detail = "the child ended abnormally";
        return report;
    }
    report.marksKept = text[0] == '1';
    report.filesKept = text[1] == '1';
    std::size_t end = text.find('\0');
    report.detail = text.substr(2, end == std::string::npos ? std::string::npos : end - 2);
    while (end != std::string::npos) {
        const std::size_t next = text.find('\0', end + 1);
        report.errors.push_back(
            text.substr(end + 1, next == std::string::npos ? std::string::npos : next - end - 1));
        end = next;
    }
    return report;
}

// A fault: how it is arranged, as root, in the documents folder (which the arrangement may leave
// missing), whether the save runs as an ordinary person, what happens while the overwrite question is
// open (answered Yes), and the reason the save must give.
struct Fault {
    const char* what;
    std::function<void(const fs::path& documents, const fs::path& target)> arrange;
    bool asPerson;
    std::function<void(const fs::path& target)> whileAsked;
    const char* reason;
    std::function<void(const fs::path& target)> release; // undoes what root alone may undo
};

class SaveFaultsTest : public ::testing::Test {
protected:
    SaveFaultsTest() : scratch(testing::freshFolder("faults")), documents(scratch / "home" / "文档") {}
    ~SaveFaultsTest() override { clear(); }

    void clear() {
        // Read-only folders are opened again first, for a run without root.
        std::error_code error;
        for (auto it = fs::recursive_directory_iterator(scratch, error); !error && it != fs::end(it);
             it.increment(error))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(scratch, error);
    }

    static fs::path targetOf(Save save, const fs::path& folder) {
        return folder / (save == Save::Sheet ? sheetFile : tableFile);
    }

    // A computed design on the sheet page, or a swept table of eight candidates on the workbench.
    static void prepare(TVOR_FRM_KELD1& window, Save save) {
        if (save == Save::Sheet) {
            ASSERT_EQ(window.click("cbt_compute"), Outcome::Done);
            ASSERT_EQ(window.click("cbt_View"), Outcome::Done);
            return;
        }
        ASSERT_EQ(window.click("cbt_YouHua"), Outcome::Done);
        const char* rows[][3] = {{"1000", "1500", "500"},
                                 {"1.0d", "2.0d", "1.0d"},
                                 {"30", "30", "10"},
                                 {"C30", "C30", "5"},
                                 {"1", "3", "2"}};
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(window.editCell("Grid1_Youhuaxuanxiang", r, c + 1, rows[r][c]), Outcome::Done);
        ASSERT_EQ(window.click("cbt_YHcompute"), Outcome::Done);
        ASSERT_EQ(window.workbench.Grid2_Youhuajieguo.rows.rowCount(), 8u);
    }

    static std::pair<int, bool> marks(const TVOR_FRM_KELD1& window, Save save) {
        return save == Save::Sheet ? std::pair{window.sheet().unsavedMarks(), window.cbt_Save.enabled}
                                   : std::pair{0, window.workbench.cbt_YHsave.enabled};
    }

    // Arranges the fault in the child, saves and compares.
    Report run(const Fault& fault, Save save) {
        clear();
        fs::create_directories(documents.parent_path());
        giveToPerson(scratch);
        giveToPerson(documents.parent_path());
        ScriptedPlatform platform(documents.string(), {2024, 5, 6, 14, 3, 27});
        TVOR_FRM_KELD1 window(platform);
        prepare(window, save);
        if (::testing::Test::HasFatalFailure()) return {};
        return inChild([&] {
            const fs::path target = targetOf(save, documents);
            fault.arrange(documents, target);
            if (fault.asPerson && !becomePerson()) throw std::runtime_error("cannot give up root");
            platform.dialogs.clear();
            platform.answers = {true};
            auto before = snapshot(scratch);
            platform.observer = [&](const ScriptedPlatform::Dialog& d) {
                if (d.kind != ScriptedPlatform::Dialog::Kind::Question || !fault.whileAsked) return;
                fault.whileAsked(target);
                before = snapshot(scratch);
            };
            const auto marksBefore = marks(window, save);
            window.click(save == Save::Sheet ? "cbt_Save" : "cbt_YHsave");
            Report report;
            report.marksKept = marks(window, save) == marksBefore;
            const auto after = snapshot(scratch);
            report.filesKept = after == before;
            for (const auto& [path, entry] : after)
                if (before.count(path) == 0 || before[path] != entry) report.detail += " changed: " + path;
            for (const auto& [path, entry] : before)
                if (after.count(path) == 0) report.detail += " gone: " + path;
            for (const auto& d : platform.dialogs)
                if (d.kind == ScriptedPlatform::Dialog::Kind::Error) report.errors.push_back(d.text);
            if (fault.release) fault.release(target);
            return report;
        });
    }

    void expectRefused(const Fault& fault) {
        for (const Save save : {Save::Sheet, Save::Table}) {
            SCOPED_TRACE(std::string(fault.what) + (save == Save::Sheet ? ", sheet" : ", table"));
            const Report report = run(fault, save);
            ASSERT_EQ(report.errors.size(), 1u) << report.detail;
            EXPECT_EQ(report.errors[0].rfind("保存失败：", 0), 0u) << report.errors[0];
            EXPECT_THAT(report.errors[0], ::testing::HasSubstr(fault.reason));
            EXPECT_TRUE(report.marksKept);
            EXPECT_TRUE(report.filesKept) << report.detail;
        }
    }

    fs::path scratch, documents;
};

void existing(const fs::path& documents, const fs::path& target) {
    fs::create_directories(documents);
    giveToPerson(documents);
    writeBytes(target, "an earlier save\r\n");
    giveToPerson(target);
}

bool setImmutable(const fs::path& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}

TEST_F(SaveFaultsTest, EachRefusalIsReportedInChineseAndChangesNothing) {
    const auto readOnlyFolder = [](const fs::path& documents, const fs::path& target) {
        existing(documents, target);
        fs::permissions(documents, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                       fs::perms::others_exec);
    };
    const Fault faults[] = {
        {"documents folder missing in a read-only folder",
         [](const fs::path& documents, const fs::path&) {
             fs::permissions(documents.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
         },
         true, nullptr, "无法创建文件夹", nullptr},
        {"a file where the documents folder belongs",
         [](const fs::path& documents, const fs::path&) { writeBytes(documents, "not a folder"); }, false,
         nullptr, "不是文件夹", nullptr},
        {"read-only documents folder", readOnlyFolder, true, nullptr, "没有写入权限", nullptr},
        {"read-only existing file",
         [](const fs::path& documents, const fs::path& target) {
             existing(documents, target);
             fs::permissions(target, fs::perms::owner_read | fs::perms::others_read);
         },
         true, nullptr, "只读，未覆盖", nullptr},
        {"a folder of the target's name",
         [](const fs::path&, const fs::path& target) {
             fs::create_directories(target);
             writeBytes(target / "kept.txt", "kept");
         },
         false, nullptr, "是文件夹，不能保存为文件", nullptr},
        {"the file replaced by a folder while the question is open", existing, true,
         [](const fs::path& target) {
             fs::remove(target);
             fs::create_directory(target);
         },
         "是文件夹，不能保存为文件", nullptr},
        {"the file made read-only while the question is open", existing, true,
         [](const fs::path& target) { fs::permissions(target, fs::perms::owner_read); }, "只读，未覆盖",
         nullptr},
        {"a file larger than the system allows",
         [](const fs::path& documents, const fs::path& target) {
             existing(documents, target);
             std::signal(SIGXFSZ, SIG_IGN);
             const rlimit limit{16, 16};
             ::setrlimit(RLIMIT_FSIZE, &limit);
         },
         true, nullptr, "文件超过系统允许的大小", nullptr},
    };
    for (const Fault& fault : faults) expectRefused(fault);
}

TEST_F(SaveFaultsTest, ALockedFileIsNotReplaced) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may lock a file (the immutable attribute)";
    existing(documents, targetOf(Save::Sheet, documents));
    if (!setImmutable(targetOf(Save::Sheet, documents), true))
        GTEST_SKIP() << "the file system here has no immutable attribute";
    setImmutable(targetOf(Save::Sheet, documents), false);
    const Fault locked{"the file locked while the question is open",
                       existing,
                       false,
                       [](const fs::path& target) { setImmutable(target, true); },
                       "只读，未覆盖",
                       [](const fs::path& target) { setImmutable(target, false); }};
    expectRefused(locked);
}

TEST_F(SaveFaultsTest, AFullDiskIsReportedAndTheEarlierFileStaysWhole) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    const Fault full{"a full disk",
                     [](const fs::path& documents, const fs::path& target) {
                         fs::create_directories(documents);
                         // A mount of the child's own, gone when the child ends.
                         if (::unshare(CLONE_NEWNS) != 0 ||
                             ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                             ::mount("tmpfs", documents.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0)
                             throw std::runtime_error("no mount");
                         existing(documents, target);
                         std::ofstream filler(documents / "filler", std::ios::binary);
                         const std::string block(4096, 'f');
                         while (filler.write(block.data(), block.size())) filler.flush();
                     },
                     true,
                     nullptr,
                     "磁盘空间不足",
                     nullptr};
    const Report probe = run(full, Save::Sheet);
    if (probe.detail.find("no mount") != std::string::npos)
        GTEST_SKIP() << "this machine does not let the test mount a file system";
    expectRefused(full);
}

TEST_F(SaveFaultsTest, AFileRemovedWhileTheQuestionIsOpenIsSavedAnew) {
    ScriptedPlatform platform(documents.string(), {2024, 5, 6, 14, 3, 27});
    TVOR_FRM_KELD1 window(platform);
    prepare(window, Save::Sheet);
    const fs::path target = targetOf(Save::Sheet, documents);
    existing(documents, target);
    platform.answers = {true};
    platform.observer = [&](const ScriptedPlatform::Dialog&) { fs::remove(target); };
    window.click("cbt_Save");
    EXPECT_EQ(platform.dialogs.size(), 1u) << "the question only";
    EXPECT_EQ(testing::savedLines(target), window.sheet().doc());
    EXPECT_EQ(window.sheet().unsavedMarks(), CalculationSheet::xlsUnsaved);
}

// A folder under base whose path is `length` bytes long, made of names the system accepts.
fs::path folderOfLength(const fs::path& base, std::size_t length) {
    std::string path = base.string();
    while (path.size() < length)
        path += "/" + std::string(std::min<std::size_t>(200, length - path.size() - 1), 'd');
    return path;
}

// Removes a file whose whole path may be beyond the system's limit, by its folder and name.
void removeLong(const fs::path& folder, const std::string& name) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ::unlinkat(fd, name.c_str(), 0);
    ::close(fd);
}

TEST_F(SaveFaultsTest, PathsAtAndBeyondTheSystemLimit) {
    const std::size_t pathMax = PATH_MAX; // with its terminating zero
    // Whole paths of the longest the system takes, one byte more and far more: the file is written, and
    // saved again only after the overwrite question, which No answers with a time-stamped name.
    for (const std::size_t whole : {pathMax - 1, pathMax, pathMax + 40}) {
        SCOPED_TRACE(whole);
        const fs::path folder = folderOfLength(scratch / "long", whole - sheetFile.size() - 1);
        ASSERT_EQ((folder / sheetFile).string().size(), whole);
        fs::create_directories(folder);
        ScriptedPlatform platform(folder.string(), {2024, 5, 6, 14, 3, 27});
        TVOR_FRM_KELD1 window(platform);
        prepare(window, Save::Sheet);
        window.click("cbt_Save");
        EXPECT_TRUE(platform.dialogs.empty()) << platform.dialogs.front().text;
        EXPECT_EQ(window.sheet().unsavedMarks(), CalculationSheet::xlsUnsaved);
        window.click("cbt_Exit");
        window.typeText("cbe_dd", "1200");
        prepare(window, Save::Sheet);
        window.click("cbt_Save");
        ASSERT_EQ(platform.dialogs.size(), 2u) << "a question before anything is written over";
        EXPECT_EQ(platform.dialogs[0].text, "文件已存在，是否覆盖?");
        EXPECT_EQ(platform.dialogs[1].text, "结果已附加时间改名另存。");
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        EXPECT_THAT(
            names, ::testing::ElementsAre(sheetFile, "嵌岩桩计算书(依据JGJ94-2008)_文本_20240506140327.txt"));
        for (const std::string& name : names) removeLong(folder, name);
    }

    // A documents folder beyond the limit cannot be made: the reason, and no folder made on the way.
    const fs::path beyond = folderOfLength(scratch / "beyond", pathMax + 10);
    ScriptedPlatform platform(beyond.string(), {2024, 5, 6, 14, 3, 27});
    TVOR_FRM_KELD1 window(platform);
    prepare(window, Save::Sheet);
    window.click("cbt_Save");
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_THAT(platform.dialogs[0].text, ::testing::HasSubstr("路径或文件名过长"));
    EXPECT_EQ(window.sheet().unsavedMarks(), 3);
    EXPECT_FALSE(fs::exists(scratch / "beyond"));
}

} // namespace
} // namespace qianyan
