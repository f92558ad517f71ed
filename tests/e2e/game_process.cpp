#include "game_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

extern char** environ;

#if !defined(ZARN_EXECUTABLE) || !defined(ZARN_TEST_DRIVER)
#error "ZARN_EXECUTABLE and ZARN_TEST_DRIVER must name the game and the test driver"
#endif

namespace {

ProcessResult RunExecutable(const char* executable, const std::vector<std::string>& args,
                            const std::map<std::string, std::string>& env, std::chrono::seconds timeout,
                            std::chrono::milliseconds signalAfter, int whichSignal, const ReadyCheck& ready) {
    ProcessResult result;
    std::vector<std::string> envStrings;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry(*e);
        const std::string key = entry.substr(0, entry.find('='));
        if (env.count(key) == 0) {
            envStrings.push_back(entry);
        }
    }
    for (const auto& [key, value] : env) {
        if (!value.empty()) {
            envStrings.push_back(key + "=" + value);
        }
    }
    std::vector<char*> envp;
    for (std::string& s : envStrings) {
        envp.push_back(s.data());
    }
    envp.push_back(nullptr);

    std::vector<std::string> argStrings{executable};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : argStrings) {
        argv.push_back(s.data());
    }
    argv.push_back(nullptr);

    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        result.output = "pipe failed";
        return result;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 2);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        result.output = std::string("spawn failed: ") + std::strerror(spawned);
        return result;
    }

    const auto start = std::chrono::steady_clock::now();
    auto signalClock = start;
    bool readyYet = !ready;
    bool signalled = false;
    bool open = true;
    while (open) {
        const auto now = std::chrono::steady_clock::now();
        const auto elapsed = now - start;
        if (!readyYet && ready(result.output)) {
            readyYet = true;
            signalClock = now;
        }
        if (signalAfter.count() > 0 && readyYet && !signalled && now - signalClock >= signalAfter) {
            kill(pid, whichSignal);
            signalled = true;
        }
        if (elapsed >= timeout) {
            result.timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        pollfd p{pipeFds[0], POLLIN, 0};
        if (poll(&p, 1, 50) > 0) {
            char buffer[4096];
            const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
            if (n <= 0) {
                open = false;
            } else {
                result.output.append(buffer, static_cast<size_t>(n));
            }
        }
    }
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    return result;
}

}  // namespace

ProcessResult RunGame(const std::vector<std::string>& args, const std::map<std::string, std::string>& env,
                      std::chrono::seconds timeout, std::chrono::milliseconds signalAfter, int whichSignal) {
    return RunExecutable(ZARN_EXECUTABLE, args, env, timeout, signalAfter, whichSignal, {});
}

ProcessResult RunTestDriver(const std::vector<std::string>& args,
                            const std::map<std::string, std::string>& env, std::chrono::seconds timeout,
                            std::chrono::milliseconds signalAfter, int whichSignal) {
    return RunExecutable(ZARN_TEST_DRIVER, args, env, timeout, signalAfter, whichSignal, {});
}

ProcessResult RunTestDriverSignalledAfterReady(const std::vector<std::string>& args,
                                               const std::map<std::string, std::string>& env,
                                               std::chrono::seconds timeout, const ReadyCheck& ready,
                                               std::chrono::milliseconds signalAfter, int whichSignal) {
    return RunExecutable(ZARN_TEST_DRIVER, args, env, timeout, signalAfter, whichSignal, ready);
}
