// Runs quirlwerk-cli as a child process with a given stdin, for end-to-end tests of the wiring.
// The build names the binary; QUIRLWERK_CLI overrides it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quirlwerk::cli::testing {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

struct CliOptions {
    std::string input = "";
    std::optional<rlim_t> fileSizeLimit = std::nullopt;   // the child's alone
    const char* out = nullptr;             // a file in place of stdout, such as /dev/full
    const char* err = nullptr;             // the same for stderr
};

// stdout and stderr go to temporary files so that large outputs cannot deadlock pipes.
inline CliRun runCli(std::vector<std::string> arguments, const CliOptions& options = {})
{
    char names[3][32] = {"/tmp/quirlwerk-cli-XXXXXX", "/tmp/quirlwerk-cli-XXXXXX", "/tmp/quirlwerk-cli-XXXXXX"};
    int files[3];
    for (int i = 0; i < 3; ++i) {
        files[i] = mkstemp(names[i]);
        unlink(names[i]);
    }
    EXPECT_EQ(write(files[0], options.input.data(), options.input.size()), ssize_t(options.input.size()));
    lseek(files[0], 0, SEEK_SET);
    const char* path = std::getenv("QUIRLWERK_CLI") ? std::getenv("QUIRLWERK_CLI") : QUIRLWERK_CLI_PATH;
    arguments.insert(arguments.begin(), path);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit limit{options.fileSizeLimit.value_or(RLIM_INFINITY), options.fileSizeLimit.value_or(RLIM_INFINITY)};
        const int out = options.out ? open(options.out, O_WRONLY) : files[1];
        const int err = options.err ? open(options.err, O_WRONLY) : files[2];
        if (dup2(files[0], 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
            (options.fileSizeLimit && setrlimit(RLIMIT_FSIZE, &limit) != 0))
            _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    CliRun run;
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    for (const auto& [file, text] : {std::pair{files[1], &run.out}, {files[2], &run.err}}) {
        lseek(file, 0, SEEK_SET);
        char buffer[65536];
        for (ssize_t n; (n = read(file, buffer, sizeof buffer)) > 0;)
            text->append(buffer, static_cast<std::size_t>(n));
    }
    for (const int file : files)
        close(file);
    return run;
}

// The older form: stdin and a file-size limit.
inline CliRun runCli(std::vector<std::string> arguments, const std::string& input, std::optional<rlim_t> fileSizeLimit = std::nullopt)
{
    return runCli(std::move(arguments), CliOptions{input, fileSizeLimit});
}

} // namespace quirlwerk::cli::testing
