// A French keyboard in a real window: keys pressed by their key codes on a
// virtual display with the French layout loaded move and cast as the same
// places do on a US keyboard.
#include "tests/game/GameRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#ifdef DUSKMAW_HAVE_XTEST
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

// Key codes of the places, as the X server numbers them.
constexpr unsigned kPlaceW = 25;
constexpr unsigned kPlaceA = 38;
constexpr unsigned kPlace1 = 10;

// A program of our own started with a display; ended by the destructor.
struct Child {
    pid_t pid = -1;
    ~Child() {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    int Wait() {
        int status = 0;
        waitpid(pid, &status, 0);
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

pid_t Spawn(const std::vector<std::string>& argv, const std::string& display, int outFd = -1) {
    pid_t pid = fork();
    if (pid == 0) {
        if (!display.empty()) {
            setenv("DISPLAY", display.c_str(), 1);
        }
        if (outFd >= 0) {
            dup2(outFd, STDOUT_FILENO);
        }
        std::vector<char*> args;
        for (const std::string& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

// Its own virtual display, so the layout changes nothing for other tests;
// one that keeps its keyboard layout when its last client leaves.
std::string StartDisplay(Child& server) {
    int fds[2];
    if (pipe(fds) != 0) {
        return "";
    }
    server.pid = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                        "1280x1024x24", "-nolisten", "tcp", "-noreset"},
                       "");
    close(fds[1]);
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(fds[0]);
    return number.empty() ? "" : ":" + number;
}

size_t TraceLines(const std::string& path) {
    const std::string text = testing_support::ReadFile(path);
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Waits until the game has written that many more frames.
void WaitFrames(const std::string& trace, size_t frames) {
    const size_t until = TraceLines(trace) + frames;
    for (int tries = 0; tries < 600 && TraceLines(trace) < until; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace
#endif

TEST(GameWindow, OnAFrenchKeyboardThePlacesOfWAAnd1WalkAndChooseFire) {
    if (std::string why = testing_support::WindowTestSkipReason(); !why.empty()) {
        GTEST_SKIP() << why;
    }
#ifndef DUSKMAW_HAVE_XTEST
    GTEST_SKIP() << "built without the X test extension";
#else
    Child server;
    const std::string display = StartDisplay(server);
    if (display.empty()) {
        GTEST_SKIP() << "no Xvfb to start";
    }
    Child layout;
    layout.pid = Spawn({"setxkbmap", "-layout", "fr"}, display);
    ASSERT_EQ(layout.Wait(), 0) << "setxkbmap failed";
    Display* x = XOpenDisplay(display.c_str());
    ASSERT_NE(x, nullptr);
    // The layout took: the place of W types z, that of A q, that of 1 '&'.
    ASSERT_EQ(XkbKeycodeToKeysym(x, kPlaceW, 0, 0), static_cast<KeySym>(XK_z));
    ASSERT_EQ(XkbKeycodeToKeysym(x, kPlaceA, 0, 0), static_cast<KeySym>(XK_q));
    ASSERT_EQ(XkbKeycodeToKeysym(x, kPlace1, 0, 0), static_cast<KeySym>(XK_ampersand));

    const std::string dir = testing_support::MakeTempDir("layout");
    const std::string trace = dir + "/t.jsonl";
    setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
    Child game;
    game.pid = Spawn({DUSKMAW_GAME_BINARY, "--no-dialogs", "--data",
                      testing_support::SourceDir() + "/data", "--log", dir + "/log.txt", "--trace",
                      trace, "--frames", "100000"},
                     display);
    WaitFrames(trace, 20);
    ASSERT_GT(TraceLines(trace), 0u) << testing_support::ReadFile(dir + "/log.txt");
    // The pointer over the window gives it the keys (no window manager).
    XTestFakeMotionEvent(x, 0, 640, 512, 0);
    auto hold = [&](unsigned code, size_t frames) {
        XTestFakeKeyEvent(x, code, True, 0);
        XFlush(x);
        WaitFrames(trace, frames);
        XTestFakeKeyEvent(x, code, False, 0);
        XFlush(x);
        WaitFrames(trace, 3);
    };
    const size_t start = TraceLines(trace);
    hold(kPlaceW, 15);
    const size_t afterW = TraceLines(trace);
    hold(kPlaceA, 15);
    const size_t afterA = TraceLines(trace);
    XTestFakeKeyEvent(x, kPlace1, True, 0);
    XFlush(x);
    WaitFrames(trace, 5);
    const size_t holding1 = TraceLines(trace);
    XCloseDisplay(x);
    kill(game.pid, SIGKILL);
    game.Wait();

    const std::vector<JsonValue> frames = ReadJsonLines(trace);
    ASSERT_GE(frames.size(), holding1);
    const JsonValue& before = frames[start - 1]["player"];
    const JsonValue& up = frames[afterW - 1]["player"];
    const JsonValue& left = frames[afterA - 1]["player"];
    EXPECT_LT(up["y"].AsNumber(), before["y"].AsNumber() - 10);
    EXPECT_EQ(up["x"].AsNumber(), before["x"].AsNumber());
    EXPECT_LT(left["x"].AsNumber(), up["x"].AsNumber() - 10);
    EXPECT_EQ(left["y"].AsNumber(), up["y"].AsNumber());
    EXPECT_TRUE(frames[holding1 - 1]["select"]["fire"].AsBool());
#endif
}
