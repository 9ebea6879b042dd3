// View benchmark of the text and binary view.
//
// Generates a 10 GiB sparse file, a 1 MiB file with the same head and tail,
// and a 1 GiB text file of long and short lines; for each file and each of
// the five modes it times, on the real widget drawing offscreen:
//   first screen  OpenFile and one drawing
//   Ctrl+End      the end of the file and its screen
//   Page Down / Page Up x 1000, median per move (a move and its screen)
//   ScrollTo      1000 random offsets, median per jump with its screen
// and counts buffer reads per screen. Each file runs in a child process of
// its own so its peak RSS is its own; the 10 GiB and 1 MiB first screens are
// also timed in turn in one process for their ratio. The peer, `less`, is timed on the
// 1 GiB file in the same run (whole process: first screen, and its end).
// Prints one "name: value unit" line per figure; the big files are deleted.
#include "binhex/gui/VuBinHex.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

const char* kModeNames[] = {"text", "binary", "hex", "unicode", "uhex"};

// Text with lines of every length from empty to 3000 characters.
std::string TextChunk(uint32_t seed, size_t size)
{
    std::mt19937 rng(seed);
    std::string s;
    s.reserve(size + 4096);
    while (s.size() < size) {
        const int kind = int(rng() % 10);
        const size_t len = kind < 6 ? rng() % 80 : kind < 9 ? 80 + rng() % 400 : 1000 + rng() % 2000;
        for (size_t i = 0; i < len; ++i)
            s += (rng() % 7 == 0) ? ' ' : char('a' + rng() % 26);
        s += (rng() % 3 == 0) ? "\r\n" : "\n";
    }
    s.resize(size);
    return s;
}

bool WriteAt(int fd, const std::string& data, off_t offset)
{
    return ::pwrite(fd, data.data(), data.size(), offset) == ssize_t(data.size());
}

// A file of `size` bytes: a text head and tail of 256 KB each around a hole.
bool MakeHeadTailFile(const std::string& path, int64_t size)
{
    const int fd = ::open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    if (fd < 0)
        return false;
    const std::string head = TextChunk(1, 256 * 1024), tail = TextChunk(2, 256 * 1024);
    bool ok = ::ftruncate(fd, size) == 0 && WriteAt(fd, head, 0) && WriteAt(fd, tail, size - off_t(tail.size()));
    ::close(fd);
    return ok;
}

bool MakeTextFile(const std::string& path, int64_t size)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const std::string chunk = TextChunk(3, 8 << 20);
    bool ok = true;
    for (int64_t done = 0; done < size && ok; done += int64_t(chunk.size()))
        ok = std::fwrite(chunk.data(), 1, size_t(std::min<int64_t>(chunk.size(), size - done)), f) > 0;
    std::fclose(f);
    return ok;
}

double PeakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Runs every figure for one file in this process.
int RunOne(int argc, char** argv, const std::string& path, const std::string& label, int onlyMode)
{
    QApplication app(argc, argv);
    TVuBinHex view;
    view.resize(1024, 768);
    TVuBinHexModel& m = view.Model();
    std::mt19937_64 rng(42);
    for (int mode = vbmodeText; mode <= vbmodeUHex; ++mode) {
        if (onlyMode >= 0 && mode != onlyMode)
            continue;
        const std::string prefix = "binhex_" + label + "_" + kModeNames[mode] + "_";
        view.OpenFile(QString());
        view.SetMode(TVuBinHexMode(mode));
        std::vector<double> first;
        for (int i = 0; i < 21; ++i) {
            view.OpenFile(QString(), false);
            const auto t0 = Clock::now();
            view.OpenFile(QString::fromStdString(path));
            first.push_back(Ms(Clock::now() - t0));
        }
        std::printf("%sfirst_screen: %.3f ms\n", prefix.c_str(), Median(first));

        std::vector<double> end;
        for (int i = 0; i < 21; ++i) {
            m.GoHome();
            view.Redraw();
            const auto t0 = Clock::now();
            m.GoEnd();
            view.Redraw();
            end.push_back(Ms(Clock::now() - t0));
        }
        std::printf("%sctrl_end: %.3f ms\n", prefix.c_str(), Median(end));

        // Page Down from the start (and past the end of a short file),
        // then Page Up back.
        int64_t maxReads = 0;
        std::vector<double> down, up;
        m.GoHome();
        view.Redraw();
        for (int i = 0; i < 1000; ++i) {
            const int64_t reads = m.ReadCount();
            const auto t0 = Clock::now();
            m.PageDown();
            view.Redraw();
            down.push_back(Ms(Clock::now() - t0));
            maxReads = std::max(maxReads, m.ReadCount() - reads);
        }
        for (int i = 0; i < 1000; ++i) {
            const int64_t reads = m.ReadCount();
            const auto t0 = Clock::now();
            m.PageUp();
            view.Redraw();
            up.push_back(Ms(Clock::now() - t0));
            maxReads = std::max(maxReads, m.ReadCount() - reads);
        }
        std::printf("%spage_down_median: %.3f ms\n", prefix.c_str(), Median(down));
        std::printf("%spage_up_median: %.3f ms\n", prefix.c_str(), Median(up));

        std::vector<double> jumps;
        for (int i = 0; i < 1000; ++i) {
            const int64_t target = int64_t(rng() % uint64_t(std::max<int64_t>(m.FileSize(), 1)));
            const int64_t reads = m.ReadCount();
            const auto t0 = Clock::now();
            view.ScrollTo(target);
            jumps.push_back(Ms(Clock::now() - t0));
            maxReads = std::max(maxReads, m.ReadCount() - reads);
        }
        std::printf("%sscroll_to_median: %.3f ms\n", prefix.c_str(), Median(jumps));
        std::printf("%sreads_per_screen_max: %lld reads\n", prefix.c_str(), static_cast<long long>(maxReads));
    }
    std::printf("binhex_%s_peak_rss: %.2f MB\n", label.c_str(), PeakRssMb());
    return 0;
}

// First screens of the 10 GiB and the 1 MiB file, opened in turn in one
// process so both see the same machine load; prints their ratio per mode.
int RunPair(int argc, char** argv, const std::string& small, const std::string& big)
{
    QApplication app(argc, argv);
    TVuBinHex view;
    view.resize(1024, 768);
    for (int mode = vbmodeText; mode <= vbmodeUHex; ++mode) {
        view.OpenFile(QString());
        view.SetMode(TVuBinHexMode(mode));
        std::vector<double> times[2];
        for (int i = 0; i < 41; ++i) {
            for (int which = 0; which < 2; ++which) {
                view.OpenFile(QString(), false);
                const auto t0 = Clock::now();
                view.OpenFile(QString::fromStdString(which ? big : small));
                times[which].push_back(Ms(Clock::now() - t0));
            }
        }
        std::printf("binhex_%s_first_screen_10g_vs_1m: %.2f x\n", kModeNames[mode],
                    Median(times[1]) / Median(times[0]));
    }
    return 0;
}

// Runs `command` and returns its standard output.
std::string Capture(const std::string& command)
{
    std::string out;
    FILE* p = ::popen(command.c_str(), "r");
    if (!p)
        return out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    ::pclose(p);
    return out;
}

// Whole-process time of `less` showing a screen of `path` (in a
// pseudo-terminal, through script) with `commands` run at start.
double TimeLess(const std::string& path, const std::string& commands)
{
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        const std::string cmd = "TERM=xterm LINES=45 COLUMNS=120 script -qc \"less " + commands + " '" + path +
                                "' < /dev/null\" /dev/null > /dev/null 2>&1";
        const auto t0 = Clock::now();
        if (std::system(cmd.c_str()) != 0)
            return -1;
        runs.push_back(Ms(Clock::now() - t0));
    }
    return Median(runs);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "--one") == 0)
        return RunOne(argc, argv, argv[2], argv[3], argc >= 5 ? std::atoi(argv[4]) : -1);  // a mode alone
    if (argc >= 4 && std::strcmp(argv[1], "--pair") == 0)
        return RunPair(argc, argv, argv[2], argv[3]);
    if (argc >= 4 && std::strcmp(argv[1], "--screen") == 0) {
        // One whole process: start, open, draw the first screen (or the
        // end's), quit; timed from outside like less.
        QApplication app(argc, argv);
        TVuBinHex view;
        view.resize(1024, 768);
        view.OpenFile(QString::fromUtf8(argv[2]));
        if (std::strcmp(argv[3], "end") == 0) {
            view.Model().GoEnd();
            view.Redraw();
        }
        return view.Model().HasSource() ? 0 : 1;
    }

    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const char* dirEnv = std::getenv("PEEKWELL_BENCH_DIR");
    const std::string dir = dirEnv ? dirEnv : "/tmp";
    const std::string big = dir + "/peekwell_bench_10g.bin";
    const std::string small = dir + "/peekwell_bench_1m.bin";
    const std::string text = dir + "/peekwell_bench_1g.txt";
    if (!MakeHeadTailFile(big, 10LL << 30) || !MakeHeadTailFile(small, 1 << 20) || !MakeTextFile(text, 1LL << 30)) {
        std::fprintf(stderr, "cannot create the benchmark files in %s\n", dir.c_str());
        return 1;
    }
    std::map<std::string, double> figures;
    const std::pair<std::string, std::string> runs[] = {{small, "1m"}, {big, "10g"}, {text, "1g_text"}};
    for (const auto& [path, label] : runs) {
        const std::string out = Capture(std::string("'") + argv[0] + "' --one '" + path + "' " + label);
        std::fputs(out.c_str(), stdout);
        char name[256];
        double value;
        for (const char* line = out.c_str(); *line;) {
            if (std::sscanf(line, "%255[^:]: %lf", name, &value) == 2)
                figures[name] = value;
            const char* next = std::strchr(line, '\n');
            line = next ? next + 1 : line + std::strlen(line);
        }
    }
    std::fputs(Capture(std::string("'") + argv[0] + "' --pair '" + small + "' '" + big + "'").c_str(), stdout);
    if (figures.count("binhex_10g_peak_rss") && figures.count("binhex_1m_peak_rss"))
        std::printf("binhex_peak_rss_10g_minus_1m: %.2f MB\n",
                    figures["binhex_10g_peak_rss"] - figures["binhex_1m_peak_rss"]);
    for (const char* where : {"first", "end"}) {
        std::vector<double> runs;
        for (int i = 0; i < 5; ++i) {
            const std::string cmd = std::string("'") + argv[0] + "' --screen '" + text + "' " + where;
            const auto t0 = Clock::now();
            if (std::system(cmd.c_str()) != 0)
                break;
            runs.push_back(Ms(Clock::now() - t0));
        }
        std::printf("binhex_1g_text_%s_screen_process: %.3f ms\n", where, Median(runs));
    }
    const double lessFirst = TimeLess(text, "-n +q");
    const double lessEnd = TimeLess(text, "-n +Gq");  // -n: no line counting on the way
    if (lessFirst >= 0) {
        std::printf("less_1g_text_first_screen_process: %.3f ms\n", lessFirst);
        std::printf("less_1g_text_end_process: %.3f ms\n", lessEnd);
    }
    std::remove(big.c_str());
    std::remove(small.c_str());
    std::remove(text.c_str());
    return 0;
}
