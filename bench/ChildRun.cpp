#include "ChildRun.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryFile>

extern char** environ;

namespace {

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

} // namespace

ChildRun::Result ChildRun::run(const QString& program, const QStringList& arguments)
{
    Result result;
    QTemporaryFile output, errors;
    if (!output.open() || !errors.open()) {
        result.failure = QStringLiteral("no temporary file for the program's output");
        return result;
    }

    std::vector<QByteArray> texts{QFile::encodeName(program)};
    for (const QString& a : arguments)
        texts.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& t : texts)
        argv.push_back(t.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output.handle(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errors.handle(), STDERR_FILENO);

    pid_t pid = 0;
    const double start = nowMs();
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        result.failure = program + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(spawned));
        return result;
    }

    int status = 0;
    pid_t reaped = -1;
    do
        reaped = waitpid(pid, &status, 0);
    while (reaped < 0 && errno == EINTR);
    result.wallMs = nowMs() - start;
    output.seek(0);
    result.output = QString::fromLocal8Bit(output.readAll());

    if (reaped == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        result.ok = true;
        return result;
    }
    const QString how = reaped != pid ? QStringLiteral("was lost")
        : WIFSIGNALED(status)         ? QStringLiteral("died of signal %1").arg(WTERMSIG(status))
                                      : QStringLiteral("exited with %1").arg(WEXITSTATUS(status));
    errors.seek(0);
    result.failure =
        program + QLatin1Char(' ') + how + QStringLiteral(":\n") + QString::fromLocal8Bit(errors.readAll().right(4000));
    return result;
}
