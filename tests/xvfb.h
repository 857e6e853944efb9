// A private X server (Xvfb) for tests and benchmarks that need a real display:
// started on a free display number, stopped with the object. Not started when
// Xvfb is not installed.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

class Xvfb_Server {
  public:
    static bool Installed() { return access("/usr/bin/Xvfb", X_OK) == 0; }

    // screen like "1280x1024x24"; without: an extension the server leaves out.
    explicit Xvfb_Server(const char* screen = "1280x1024x24", const char* without = nullptr) {
        if (!Installed()) return;
        int fds[2];
        if (pipe(fds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            const char* args[] = {"Xvfb",     "-displayfd", fd.c_str(),  "-screen",
                                  "0",        screen,       "-nolisten", "tcp",
                                  "-noreset", "-extension", without,     nullptr};
            if (without == nullptr) args[9] = nullptr;
            execv("/usr/bin/Xvfb", const_cast<char* const*>(args));
            _exit(127);
        }
        close(fds[1]);
        // The server writes its display number once it accepts clients.
        char buf[16] = {};
        ssize_t got = 0;
        for (ssize_t n; got < static_cast<ssize_t>(sizeof buf) - 1 &&
                        (n = read(fds[0], buf + got, sizeof buf - 1 - got)) > 0;) {
            got += n;
            if (buf[got - 1] == '\n') break;
        }
        close(fds[0]);
        if (got > 0) display_ = ":" + std::string(buf, buf + got - (buf[got - 1] == '\n'));
    }
    ~Xvfb_Server() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    Xvfb_Server(const Xvfb_Server&) = delete;
    Xvfb_Server& operator=(const Xvfb_Server&) = delete;

    bool Running() const { return !display_.empty(); }
    const std::string& Display() const { return display_; }
    pid_t Pid() const { return pid_; }

  private:
    pid_t pid_ = -1;
    std::string display_;
};
