// Runs quirlwerk-cli as a child process with a given stdin, for end-to-end tests.
// The build names the binary; QUIRLWERK_CLI overrides it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace quirlwerk::cli::testing {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string cliPath()
{
    const char* path = std::getenv("QUIRLWERK_CLI");
    return path ? path : QUIRLWERK_CLI_PATH;
}

inline std::string readAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    close(fd);
    return text;
}

// stdout and stderr go to temporary files so that large outputs cannot deadlock the pipes. A file-size limit,
// when given, applies to the child alone.
inline CliRun runCli(const std::vector<std::string>& arguments, const std::string& input = {},
                     std::optional<rlim_t> fileSizeLimit = std::nullopt)
{
    char inName[] = "/tmp/quirlwerk-cli-inXXXXXX";
    char outName[] = "/tmp/quirlwerk-cli-outXXXXXX";
    char errName[] = "/tmp/quirlwerk-cli-errXXXXXX";
    const int inFd = mkstemp(inName), outFd = mkstemp(outName), errFd = mkstemp(errName);
    EXPECT_EQ(write(inFd, input.data(), input.size()), static_cast<ssize_t>(input.size()));
    lseek(inFd, 0, SEEK_SET);

    std::vector<std::string> all{cliPath()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    CliRun run;
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit limit{fileSizeLimit.value_or(RLIM_INFINITY), fileSizeLimit.value_or(RLIM_INFINITY)};
        if (dup2(inFd, 0) < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0 ||
            (fileSizeLimit && setrlimit(RLIMIT_FSIZE, &limit) != 0))
            _exit(126);
        execve(argv[0], argv.data(), environ);
        _exit(127);
    }
    if (pid > 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    lseek(outFd, 0, SEEK_SET);
    lseek(errFd, 0, SEEK_SET);
    run.out = readAll(outFd);
    run.err = readAll(errFd);
    close(inFd);
    unlink(inName);
    unlink(outName);
    unlink(errName);
    return run;
}

} // namespace quirlwerk::cli::testing
