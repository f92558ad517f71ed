#pragma once

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

// A real small or read-only disk for one test: a child process gets a mount namespace of its own (a
// user namespace too when it is not root), mounts a fresh tmpfs of `bytes` bytes on `folder` there, and
// runs `body`; the rest of the machine never sees the mount, which goes when the child ends. The
// body's failed expectations fail the child, and with it the test. Returns the reason when the machine
// does not allow such a mount (the caller then skips), or the empty string when the body ran.
inline std::string InPrivateTmpfs(const std::filesystem::path& folder, size_t bytes,
                                  const std::function<void()>& body, bool* passed) {
    *passed = false;
    int reason[2];
    if (::pipe(reason) != 0) {
        return "no pipe";
    }
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = ::fork();
    if (child < 0) {
        return "no fork";
    }
    if (child == 0) {
        ::close(reason[0]);
        const auto refuse = [&](const char* step) {
            const std::string text = std::string(step) + ": " + std::strerror(errno);
            (void)!::write(reason[1], text.data(), text.size());
            ::_exit(77);
        };
        const uid_t uid = ::geteuid();
        const gid_t gid = ::getegid();
        if (uid == 0) {
            if (::unshare(CLONE_NEWNS) != 0) {
                refuse("unshare(CLONE_NEWNS)");
            }
        } else {
            if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
                refuse("unshare(CLONE_NEWUSER | CLONE_NEWNS)");
            }
            std::ofstream("/proc/self/setgroups") << "deny";
            std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
            std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
        }
        // Mounts made here stay here.
        if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            refuse("making the mounts private");
        }
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
        if (::mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
            refuse("mounting a tmpfs");
        }
        ::close(reason[1]);
        body();
        std::fflush(stdout);
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    ::close(reason[1]);
    std::string why;
    char buffer[256];
    for (ssize_t n; (n = ::read(reason[0], buffer, sizeof buffer)) > 0;) {
        why.append(buffer, static_cast<size_t>(n));
    }
    ::close(reason[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) {
        return why.empty() ? "the private mount failed" : why;
    }
    *passed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return {};
}

// Inside InPrivateTmpfs: the tmpfs on `folder` becomes read-only.
inline bool RemountReadOnly(const std::filesystem::path& folder) {
    return ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

// Inside InPrivateTmpfs: fills the disk with a file `filler` until no byte more fits.
inline void FillDisk(const std::filesystem::path& filler) {
    std::FILE* out = std::fopen(filler.c_str(), "wb");
    if (out == nullptr) {
        return;
    }
    static const char kBlock[4096] = {};
    while (std::fwrite(kBlock, 1, sizeof kBlock, out) == sizeof kBlock) {
    }
    std::fclose(out);
    // Whatever is left below a block, byte by byte.
    out = std::fopen(filler.c_str(), "ab");
    while (out != nullptr && std::fputc(0, out) != EOF && std::fflush(out) == 0) {
    }
    if (out != nullptr) {
        std::fclose(out);
    }
}
