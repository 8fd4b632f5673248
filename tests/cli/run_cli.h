// Runs quirlwerk-cli as a child process with a given stdin, for end-to-end tests of the wiring.
// The build names the binary; QUIRLWERK_CLI overrides it.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
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

// stdout and stderr go to temporary files so that large outputs cannot deadlock pipes. The file-size limit is the
// child's alone; `out` and `err` name files in place of stdout and stderr, such as /dev/full.
inline CliRun runCli(std::vector<std::string> arguments, const std::string& input = "",
                     std::optional<rlim_t> fileSizeLimit = std::nullopt, const char* out = nullptr, const char* err = nullptr)
{
    std::FILE* files[3] = {std::tmpfile(), std::tmpfile(), std::tmpfile()};
    EXPECT_EQ(std::fwrite(input.data(), 1, input.size(), files[0]), input.size());
    std::fflush(files[0]);
    lseek(fileno(files[0]), 0, SEEK_SET);
    arguments.insert(arguments.begin(), std::getenv("QUIRLWERK_CLI") ? std::getenv("QUIRLWERK_CLI") : QUIRLWERK_CLI_PATH);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit limit{fileSizeLimit.value_or(RLIM_INFINITY), fileSizeLimit.value_or(RLIM_INFINITY)};
        if (dup2(fileno(files[0]), 0) < 0 || dup2(out ? open(out, O_WRONLY) : fileno(files[1]), 1) < 0 ||
            dup2(err ? open(err, O_WRONLY) : fileno(files[2]), 2) < 0 || (fileSizeLimit && setrlimit(RLIMIT_FSIZE, &limit)))
            _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    CliRun run;
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    for (const auto& [file, text] : {std::pair{files[1], &run.out}, {files[2], &run.err}}) {
        lseek(fileno(file), 0, SEEK_SET);
        char buffer[65536];
        for (ssize_t n; (n = read(fileno(file), buffer, sizeof buffer)) > 0;)
            text->append(buffer, static_cast<std::size_t>(n));
    }
    for (std::FILE* file : files)
        std::fclose(file);
    return run;
}

} // namespace quirlwerk::cli::testing
