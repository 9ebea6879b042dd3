#include "BenchCorpus.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

struct Word {
    std::string bytes;  // as the text file holds it
    std::u16string wide;
};

// English letter frequencies, so candidates for common-letter needles
// are as dense as in real text.
const char kLetters[] = "etaoinshrdlcumwfgypbvkjxqz";
const double kWeights[] = {12.7, 9.1, 8.2, 7.5, 7.0, 6.7, 6.3, 6.1, 6.0, 4.3, 4.0, 2.8, 2.8,
                           2.4,  2.4, 2.2, 2.0, 2.0, 1.9, 1.5, 1.0, 0.8, 0.15, 0.15, 0.1, 0.07};

bool ContainsNeedle(const std::string& w)
{
    for (const char* n : {kNeedleNearEnd, kNeedleNearStart, kNeedleAbsent, kNeedleAbsentE})
        if (w.find(n) != std::string::npos)
            return true;
    return false;
}

std::vector<Word> Vocabulary(std::mt19937_64& rng)
{
    std::discrete_distribution<int> letter(std::begin(kWeights), std::end(kWeights));
    std::uniform_int_distribution<int> length(2, 10);
    std::vector<Word> words;
    while (words.size() < 4000) {
        std::string w;
        for (int n = length(rng); n > 0; --n)
            w.push_back(kLetters[letter(rng)]);
        if (words.size() % 10 == 0)
            w[0] = static_cast<char>(w[0] - 32);  // some capitalised words
        std::string lower = w;
        for (auto& c : lower)
            c = static_cast<char>(c | 0x20);
        if (ContainsNeedle(lower))
            continue;
        words.push_back({w, std::u16string(w.begin(), w.end())});
    }
    // About 1% of the words written are UTF-8 or Latin-1.
    const std::vector<Word> foreign = {
        {"caf\xC3\xA9", u"café"}, {"na\xC3\xAFve", u"naïve"}, {"\xD0\xB6\xD1\x83\xD0\xBA", u"жук"},
        {"Stra\xC3\x9F" "e", u"Straße"}, {"gar\xE7on", u"garçon"}, {"se\xF1or", u"señor"},
    };
    for (size_t i = 0; i < 40; ++i)
        words.push_back(foreign[i % foreign.size()]);
    return words;
}

class Writer {
public:
    explicit Writer(const std::string& path) : file_(std::fopen(path.c_str(), "wb"))
    {
        if (!file_)
            throw std::runtime_error("cannot create " + path);
    }
    ~Writer() { Close(); }
    void Put(const char* data, size_t n)
    {
        buf_.append(data, n);
        written_ += static_cast<int64_t>(n);
        if (buf_.size() >= (1 << 20))
            Flush();
    }
    int64_t Written() const { return written_; }
    void Close()
    {
        if (!file_)
            return;
        Flush();
        std::fclose(file_);
        file_ = nullptr;
    }

private:
    void Flush()
    {
        if (std::fwrite(buf_.data(), 1, buf_.size(), file_) != buf_.size())
            throw std::runtime_error("write failed");
        buf_.clear();
    }
    std::FILE* file_;
    std::string buf_;
    int64_t written_ = 0;
};

void PutWide(Writer& w, const std::u16string& s)
{
    std::string bytes;
    for (char16_t u : s) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    w.Put(bytes.data(), bytes.size());
}

}  // namespace

BenchCorpus MakeCorpus(const std::string& dir, int64_t mib)
{
    BenchCorpus c;
    c.textPath = dir + "/peekwell-search-bench.txt";
    c.utf16Path = dir + "/peekwell-search-bench-utf16le.txt";
    const int64_t textTarget = mib << 20;
    const int64_t sliceTarget = textTarget / 4;  // of the text file, copied as UTF-16LE

    std::mt19937_64 rng(20240611);
    const std::vector<Word> words = Vocabulary(rng);
    std::uniform_int_distribution<size_t> pick(0, 3999);
    std::uniform_int_distribution<size_t> pickForeign(4000, words.size() - 1);
    Writer text(c.textPath), utf16(c.utf16Path);
    bool inSlice = true;
    bool startText = false, endText = false, startWide = false, endWide = false;
    int lineLength = 0;
    while (text.Written() < textTarget) {
        const Word& w = (rng() % 100 == 0) ? words[pickForeign(rng)] : words[pick(rng)];
        text.Put(w.bytes.data(), w.bytes.size());
        if (inSlice)
            PutWide(utf16, w.wide);
        lineLength += static_cast<int>(w.bytes.size()) + 1;
        const char* sep = lineLength > 72 ? "\n" : " ";
        if (lineLength > 72)
            lineLength = 0;
        text.Put(sep, 1);
        if (inSlice)
            PutWide(utf16, sep[0] == '\n' ? u"\n" : u" ");
        // Each needle once, as a word of its own, in each file.
        auto place = [&](bool& done, int64_t written, int64_t target, const char* needle, Writer& out, bool wide) {
            if (done || written < target)
                return;
            done = true;
            const std::string s = std::string(needle) + " ";
            if (wide)
                PutWide(out, std::u16string(s.begin(), s.end()));
            else
                out.Put(s.data(), s.size());
        };
        place(startText, text.Written(), textTarget / 100, kNeedleNearStart, text, false);
        place(endText, text.Written(), textTarget / 100 * 99, kNeedleNearEnd, text, false);
        if (inSlice) {
            place(startWide, text.Written(), sliceTarget / 100, kNeedleNearStart, utf16, true);
            place(endWide, text.Written(), sliceTarget / 100 * 99, kNeedleNearEnd, utf16, true);
            inSlice = text.Written() < sliceTarget;
        }
    }
    c.textBytes = text.Written();
    c.utf16Bytes = utf16.Written();
    return c;
}
