// Start-up as a user meets it: from the moment the program is started until
// its first window is on the screen, measured from outside the process on a
// real X server with a window manager, against a bare one-window Qt program
// (the floor: what Qt itself costs) started alternately in the same run.
// Resident memory is read 3 s after the window appeared.
//
// Needs DISPLAY (an X server with a window manager); bench/startup.sh sets
// up Xvfb, openbox and a session bus, builds, and runs this program:
//   bench_startup --app build/stage/tesmara --floor build/bench/bench_floor [--runs N]
// With --work FOLDER (new or empty) the program folders it makes ("later",
// "auto", "empty") are kept there, to start the program by hand (for a
// profiler); --runs 0 makes only the folders.
#include "app/AppState.h"
#include "app/Msg.h"
#include "app/Startup.h"
#include "users/UserAccounts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

using namespace tesmara;

namespace {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Watches the X server for a viewable window of one process: events, not
// polling, so that the watcher neither lags nor takes processor time from
// the program it watches.
class WindowWatch {
public:
    WindowWatch()
    {
        m_display = XOpenDisplay(nullptr);
        if (!m_display) {
            return;
        }
        m_root = DefaultRootWindow(m_display);
        m_pidAtom = XInternAtom(m_display, "_NET_WM_PID", False);
        m_nameAtom = XInternAtom(m_display, "_NET_WM_NAME", False);
        m_utf8Atom = XInternAtom(m_display, "UTF8_STRING", False);
        m_protocolsAtom = XInternAtom(m_display, "WM_PROTOCOLS", False);
        m_deleteAtom = XInternAtom(m_display, "WM_DELETE_WINDOW", False);
        XSelectInput(m_display, m_root, SubstructureNotifyMask);
        XSync(m_display, False);
    }
    ~WindowWatch()
    {
        if (m_display) {
            XCloseDisplay(m_display);
        }
    }
    bool ok() const { return m_display != nullptr; }

    // Waits until a viewable window of `pid` (with a title beginning with
    // `title` unless empty)
    // exists; returns the time it was seen, or nothing when the process
    // ended or the deadline passed.
    std::optional<double> waitFor(pid_t pid, const std::string& title, double deadline)
    {
        while (nowMs() < deadline) {
            bool rescan = false;
            while (XPending(m_display)) {
                XEvent ev;
                XNextEvent(m_display, &ev);
                if (ev.type == CreateNotify) {
                    // Frames of the window manager: their children's maps too.
                    XSelectInput(m_display, ev.xcreatewindow.window, SubstructureNotifyMask);
                } else if (ev.type == MapNotify || ev.type == ReparentNotify) {
                    rescan = true;
                }
            }
            if (rescan && !windows(pid, title, true).empty()) {
                return nowMs();
            }
            pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
            // A slow fallback scan covers a map seen before its parent was watched.
            if (poll(&fd, 1, 50) == 0) {
                if (!windows(pid, title, true).empty()) {
                    return nowMs();
                }
                if (waitpid(pid, nullptr, WNOHANG) == pid) {
                    return std::nullopt;
                }
            }
        }
        return std::nullopt;
    }

    // Asks every window of `pid` to close, as the window manager's close
    // button does.
    void closeWindows(pid_t pid)
    {
        for (Window w : windows(pid, {}, false)) {
            XEvent ev{};
            ev.xclient.type = ClientMessage;
            ev.xclient.window = w;
            ev.xclient.message_type = m_protocolsAtom;
            ev.xclient.format = 32;
            ev.xclient.data.l[0] = long(m_deleteAtom);
            ev.xclient.data.l[1] = CurrentTime;
            XSendEvent(m_display, w, False, NoEventMask, &ev);
        }
        XFlush(m_display);
    }

    void drain()
    {
        while (XPending(m_display)) {
            XEvent ev;
            XNextEvent(m_display, &ev);
        }
    }

private:
    std::optional<long> windowPid(Window w)
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        std::optional<long> pid;
        if (XGetWindowProperty(m_display, w, m_pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                               &data) == Success &&
            data && count == 1 && format == 32) {
            pid = *reinterpret_cast<long*>(data);
        }
        if (data) {
            XFree(data);
        }
        return pid;
    }

    std::string windowTitle(Window w)
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        std::string title;
        if (XGetWindowProperty(m_display, w, m_nameAtom, 0, 256, False, m_utf8Atom, &type, &format, &count, &after,
                               &data) == Success &&
            data) {
            title.assign(reinterpret_cast<char*>(data), count);
        }
        if (data) {
            XFree(data);
        }
        return title;
    }

    void collect(Window w, pid_t pid, const std::string& title, bool viewable, std::vector<Window>& out)
    {
        if (windowPid(w) == pid && (title.empty() || windowTitle(w).rfind(title, 0) == 0)) {
            XWindowAttributes attr;
            if (!viewable || (XGetWindowAttributes(m_display, w, &attr) && attr.map_state == IsViewable)) {
                out.push_back(w);
            }
            return;
        }
        Window rootReturn = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int n = 0;
        if (XQueryTree(m_display, w, &rootReturn, &parent, &children, &n)) {
            for (unsigned int i = 0; i < n; ++i) {
                collect(children[i], pid, title, viewable, out);
            }
            if (children) {
                XFree(children);
            }
        }
    }

    std::vector<Window> windows(pid_t pid, const std::string& title, bool viewable)
    {
        std::vector<Window> out;
        // Windows gone in the middle of a scan are not errors.
        XErrorHandler old = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        collect(m_root, pid, title, viewable, out);
        XSync(m_display, False);
        XSetErrorHandler(old);
        return out;
    }

    Display* m_display = nullptr;
    Window m_root = 0;
    Atom m_pidAtom = 0;
    Atom m_nameAtom = 0;
    Atom m_utf8Atom = 0;
    Atom m_protocolsAtom = 0;
    Atom m_deleteAtom = 0;
};

struct Memory {
    double rssMb = 0;
    double anonMb = 0;
};

// Resident and anonymous (private, not file-backed) memory of a process.
Memory memoryOf(pid_t pid)
{
    Memory m;
    FILE* f = std::fopen(("/proc/" + std::to_string(pid) + "/smaps_rollup").c_str(), "r");
    if (!f) {
        return m;
    }
    char line[256];
    while (std::fgets(line, sizeof line, f)) {
        long kb = 0;
        if (std::sscanf(line, "Rss: %ld kB", &kb) == 1) {
            m.rssMb = kb / 1024.0;
        } else if (std::sscanf(line, "Anonymous: %ld kB", &kb) == 1) {
            m.anonMb = kb / 1024.0;
        }
    }
    std::fclose(f);
    return m;
}

struct Sample {
    double ms = 0;
    Memory memory;
};

struct Program {
    std::string exe;
    std::string title; // how the awaited window's title begins; empty: any window
    bool close = true; // closed as a user closes it; otherwise killed (its state is thrown away)
};

class Bench {
public:
    Bench(WindowWatch& watch, std::string log) : m_watch(watch), m_log(std::move(log)) {}

    // Starts `program` once, waits for its window, reads its memory after
    // 3 s and closes it; nothing on failure.
    std::optional<Sample> startOnce(const Program& program, char** env, bool measureMemory)
    {
        m_watch.drain();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, m_log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, m_log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        std::vector<char*> argv{const_cast<char*>(program.exe.c_str()), nullptr};
        pid_t pid = 0;
        const double start = nowMs();
        const int rc = posix_spawn(&pid, program.exe.c_str(), &actions, nullptr, argv.data(), env);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) {
            std::fprintf(stderr, "cannot start %s: %s\n", program.exe.c_str(), std::strerror(rc));
            return std::nullopt;
        }
        const auto seen = m_watch.waitFor(pid, program.title, start + 30000);
        Sample sample;
        if (seen) {
            sample.ms = *seen - start;
            if (measureMemory) {
                usleep(3000 * 1000);
                sample.memory = memoryOf(pid);
            }
        } else {
            std::fprintf(stderr, "no window of %s appeared (output in %s)\n", program.exe.c_str(), m_log.c_str());
        }
        finish(pid, !program.close || !seen);
        // The next start, of the other program, meets a settled machine: the
        // window manager and the X server done with the closed window, the
        // closed program's writes on disk.
        usleep(1000 * 1000);
        if (!seen) {
            return std::nullopt;
        }
        return sample;
    }

private:
    // Closes the program as a user would (its settings are stored), or kills
    // it when its state does not matter.
    void finish(pid_t pid, bool kill)
    {
        if (!kill) {
            m_watch.closeWindows(pid);
            const double deadline = nowMs() + 5000;
            while (nowMs() < deadline) {
                if (waitpid(pid, nullptr, WNOHANG) == pid) {
                    return;
                }
                usleep(10 * 1000);
            }
            std::fprintf(stderr, "pid %d did not close in 5 s: killed\n", int(pid));
        }
        ::kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }

    WindowWatch& m_watch;
    std::string m_log;
};

// Fills `target` with the program's shipped files from `stage` (hard links
// where possible), leaving out the state a run creates.
bool copyProgram(const QString& stage, const QString& target)
{
    const QStringList skip{QStringLiteral("d.at"), QStringLiteral("user"), QStringLiteral("update"),
                           QStringLiteral("tesmara.lock")};
    QDir().mkpath(target);
    const QDir from(stage);
    for (const QFileInfo& info : from.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString name = info.fileName();
        if (skip.contains(name) || name.startsWith(QLatin1String("d.at"))) {
            continue;
        }
        const QString to = target + QLatin1Char('/') + name;
        if (info.isDir()) {
            if (!copyProgram(info.filePath(), to)) {
                return false;
            }
        } else if (::link(QFile::encodeName(info.filePath()).constData(), QFile::encodeName(to).constData()) != 0 &&
                   !QFile::copy(info.filePath(), to)) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(info.filePath()));
            return false;
        }
    }
    return true;
}

// A program folder with one user ("bench", password "pw"), remembered for
// automatic login when `automatic`.
bool makeUserFolder(const QString& stage, const QString& folder, bool automatic)
{
    if (!copyProgram(stage, folder)) {
        return false;
    }
    const QString root = folder + QLatin1Char('/');
    App().reset();
    Startup({root, root}, StartupServices{}).run();
    const QString name = QStringLiteral("bench");
    const QString pw = QStringLiteral("pw");
    UserAccounts users(App().Conn_Main, root);
    bool ok = users.add(name, pw, pw) == UserAccounts::AddResult::Added;
    if (ok && automatic) {
        ok = users.setLoginMode(UserAccounts::LoginMode::Automatic, name, pw) == UserAccounts::ModeResult::Applied;
    }
    App().reset();
    if (!ok) {
        std::fprintf(stderr, "cannot prepare %s\n", qPrintable(folder));
    }
    return ok;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Row {
    std::vector<Sample> app;
    std::vector<Sample> floor;
};

void printRow(const char* what, const Row& row)
{
    auto pick = [](const std::vector<Sample>& s, auto field) {
        std::vector<double> v;
        for (const Sample& x : s) {
            v.push_back(field(x));
        }
        return v;
    };
    const auto ms = [](const Sample& s) { return s.ms; };
    const auto rss = [](const Sample& s) { return s.memory.rssMb; };
    const auto anon = [](const Sample& s) { return s.memory.anonMb; };
    // Memory only of the starts it was read for.
    const auto measured = [](std::vector<Sample> s) {
        s.erase(std::remove_if(s.begin(), s.end(), [](const Sample& x) { return x.memory.rssMb <= 0; }), s.end());
        return s;
    };
    const std::vector<double> appMs = pick(row.app, ms);
    const std::vector<double> floorMs = pick(row.floor, ms);
    const double a = median(appMs);
    const double f = median(floorMs);
    std::printf("%-40s %7.1f ms %7.1f ms %6.2fx   %5.1f MB %5.1f MB   %5.1f MB %5.1f MB   (%.0f-%.0f / %.0f-%.0f ms)\n",
                what, a, f, a / f, median(pick(measured(row.app), rss)), median(pick(measured(row.floor), rss)),
                median(pick(measured(row.app), anon)), median(pick(measured(row.floor), anon)),
                *std::min_element(appMs.begin(), appMs.end()), *std::max_element(appMs.begin(), appMs.end()),
                *std::min_element(floorMs.begin(), floorMs.end()), *std::max_element(floorMs.begin(), floorMs.end()));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QString appExe;
    QString floorExe;
    QString workFolder; // kept after the run, for profiling by hand
    // Medians of many starts: on a busy machine single starts vary by half.
    // The memory, steady from start to start, is read in the first few:
    // each reading waits 3 s.
    int runs = 21;
    constexpr int kMemoryRuns = 5;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--app")) {
            appExe = QFileInfo(args[i + 1]).absoluteFilePath();
        } else if (args[i] == QLatin1String("--floor")) {
            floorExe = QFileInfo(args[i + 1]).absoluteFilePath();
        } else if (args[i] == QLatin1String("--work")) {
            workFolder = QFileInfo(args[i + 1]).absoluteFilePath();
        } else if (args[i] == QLatin1String("--runs")) {
            runs = std::max(0, args[i + 1].toInt());
        }
    }
    if (appExe.isEmpty() || floorExe.isEmpty()) {
        std::fprintf(stderr, "usage: bench_startup --app TESMARA --floor BARE_QT_PROGRAM [--runs N] [--work FOLDER]\n");
        return 2;
    }
    WindowWatch watch;
    if (!watch.ok()) {
        std::fprintf(stderr, "no X display: run bench/startup.sh\n");
        return 2;
    }
    // Messages of the preparing steps are answered without a window.
    setMsgPresenter([](const MsgRequest&) { return QStringLiteral("OK"); });

    QTemporaryDir temporary;
    const QDir work(workFolder.isEmpty() ? temporary.path() : workFolder);
    if (!workFolder.isEmpty() && !work.isEmpty()) {
        std::fprintf(stderr, "%s is not empty\n", qPrintable(workFolder));
        return 2;
    }
    const QString stage = QFileInfo(appExe).absolutePath();
    const QString exeName = QFileInfo(appExe).fileName();
    const QString later = work.filePath(QStringLiteral("later"));
    const QString automatic = work.filePath(QStringLiteral("auto"));
    const QString empty = work.filePath(QStringLiteral("empty"));
    if (!makeUserFolder(stage, later, false) || !makeUserFolder(stage, automatic, true) || !copyProgram(stage, empty)) {
        return 1;
    }
    if (runs == 0) {
        return 0; // only the folders were wanted
    }
    Bench bench(watch, work.filePath(QStringLiteral("output.log")).toStdString());

    // The same environment without a session bus, as in a bare X session:
    // the uncounted first start autolaunches one (D-Bus does that for Qt's
    // accessibility bridge), which the counted starts then find.
    std::vector<std::string> noBusEnv;
    std::vector<char*> noBus;
    for (char** e = environ; *e; ++e) {
        if (std::strncmp(*e, "DBUS_SESSION_BUS_ADDRESS=", 25) != 0) {
            noBusEnv.emplace_back(*e);
        }
    }
    for (std::string& e : noBusEnv) {
        noBus.push_back(e.data());
    }
    noBus.push_back(nullptr);

    const std::string floorPath = floorExe.toStdString();
    auto measure = [&](const char* what, const QString& folder, const std::string& title, char** env,
                       bool freshFolder) -> bool {
        Row row;
        int fresh = 0;
        for (int i = -1; i < runs; ++i) { // run -1 warms the caches up, uncounted
            Program app{(folder + QLatin1Char('/') + exeName).toStdString(), title};
            if (freshFolder) {
                const QString dir = work.filePath(QStringLiteral("fresh%1").arg(fresh++));
                if (!copyProgram(empty, dir)) {
                    return false;
                }
                app = Program{(dir + QLatin1Char('/') + exeName).toStdString(), title, false};
            }
            const bool memory = i >= 0 && i < kMemoryRuns;
            const auto a = bench.startOnce(app, env, memory);
            const auto f = bench.startOnce(Program{floorPath, {}, true}, env, memory);
            if (!a || !f) {
                return false;
            }
            if (i >= 0) {
                row.app.push_back(*a);
                row.floor.push_back(*f);
            }
        }
        printRow(what, row);
        return true;
    };

    double load[3] = {0, 0, 0};
    getloadavg(load, 3);
    std::printf("Start to the first visible window, median of %d starts each, Tesmara and the bare Qt floor\n"
                "started alternately (load average %.1f at the beginning). Memory: resident and anonymous,\n"
                "3 s after the window appeared, median of the first %d starts.\n\n",
                runs, load[0], std::min(runs, kMemoryRuns));
    std::printf("%-40s %10s %10s %7s   %8s %8s   %8s %8s\n", "start", "Tesmara", "floor", "ratio", "RSS", "floor",
                "anon", "floor");
    std::fflush(stdout);
    char** env = environ;
    const bool ok = measure("later start, login window", later, {}, env, false) &&
                    measure("automatic login, main window", automatic, {}, env, false) &&
                    measure("first start in an empty folder, question", empty, "提示", env, true) &&
                    measure("later start, bus autolaunched", later, {}, noBus.data(), false);
    return ok ? 0 : 1;
}
