// Search benchmark: TVuStreamSearch through its 64 KB blocks against
// grep -F (LC_ALL=C) and ripgrep (--no-mmap) on the same files, warm cache.
//
//   search_bench [--mib N] [--dir DIR] [--keep]
//
// N defaults to PEEKWELL_BENCH_MIB or 1024 (a 1 GiB text file; the UTF-16LE
// copy is of its first quarter). DIR defaults to PEEKWELL_BENCH_DIR or
// /tmp. The files are deleted at the end unless --keep is given.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "BenchCorpus.h"
#include "search/core/VuStreamSearch.h"
#include "text/core/VuxSProc.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

void Figure(const std::string& name, double value, const char* unit)
{
    std::printf("%s: %.2f %s\n", name.c_str(), value, unit);
    std::fflush(stdout);
}

void WarmCache(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return;
    std::vector<char> buf(1 << 20);
    while (::read(fd, buf.data(), buf.size()) > 0) {
    }
    ::close(fd);
}

// Best of `runs` of our search for `needle` (given in UTF-8); GB/s over
// the bytes the search had to cover (up to the match, or the whole file
// when there is none).
double OurRate(const std::string& path, const char* needle, TVuEncoding enc, TVuSearchOptions options,
               int64_t fileBytes, int64_t expectAt, int runs = 5)
{
    TVuStreamSearch search;
    search.SetSourceFile(path);
    const std::u16string text = Utf8ToUtf16(needle);
    double best = 1e30;
    int64_t found = -2;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = Clock::now();
        const int64_t start = (options & ssoBackward) ? INT64_MAX : 0;
        found = search.FindAt(text, enc, options, start);
        best = std::min(best, Seconds(t0));
    }
    if ((expectAt < 0) != (found < 0)) {
        std::fprintf(stderr, "unexpected result %lld for %s\n", static_cast<long long>(found), needle);
        std::exit(2);
    }
    int64_t covered = fileBytes;
    if (found >= 0)
        covered = (options & ssoBackward) ? fileBytes - found : found;
    return static_cast<double>(covered) / best / 1e9;
}

// Best of `runs` of a peer command over the whole file; GB/s.
double PeerRate(const std::string& command, int64_t fileBytes, int runs = 3)
{
    double best = 1e30;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = Clock::now();
        std::FILE* p = ::popen(command.c_str(), "r");
        if (!p) {
            std::fprintf(stderr, "cannot run %s\n", command.c_str());
            std::exit(2);
        }
        char out[256];
        while (std::fgets(out, sizeof out, p)) {
        }
        ::pclose(p);
        best = std::min(best, Seconds(t0));
    }
    return static_cast<double>(fileBytes) / best / 1e9;
}

std::string EnvOr(const char* name, const char* fallback)
{
    const char* v = std::getenv(name);
    return v && *v ? v : fallback;
}

}  // namespace

int main(int argc, char** argv)
{
    int64_t mib = std::atoll(EnvOr("PEEKWELL_BENCH_MIB", "1024").c_str());
    std::string dir = EnvOr("PEEKWELL_BENCH_DIR", "/tmp");
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--mib" && i + 1 < argc)
            mib = std::atoll(argv[++i]);
        else if (a == "--dir" && i + 1 < argc)
            dir = argv[++i];
        else if (a == "--keep")
            keep = true;
        else {
            std::fprintf(stderr, "usage: %s [--mib N] [--dir DIR] [--keep]\n", argv[0]);
            return 2;
        }
    }
    if (mib < 4)
        mib = 4;
    std::fprintf(stderr, "generating %lld MiB under %s ...\n", static_cast<long long>(mib), dir.c_str());
    const BenchCorpus c = MakeCorpus(dir, mib);
    WarmCache(c.textPath);
    WarmCache(c.utf16Path);
    const int64_t n = c.textBytes, nw = c.utf16Bytes;
    const std::string f = " '" + c.textPath + "'", fw = " '" + c.utf16Path + "'";
    const std::string grep = "LC_ALL=C grep -F -c ", rg = "rg --no-mmap -F -c ";

    struct Target { std::string name; double value, least; };
    std::vector<Target> targets;
    auto ratio = [&](const std::string& name, double ours, double peer, double least) {
        Figure(name, ours / peer, "x");
        targets.push_back({name, ours / peer, least});
    };

    // ANSI, case-sensitive.
    const double csEnd = OurRate(c.textPath, kNeedleNearEnd, vEncANSI, ssoMatchCase, n, 1);
    const double csAbsent = OurRate(c.textPath, kNeedleAbsent, vEncANSI, ssoMatchCase, n, -1);
    const double grepCs = PeerRate(grep + kNeedleAbsent + f, n);
    const double rgCs = PeerRate(rg + kNeedleAbsent + f, n);
    Figure("search_ansi_case_near_end", csEnd, "GB/s");
    Figure("search_ansi_case_absent", csAbsent, "GB/s");
    Figure("grep_case", grepCs, "GB/s");
    Figure("rg_case", rgCs, "GB/s");
    ratio("ansi_case_vs_grep", csAbsent, grepCs, 2.0);
    ratio("ansi_case_vs_rg", csAbsent, rgCs, 0.5);

    // ANSI, case-insensitive (the needle given in capitals so every letter
    // folds), also with a common first letter.
    const double ciEnd = OurRate(c.textPath, "STONERATE", vEncANSI, 0, n, 1);
    const double ciAbsent = OurRate(c.textPath, "SENATORIAL", vEncANSI, 0, n, -1);
    const double ciAbsentE = OurRate(c.textPath, "EASTEREEN", vEncANSI, 0, n, -1);
    const double grepCi = PeerRate("LC_ALL=C grep -F -i -c " + std::string(kNeedleAbsent) + f, n);
    const double rgCi = PeerRate("rg --no-mmap -F -i -c " + std::string(kNeedleAbsent) + f, n);
    Figure("search_ansi_nocase_near_end", ciEnd, "GB/s");
    Figure("search_ansi_nocase_absent", ciAbsent, "GB/s");
    Figure("search_ansi_nocase_absent_first_e", ciAbsentE, "GB/s");
    Figure("grep_nocase", grepCi, "GB/s");
    Figure("rg_nocase", rgCi, "GB/s");
    ratio("ansi_nocase_vs_grep", std::min(ciAbsent, ciAbsentE), grepCi, 2.0);
    ratio("ansi_nocase_vs_rg", std::min(ciAbsent, ciAbsentE), rgCi, 0.4);

    // ANSI, whole words.
    const double wwEnd = OurRate(c.textPath, kNeedleNearEnd, vEncANSI, ssoMatchCase | ssoWholeWords, n, 1);
    const double wwAbsent = OurRate(c.textPath, kNeedleAbsent, vEncANSI, ssoMatchCase | ssoWholeWords, n, -1);
    const double grepWw = PeerRate("LC_ALL=C grep -F -w -c " + std::string(kNeedleAbsent) + f, n);
    const double rgWw = PeerRate("rg --no-mmap -F -w -c " + std::string(kNeedleAbsent) + f, n);
    Figure("search_ansi_words_near_end", wwEnd, "GB/s");
    Figure("search_ansi_words_absent", wwAbsent, "GB/s");
    Figure("grep_words", grepWw, "GB/s");
    Figure("rg_words", rgWw, "GB/s");
    ratio("ansi_words_vs_grep", wwAbsent, grepWw, 2.0);
    ratio("ansi_words_vs_rg", wwAbsent, rgWw, 0.4);

    // Backward against forward.
    const double bwStart = OurRate(c.textPath, kNeedleNearStart, vEncANSI, ssoMatchCase | ssoBackward, n, 1);
    const double bwAbsent = OurRate(c.textPath, kNeedleAbsent, vEncANSI, ssoMatchCase | ssoBackward, n, -1);
    const double bwCiAbsent = OurRate(c.textPath, "SENATORIAL", vEncANSI, ssoBackward, n, -1);
    Figure("search_ansi_case_backward_near_start", bwStart, "GB/s");
    Figure("search_ansi_case_backward_absent", bwAbsent, "GB/s");
    Figure("search_ansi_nocase_backward_absent", bwCiAbsent, "GB/s");
    ratio("backward_vs_forward_case", bwAbsent, csAbsent, 1 / 1.5);
    ratio("backward_vs_forward_nocase", bwCiAbsent, ciAbsent, 1 / 1.5);

    // A table-converted code page on the same bytes.
    const double koiCs = OurRate(c.textPath, kNeedleAbsent, vEncCyrKOI8R, ssoMatchCase, n, -1);
    const double koiCi = OurRate(c.textPath, "SENATORIAL", vEncCyrKOI8R, 0, n, -1);
    Figure("search_koi8r_case_absent", koiCs, "GB/s");
    Figure("search_koi8r_nocase_absent", koiCi, "GB/s");
    ratio("koi8r_vs_ansi_case", koiCs, csAbsent, 1 / 1.5);
    ratio("koi8r_vs_ansi_nocase", koiCi, ciAbsent, 1 / 1.5);

    // UTF-8 on the same bytes (their few Latin-1 words are invalid there):
    // decoded as the view reads it, yet scanned in bytes.
    const double u8Cs = OurRate(c.textPath, kNeedleAbsent, vEncUTF8, ssoMatchCase, n, -1);
    const double u8CsEnd = OurRate(c.textPath, kNeedleNearEnd, vEncUTF8, ssoMatchCase, n, 1);
    const double u8Ci = OurRate(c.textPath, "SENATORIAL", vEncUTF8, 0, n, -1);
    const double u8Ww = OurRate(c.textPath, kNeedleAbsent, vEncUTF8, ssoMatchCase | ssoWholeWords, n, -1);
    const double u8Cyr = OurRate(c.textPath, "\xD0\x96\xD0\xA3\xD0\x9A\xD0\x9E\xD0\x92", vEncUTF8, 0, n, -1);
    Figure("search_utf8_case_absent", u8Cs, "GB/s");
    Figure("search_utf8_case_near_end", u8CsEnd, "GB/s");
    Figure("search_utf8_nocase_absent", u8Ci, "GB/s");
    Figure("search_utf8_words_absent", u8Ww, "GB/s");
    Figure("search_utf8_nocase_cyrillic_absent", u8Cyr, "GB/s");
    ratio("utf8_vs_ansi_case", u8Cs, csAbsent, 0.5);
    ratio("utf8_vs_ansi_nocase", u8Ci, ciAbsent, 0.5);
    ratio("utf8_vs_ansi_words", u8Ww, wwAbsent, 0.5);

    // UTF-16LE.
    const double wCs = OurRate(c.utf16Path, kNeedleAbsent, vEncUnicodeLE, ssoMatchCase, nw, -1);
    const double wCsEnd = OurRate(c.utf16Path, kNeedleNearEnd, vEncUnicodeLE, ssoMatchCase, nw, 1);
    const double wCi = OurRate(c.utf16Path, "SENATORIAL", vEncUnicodeLE, 0, nw, -1);
    const double rgW = PeerRate("rg --no-mmap --encoding utf-16le -F -c " + std::string(kNeedleAbsent) + fw, nw);
    const double rgWi = PeerRate("rg --no-mmap --encoding utf-16le -F -i -c " + std::string(kNeedleAbsent) + fw, nw);
    Figure("search_utf16le_case_absent", wCs, "GB/s");
    Figure("search_utf16le_case_near_end", wCsEnd, "GB/s");
    Figure("search_utf16le_nocase_absent", wCi, "GB/s");
    Figure("rg_utf16le_case", rgW, "GB/s");
    Figure("rg_utf16le_nocase", rgWi, "GB/s");
    ratio("utf16le_case_vs_rg", wCs, rgW, 0.7);
    ratio("utf16le_nocase_vs_rg", wCi, rgWi, 0.7);

    int failed = 0;
    for (const Target& t : targets)
        if (t.value < t.least) {
            ++failed;
            std::fprintf(stderr, "below target: %s %.2f < %.2f\n", t.name.c_str(), t.value, t.least);
        }
    Figure("targets_missed", failed, "count");
    if (!keep) {
        std::remove(c.textPath.c_str());
        std::remove(c.utf16Path.c_str());
    }
    return failed == 0 ? 0 : 1;
}
