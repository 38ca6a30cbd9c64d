// The Qt front end's program folder: this test program, copied into a folder
// named in Shift-JIS bytes and started through a link from elsewhere, names
// that folder byte for byte.

#include "qt/forms/program_folder.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <string>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr char kPrintFolder[] = "--print-program-folder";

// Runs `program` by its raw bytes and returns what it writes.
std::string outputOf(const std::string &program, const char *argument)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    char *argv[] = {const_cast<char *>(program.c_str()), const_cast<char *>(argument), nullptr};
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    std::string out;
    char buffer[4096];
    for (ssize_t n; spawned == 0 && (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, std::size_t(n));
    ::close(pipeEnds[0]);
    int status = 0;
    if (spawned == 0)
        ::waitpid(pid, &status, 0);
    return out;
}

} // namespace

class TestProgramFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesItsFolderByteForByte();
};

void TestProgramFolder::namesItsFolderByteForByte()
{
    const fs::path self = forms::programFolder();
    QVERIFY(self.is_absolute());
    QCOMPARE(QFile::decodeName(self.c_str()), QCoreApplication::applicationDirPath());

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string base = QFile::encodeName(dir.path()).toStdString();
    const std::string folder = base + "/\x83\x76\x83\x8d\x83\x4f\x83\x89\x83\x80"; // プログラム
    QCOMPARE(::mkdir(folder.c_str(), 0700), 0);
    const std::string copy = folder + "/tst_program_folder";
    fs::copy_file(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString(), copy);
    fs::permissions(copy, fs::perms::owner_exec, fs::perm_options::add);
    const std::string link = base + "/launcher";
    fs::create_symlink(copy, link);
    const std::string printed = outputOf(link, kPrintFolder);
    fs::remove_all(folder); // by bytes: a name QDir cannot remove
    QCOMPARE(printed, folder);
}

int main(int argc, char *argv[])
{
    // Run as a copy by the test: say where this program lives, and stop.
    if (argc == 2 && std::strcmp(argv[1], kPrintFolder) == 0) {
        const std::string folder = forms::programFolder().native();
        std::fwrite(folder.data(), 1, folder.size(), stdout);
        return folder.empty() ? 1 : 0;
    }
    QCoreApplication app(argc, argv);
    TestProgramFolder test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_program_folder.moc"
